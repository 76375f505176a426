// Languages and global hot keys of the real program, from outside: the
// templates and the choice at a first start, a translation file that adds a
// language, and the hot keys typed on the keyboard.
//
// The user-interface language of a program under Wine follows LC_ALL of the
// Unix environment the test program was started in (children inherit it; an
// environment block given to CreateProcess does not change it). Each start
// test therefore runs only where the language it needs is the one in force:
// the English one in a plain run, the French one with LC_ALL=fr_FR.UTF-8.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "e2e_steps.h"
#include "quillboard_process.h"
#include "win/wide.h"

namespace {

constexpr wchar_t kTrayClass[] = L"QuillboardTrayWindow";
constexpr wchar_t kNoteClass[] = L"QuillboardNote";
constexpr wchar_t kSettingsClass[] = L"QuillboardParam";
constexpr WORD kPrimaryLanguageMask = 0x3FF;
constexpr WORD kFrench = 0x0C;
constexpr POINT kLanguageBox{200, 160};

bool FrenchUserInterface() {
    return (GetUserDefaultUILanguage() & kPrimaryLanguageMask) == kFrench;
}

// Holds the keys down in order, then lets them go in reverse order.
void TypeCombination(const std::vector<WORD>& keys) {
    std::vector<INPUT> inputs;
    for (WORD key : keys) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        inputs.push_back(input);
    }
    for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = *key;
        input.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void WriteDataFile(const PreparedAppData& data, const std::u16string& relative, const std::string& bytes) {
    CreateDirectoryW(Wide(data.DataPath()), nullptr);
    CreateDirectoryW(Wide(data.DataPath(u"lang")), nullptr);
    WriteRawFile(data.DataPath(relative), bytes);
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

TEST(Languages, FirstStartOnAnEnglishSystemWritesTheTemplatesAndChoosesEnglish) {
    if (FrenchUserInterface()) GTEST_SKIP() << "the user-interface language in force is French";
    PreparedAppData data;  // no data folder at all
    QuillboardProcess quillboard(data.AppData());
    ASSERT_NE(quillboard.WaitForWindow(kTrayClass), nullptr);

    EXPECT_EQ(ReadRawFile(data.DataPath(u"langue.txt")), "en");
    EXPECT_TRUE(StartsWith(ReadRawFile(data.DataPath(u"lang\\lang_en.txt")),
                           "# Quillboard - fichier de langue (UTF-8). Format : source_francaise=traduction\r\n"
                           "LANG_NAME=English\r\n"));
    EXPECT_TRUE(StartsWith(ReadRawFile(data.DataPath(u"lang\\lang_fr.txt")),
                           "# Quillboard - fichier de langue (UTF-8). Format : source_francaise=traduction\r\n"
                           "LANG_NAME=Français\r\n"));
    QuitThroughTray(quillboard);
}

TEST(Languages, FirstStartOnAFrenchSystemChoosesFrench) {
    if (!FrenchUserInterface()) GTEST_SKIP() << "needs LC_ALL=fr_FR.UTF-8 (or another French locale)";
    PreparedAppData data;
    QuillboardProcess quillboard(data.AppData());
    ASSERT_NE(quillboard.WaitForWindow(kTrayClass), nullptr);
    EXPECT_EQ(ReadRawFile(data.DataPath(u"langue.txt")), "fr");
    QuitThroughTray(quillboard);
}

TEST(Languages, GermanFileAddsDeutschAndTheHotKeysWork) {
    PreparedAppData data;
    WriteDataFile(data, u"lang\\lang_de.txt", "LANG_NAME=Deutsch\r\nParametres=Einstellungen\r\n");
    WriteDataFile(data, u"langue.txt", "de");
    QuillboardProcess quillboard(data.AppData());
    ASSERT_NE(quillboard.WaitForWindow(kTrayClass), nullptr);

    TypeCombination({VK_CONTROL, VK_MENU, 'N'});
    EXPECT_TRUE(quillboard.WaitForWindowCount(kNoteClass, 1));

    TypeCombination({VK_CONTROL, VK_MENU, 'G'});
    HWND settings = quillboard.WaitForWindow(kSettingsClass);
    ASSERT_NE(settings, nullptr);
    EXPECT_EQ(WindowTextOf(settings), u"Einstellungen");

    // Français, English, Deutsch: from the third the box wraps to the first.
    PostMessageW(settings, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(kLanguageBox.x, kLanguageBox.y));
    PostMessageW(settings, WM_LBUTTONUP, 0, MAKELPARAM(kLanguageBox.x, kLanguageBox.y));
    PostMessageW(settings, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(quillboard.WaitForWindowCount(kSettingsClass, 0));
    EXPECT_TRUE(PumpUntil([&] { return ReadRawFile(data.DataPath(u"langue.txt")) == "fr"; }));
    EXPECT_TRUE(FileExists(data.DataPath(u"shortcuts.txt")));

    // The hot keys are registered again once the window is closed.
    TypeCombination({VK_CONTROL, VK_MENU, 'N'});
    EXPECT_TRUE(quillboard.WaitForWindowCount(kNoteClass, 2));
    QuitThroughTray(quillboard);
}
