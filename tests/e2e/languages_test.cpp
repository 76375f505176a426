// Languages and global hot keys of the real program, from outside.
//
// Under Wine the user-interface language follows LC_ALL of the Unix
// environment the test program was started in; children inherit it, and an
// environment block given to CreateProcess does not change it. The first
// start test needs an English one (a plain run), and is skipped otherwise.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "support/data_folder.h"
#include "support/program_names.h"
#include "support/quillboard_process.h"

namespace {

constexpr POINT kLanguageBox{200, 160};

// True while another program holds the combination as its hot key.
bool HotKeyTaken(UINT modifiers, UINT key) {
    constexpr int kProbeId = 0xBEEF;
    if (!RegisterHotKey(nullptr, kProbeId, modifiers, key)) return true;
    UnregisterHotKey(nullptr, kProbeId);
    return false;
}

}  // namespace

TEST(Languages, FirstStartOnAnEnglishSystemWritesTheTemplatesAndChoosesEnglish) {
    if (PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_FRENCH) GTEST_SKIP() << "French UI language";
    DataFolder data;  // no data folder at all
    QuillboardProcess quillboard(data.AppData());
    ASSERT_NE(quillboard.WaitForWindow(kTrayClass), nullptr);

    EXPECT_EQ(data.Read(u"langue.txt"), "en");
    // A start with no data folder makes the folders the templates need.
    const std::string header = "# Quillboard - fichier de langue (UTF-8). Format : source_francaise=traduction\r\n";
    EXPECT_EQ(data.Read(u"lang\\lang_en.txt").rfind(header + "LANG_NAME=English\r\n", 0), 0u);
    quillboard.QuitThroughTray();
}

TEST(Languages, GermanFileAddsDeutschAndTheHotKeysWork) {
    DataFolder data;
    data.Write(u"lang\\lang_de.txt", "LANG_NAME=Deutsch\r\nParametres=Einstellungen\r\n");
    data.Write(u"langue.txt", "de");
    QuillboardProcess quillboard(data.AppData());
    ASSERT_NE(quillboard.WaitForWindow(kTrayClass), nullptr);

    PressCombination({VK_CONTROL, VK_MENU, 'N'});
    EXPECT_TRUE(quillboard.WaitForWindowCount(kNoteClass, 1));

    PressCombination({VK_CONTROL, VK_MENU, 'G'});
    HWND settings = quillboard.WaitForWindow(kSettingsClass);
    ASSERT_NE(settings, nullptr);
    EXPECT_EQ(WindowTextOf(settings), u"Einstellungen");

    // Français, English, Deutsch: from the third the box wraps to the first.
    PostMessageW(settings, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(kLanguageBox.x, kLanguageBox.y));
    PostMessageW(settings, WM_LBUTTONUP, 0, MAKELPARAM(kLanguageBox.x, kLanguageBox.y));
    PostMessageW(settings, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(quillboard.WaitForWindowCount(kSettingsClass, 0));
    EXPECT_TRUE(PumpUntil([&] { return data.Read(u"langue.txt") == "fr"; }));
    EXPECT_TRUE(FileExists(data.DataPath(u"shortcuts.txt")));

    // The hot keys are registered again once the window is closed.
    EXPECT_TRUE(PumpUntil([] { return HotKeyTaken(MOD_CONTROL | MOD_ALT, 'N'); }));
    PressCombination({VK_CONTROL, VK_MENU, 'N'});
    EXPECT_TRUE(quillboard.WaitForWindowCount(kNoteClass, 2));

    // Back in French, the window speaks French with its accents.
    PressCombination({VK_CONTROL, VK_MENU, 'G'});
    settings = quillboard.WaitForWindow(kSettingsClass);
    ASSERT_NE(settings, nullptr);
    EXPECT_EQ(WindowTextOf(settings), u"Paramètres");
    PostMessageW(settings, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(quillboard.WaitForWindowCount(kSettingsClass, 0));
    quillboard.QuitThroughTray();
}
