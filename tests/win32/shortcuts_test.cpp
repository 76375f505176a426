// The note shortcut filter and the shortcuts file of the process.
#include "notes/note_window_state.h"
#include "reminders/notification_sound.h"
#include "settings/note_shortcut_filter.h"
#include "settings/shortcuts.h"
#include "support/shell_data_folder_test.h"
#include "support/shell_test_notes.h"
#include "support/windows_test_support.h"

namespace {

constexpr std::uint32_t kCtrlAlt = kModifierCtrl | kModifierAlt;

// Ctrl, Alt and Shift as the thread's keyboard state reports them.
void HoldModifiers(std::uint32_t modifiers) {
    BYTE keys[256] = {};
    keys[VK_CONTROL] = (modifiers & kModifierCtrl) ? 0x80 : 0;
    keys[VK_MENU] = (modifiers & kModifierAlt) ? 0x80 : 0;
    keys[VK_SHIFT] = (modifiers & kModifierShift) ? 0x80 : 0;
    SetKeyboardState(keys);
}

bool Filter(HWND target, WPARAM key, UINT message = WM_SYSKEYDOWN) {
    MSG msg{};
    msg.hwnd = target;
    msg.message = message;
    msg.wParam = key;
    return NoteShortcutFilter(msg);
}

HWND PlainWindow() {
    return CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr);
}

class ShortcutKeys : public DataFolderTest {
protected:
    void TearDown() override {
        HoldModifiers(0);
        UnregisterGlobalHotKeys();
        DataFolderTest::TearDown();
    }
};

TEST_F(ShortcutKeys, NoteCommandActsOnTheFocusedNoteOnlyAndNeedsExactModifiers) {
    HWND first = MakeNote(TestNote{.id = 0x51, .x = 300, .text = u"text"});
    HWND second = MakeNote(TestNote{.id = 0x52, .x = 700, .text = u"text"});
    HWND plain = PlainWindow();
    const struct {
        std::uint32_t modifiers;
        HWND target;
        WPARAM key;
        UINT message;
    } passedOn[] = {
        {kCtrlAlt | kModifierShift, second, VK_LEFT, WM_SYSKEYDOWN},  // a superset of the binding
        {kModifierCtrl, second, VK_LEFT, WM_KEYDOWN},
        {kCtrlAlt, second, VK_LEFT, WM_SYSKEYUP},
        {kCtrlAlt, plain, VK_LEFT, WM_SYSKEYDOWN},
        {kCtrlAlt, second, WPARAM{0x100000025}, WM_SYSKEYDOWN},  // VK_LEFT once cut to 32 bits
    };
    for (const auto& c : passedOn) {
        HoldModifiers(c.modifiers);
        EXPECT_FALSE(Filter(c.target, c.key, c.message)) << c.key << " " << c.message;
    }
    EXPECT_EQ(NoteFromWindow(second)->dock, kDockNone);
    DestroyWindow(plain);

    // Typed in the text box of the second note.
    HoldModifiers(kCtrlAlt);
    EXPECT_TRUE(Filter(NoteEditOf(second), VK_LEFT));
    EXPECT_EQ(NoteFromWindow(second)->dock, kDockLeft);
    EXPECT_EQ(NoteFromWindow(first)->dock, kDockNone);

    // Real keys typed in the focused first note reach the filter of the loop.
    HoldModifiers(0);
    SetForegroundWindow(first);
    SetFocus(NoteEditOf(first));
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == NoteEditOf(first); }));
    PressCombination({VK_CONTROL, VK_MENU, VK_UP});
    EXPECT_TRUE(PumpUntil([&] {
        MSG message{};
        for (int pumped = 0; pumped < 300 && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE); ++pumped) {
            if (NoteShortcutFilter(message)) continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        return NoteFromWindow(first)->dock == kDockTop;
    }));
}

TEST_F(ShortcutKeys, AnyNumbersInTheFileAreTakenWithoutHarmAndWrittenBack) {
    Data().Write(u"shortcuts.txt", "5|0|0\r\n1|4294967295|4294967295\r\n2|-1|99999999999999999999\r\n");
    LoadShortcuts();

    // No keyboard sends such a key: its registration fails without the system.
    HWND hotKeys = PlainWindow();
    RegisterGlobalHotKeys(hotKeys);
    EXPECT_TRUE(Shortcuts()[0].registrationFailed);
    EXPECT_TRUE(Shortcuts()[1].registrationFailed);
    EXPECT_FALSE(Shortcuts()[2].registrationFailed);

    ASSERT_TRUE(SaveShortcuts());
    EXPECT_EQ(ReadRawFile(DataPath(u"shortcuts.txt")),
              "1|4294967295|4294967295\r\n2|4294967295|4294967295\r\n3|3|85\r\n4|3|71\r\n17|3|70\r\n18|3|86\r\n"
              "5|0|0\r\n"
              "6|3|84\r\n7|3|80\r\n8|3|75\r\n9|3|65\r\n10|3|37\r\n11|3|38\r\n12|3|39\r\n13|3|40\r\n"
              "14|3|88\r\n");
    UnregisterGlobalHotKeys();
    DestroyWindow(hotKeys);
}

// A file of `size` bytes that starts with `head` and is zeros after it,
// without writing them: sparse where the file system allows.
void WriteSwollenFile(const std::u16string& path, const std::string& head, std::int64_t size) {
    HANDLE file = CreateFileW(reinterpret_cast<const wchar_t*>(path.c_str()), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, head.data(), static_cast<DWORD>(head.size()), &written, nullptr);
    LARGE_INTEGER end{};
    end.QuadPart = size;
    SetFilePointerEx(file, end, nullptr, FILE_BEGIN);
    SetEndOfFile(file);
    CloseHandle(file);
}

// A settings file swollen past 2 GiB (by a faulty tool, a damaged disk) is
// read from its start: its lines still count, and reading it costs no more
// than a small file.
TEST_F(ShortcutKeys, ASwollenSettingsFileIsReadFromItsStart) {
    constexpr std::int64_t kSwollen = std::int64_t{5} << 29;  // 2.5 GiB
    Data().Write(u"son.txt", "");  // makes the data folder
    WriteSwollenFile(DataPath(u"shortcuts.txt"), "1|3|66\r\n", kSwollen);
    WriteSwollenFile(DataPath(u"son.txt"), "ENABLED=0\r\nVOLUME=40\r\n", kSwollen);
    LoadShortcuts();
    LoadSoundSettings();
    EXPECT_EQ(Shortcuts()[0].key, 66u);
    EXPECT_FALSE(ActiveSoundSettings().enabled);
    EXPECT_EQ(ActiveSoundSettings().volume, 40);
}

}  // namespace
