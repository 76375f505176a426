// The note shortcut filter and the shortcuts file of the process.
#include <vector>

#include "notes/note_window_state.h"
#include "settings/note_shortcut_filter.h"
#include "settings/shortcuts.h"
#include "support/shell_data_folder_test.h"
#include "support/shell_test_notes.h"
#include "support/windows_test_support.h"
#include "win/wide.h"

namespace {

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

class ShortcutKeys : public DataFolderTest {
protected:
    void SetUp() override {
        DataFolderTest::SetUp();
        Shortcuts() = DefaultShortcutTable();
    }
    void TearDown() override {
        HoldModifiers(0);
        UnregisterGlobalHotKeys();
        Shortcuts() = DefaultShortcutTable();
        DataFolderTest::TearDown();
    }

    static HWND MakeNoteAt(int x, std::uint64_t id) {
        return MakeNote(TestNote{.id = id, .x = x, .text = u"text"});
    }
};

TEST_F(ShortcutKeys, NoteCommandActsOnTheFocusedNoteOnlyAndNeedsExactModifiers) {
    HWND first = MakeNoteAt(300, 0x51);
    HWND second = MakeNoteAt(700, 0x52);
    HWND plain = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr);
    constexpr std::uint32_t kCtrlAlt = kModifierCtrl | kModifierAlt;
    struct Case {
        std::uint32_t modifiers;
        HWND target;
        WPARAM key;
        UINT message;
    };
    const Case passedOn[] = {
        {kCtrlAlt | kModifierShift, second, VK_LEFT, WM_SYSKEYDOWN},  // a superset of the binding
        {kModifierCtrl, second, VK_LEFT, WM_KEYDOWN},
        {kCtrlAlt, second, VK_LEFT, WM_SYSKEYUP},
        {kCtrlAlt, second, 'N', WM_SYSKEYDOWN},  // a global command
        {kCtrlAlt, plain, VK_LEFT, WM_SYSKEYDOWN},
        {kCtrlAlt, second, WPARAM{0x100000025}, WM_SYSKEYDOWN},  // VK_LEFT once cut to 32 bits
    };
    for (const Case& c : passedOn) {
        HoldModifiers(c.modifiers);
        EXPECT_FALSE(Filter(c.target, c.key, c.message)) << c.key << " " << c.message;
    }
    EXPECT_EQ(NoteFromWindow(second)->dock, kDockNone);

    // Typed in the text box of the second note.
    HoldModifiers(kCtrlAlt);
    EXPECT_TRUE(Filter(NoteEditOf(second), VK_LEFT));
    EXPECT_EQ(NoteFromWindow(second)->dock, kDockLeft);
    EXPECT_EQ(NoteFromWindow(first)->dock, kDockNone);
    DestroyWindow(plain);
}

TEST_F(ShortcutKeys, RealKeysTypedInAFocusedNoteReachTheFilter) {
    HWND note = MakeNoteAt(300, 0x51);
    SetForegroundWindow(note);
    SetFocus(NoteEditOf(note));
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == NoteEditOf(note); }));

    PressCombination({VK_CONTROL, VK_MENU, VK_UP});
    EXPECT_TRUE(PumpUntil([&] {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (NoteShortcutFilter(message)) continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        return NoteFromWindow(note)->dock == kDockTop;
    }));
}

TEST_F(ShortcutKeys, AnyNumbersInTheFileAreTakenWithoutHarmAndWrittenBack) {
    Data().Write(u"shortcuts.txt",
                 "5|0|0\r\n1|4294967295|4294967295\r\n2|-1|99999999999999999999\r\n"
                 "-2147483648|3|65\r\n99999999999|3|65\r\n14|3\r\n");
    LoadShortcuts();
    EXPECT_EQ(ShortcutText(Shortcuts()[0].modifiers, Shortcuts()[0].key), u"Ctrl+Alt+Maj+0xFFFFFFFF");

    // No keyboard sends such a key: its registration fails without the system.
    HWND hotKeys = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr);
    RegisterGlobalHotKeys(hotKeys);
    EXPECT_TRUE(Shortcuts()[0].registrationFailed);
    EXPECT_TRUE(Shortcuts()[1].registrationFailed);
    EXPECT_FALSE(Shortcuts()[2].registrationFailed);
    HoldModifiers(kModifierCtrl | kModifierAlt);
    EXPECT_FALSE(Filter(hotKeys, 'C'));  // "Categorie / sous-categorie" unbound

    SaveShortcuts();
    EXPECT_EQ(ReadRawFile(DataPath(u"shortcuts.txt")),
              "1|4294967295|4294967295\r\n2|4294967295|4294967295\r\n3|3|85\r\n4|3|71\r\n5|0|0\r\n"
              "6|3|84\r\n7|3|80\r\n8|3|75\r\n9|3|65\r\n10|3|37\r\n11|3|38\r\n12|3|39\r\n13|3|40\r\n"
              "14|3|88\r\n");
    UnregisterGlobalHotKeys();
    DestroyWindow(hotKeys);
}

}  // namespace
