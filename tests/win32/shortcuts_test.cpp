// The shortcut table of the process: its file, the global hot keys and the
// filter that runs note commands on the note that has the keyboard focus.
#include <string>
#include <vector>

#include "notes/note_window_state.h"
#include "settings/note_shortcut_filter.h"
#include "settings/shortcuts.h"
#include "test_support.h"
#include "win/wide.h"

namespace {

constexpr BYTE kKeyDown = 0x80;
constexpr UINT kCtrlAlt = MOD_CONTROL | MOD_ALT;

// Ctrl, Alt and Shift as the thread's keyboard state reports them.
void HoldModifiers(std::uint32_t modifiers) {
    BYTE keys[256] = {};
    if (modifiers & kModifierCtrl) keys[VK_CONTROL] = kKeyDown;
    if (modifiers & kModifierAlt) keys[VK_MENU] = kKeyDown;
    if (modifiers & kModifierShift) keys[VK_SHIFT] = kKeyDown;
    SetKeyboardState(keys);
}

// A key message as the main loop would take it from the queue.
MSG KeyMessage(HWND target, WPARAM key, UINT message = WM_SYSKEYDOWN) {
    MSG msg{};
    msg.hwnd = target;
    msg.message = message;
    msg.wParam = key;
    return msg;
}

// Presses the keys in order and releases them in reverse order, as a hand
// holding a combination would.
void PressKeysTogether(const std::vector<WORD>& keys) {
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

// A plain top-level window of this thread that is not a note.
HWND MakePlainWindow() {
    return CreateWindowExW(0, L"STATIC", L"plain", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
}

bool HotKeyIsFree(HWND probe, UINT modifiers, UINT key) {
    constexpr int kProbeId = 0xBEEF;
    if (!RegisterHotKey(probe, kProbeId, modifiers, key)) return false;
    UnregisterHotKey(probe, kProbeId);
    return true;
}

class ShortcutKeys : public DataFolderTest {
protected:
    void SetUp() override {
        DataFolderTest::SetUp();
        Shortcuts() = DefaultShortcutTable();
        probe_ = MakePlainWindow();
        hotKeyWindow_ = MakePlainWindow();
    }
    void TearDown() override {
        HoldModifiers(0);
        UnregisterGlobalHotKeys();
        DestroyWindow(probe_);
        DestroyWindow(hotKeyWindow_);
        Shortcuts() = DefaultShortcutTable();
        DataFolderTest::TearDown();
    }

    HWND MakeNote(int x, std::int32_t type = kNoteRegular, std::uint64_t id = 0x51) {
        NoteCreateParams params;
        params.id = id;
        params.x = x;
        params.y = 200;
        params.type = type;
        params.body = u"text";
        return ShowNewNote(params);
    }

    HWND probe_ = nullptr;
    HWND hotKeyWindow_ = nullptr;
};

TEST_F(ShortcutKeys, NoteCommandActsOnTheNoteOwningTheFocusOnly) {
    HWND first = MakeNote(300, kNoteRegular, 0x51);
    HWND second = MakeNote(700, kNoteRegular, 0x52);
    ASSERT_TRUE(NoteFromWindow(first) && NoteFromWindow(second));

    HoldModifiers(kModifierCtrl | kModifierAlt);
    // The key went to the text box of the second note.
    EXPECT_TRUE(NoteShortcutFilter(KeyMessage(NoteEditOf(second), VK_LEFT)));

    EXPECT_EQ(NoteFromWindow(second)->dock, kDockLeft);
    EXPECT_EQ(NoteFromWindow(first)->dock, kDockNone);
}

TEST_F(ShortcutKeys, FilterPassesOnWhatIsNotExactlyANoteCommand) {
    HWND note = MakeNote(300);
    HWND plain = MakePlainWindow();
    struct Case {
        const char* what;
        std::uint32_t modifiers;
        HWND target;
        WPARAM key;
        UINT message;
    };
    const Case cases[] = {
        {"a superset of the modifiers", kModifierCtrl | kModifierAlt | kModifierShift, note, VK_LEFT, WM_SYSKEYDOWN},
        {"fewer modifiers", kModifierCtrl, note, VK_LEFT, WM_KEYDOWN},
        {"no modifier", 0, note, VK_LEFT, WM_KEYDOWN},
        {"a modifier key itself", kModifierCtrl | kModifierAlt, note, VK_MENU, WM_SYSKEYDOWN},
        {"a key released", kModifierCtrl | kModifierAlt, note, VK_LEFT, WM_SYSKEYUP},
        {"a global command's key", kModifierCtrl | kModifierAlt, note, 'N', WM_SYSKEYDOWN},
        {"a window that is not a note", kModifierCtrl | kModifierAlt, plain, VK_LEFT, WM_SYSKEYDOWN},
        {"a message without a window", kModifierCtrl | kModifierAlt, nullptr, VK_LEFT, WM_SYSKEYDOWN},
        {"a key code past 32 bits", kModifierCtrl | kModifierAlt, note, WPARAM{0x100000025}, WM_SYSKEYDOWN},
    };
    for (const Case& c : cases) {
        HoldModifiers(c.modifiers);
        EXPECT_FALSE(NoteShortcutFilter(KeyMessage(c.target, c.key, c.message))) << c.what;
    }
    EXPECT_EQ(NoteFromWindow(note)->dock, kDockNone);
    DestroyWindow(plain);
}

TEST_F(ShortcutKeys, TypeCommandMakesAnyOtherTypeRegularAndEntryCommandIsTakenOnRegularNotes) {
    HWND placeholder = MakeNote(300, kNotePlaceholder, 0x51);
    HWND regular = MakeNote(700, kNoteRegular, 0x52);
    HoldModifiers(kModifierCtrl | kModifierAlt);

    EXPECT_TRUE(NoteShortcutFilter(KeyMessage(placeholder, 'T')));
    EXPECT_EQ(NoteFromWindow(placeholder)->type, kNoteRegular);
    EXPECT_TRUE(NoteShortcutFilter(KeyMessage(placeholder, 'T')));
    EXPECT_EQ(NoteFromWindow(placeholder)->type, kNoteScheduled);

    EXPECT_TRUE(NoteShortcutFilter(KeyMessage(regular, 'A')));
    EXPECT_EQ(NoteFromWindow(regular)->type, kNoteRegular);
    EXPECT_TRUE(NoteFromWindow(regular)->entries.empty());
}

TEST_F(ShortcutKeys, RealKeysTypedInAFocusedNoteDockIt) {
    HWND note = MakeNote(300);
    SetForegroundWindow(note);
    SetFocus(NoteEditOf(note));
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == NoteEditOf(note); }));

    PressKeysTogether({VK_CONTROL, VK_MENU, VK_UP});
    const bool docked = PumpUntil([&] {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (NoteShortcutFilter(message)) continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        return NoteFromWindow(note)->dock == kDockTop;
    });
    EXPECT_TRUE(docked);
}

TEST_F(ShortcutKeys, GlobalRowsAreRegisteredAndAFailureIsFlagged) {
    // Another program owns Ctrl+Alt+D.
    ASSERT_TRUE(RegisterHotKey(probe_, 77, kCtrlAlt, 'D'));
    Shortcuts()[2].key = 0;  // "Desancrer toutes les notes" unbound

    RegisterGlobalHotKeys(hotKeyWindow_);

    EXPECT_FALSE(Shortcuts()[0].registrationFailed);
    EXPECT_TRUE(Shortcuts()[1].registrationFailed);
    EXPECT_FALSE(Shortcuts()[2].registrationFailed);
    EXPECT_FALSE(HotKeyIsFree(probe_, kCtrlAlt, 'N'));
    EXPECT_FALSE(HotKeyIsFree(probe_, kCtrlAlt, 'G'));
    EXPECT_TRUE(HotKeyIsFree(probe_, kCtrlAlt, 'U'));
    // Note rows are never registered.
    EXPECT_TRUE(HotKeyIsFree(probe_, kCtrlAlt, VK_LEFT));

    UnregisterHotKey(probe_, 77);
    UnregisterGlobalHotKeys();
    EXPECT_TRUE(HotKeyIsFree(probe_, kCtrlAlt, 'N'));
    EXPECT_TRUE(HotKeyIsFree(probe_, kCtrlAlt, 'G'));
}

TEST_F(ShortcutKeys, AnyNumbersInTheFileAreTakenAndWrittenBackWithoutHarm) {
    CreateDirectoryW(Wide(DataPath()), nullptr);
    WriteRawFile(DataPath(u"shortcuts.txt"),
                 "5|0|0\r\n"
                 "1|4294967295|4294967295\r\n"
                 "2|-1|99999999999999999999\r\n"
                 "-2147483648|3|65\r\n"
                 "99999999999|3|65\r\n"
                 "14|3\r\n");
    LoadShortcuts();

    EXPECT_EQ(Shortcuts()[4].key, 0u);
    EXPECT_EQ(Shortcuts()[0].modifiers, 4294967295u);
    EXPECT_EQ(Shortcuts()[0].key, 4294967295u);
    EXPECT_EQ(ShortcutText(Shortcuts()[0].modifiers, Shortcuts()[0].key), u"Ctrl+Alt+Maj+0xFFFFFFFF");
    EXPECT_EQ(Shortcuts()[13].key, 0x58u);

    // Registration refuses such keys instead of registering something else.
    RegisterGlobalHotKeys(hotKeyWindow_);
    EXPECT_TRUE(Shortcuts()[0].registrationFailed);
    EXPECT_TRUE(Shortcuts()[1].registrationFailed);
    HoldModifiers(kModifierCtrl | kModifierAlt);
    EXPECT_FALSE(NoteShortcutFilter(KeyMessage(hotKeyWindow_, 'C')));

    SaveShortcuts();
    EXPECT_EQ(ReadRawFile(DataPath(u"shortcuts.txt")),
              "1|4294967295|4294967295\r\n2|4294967295|4294967295\r\n3|3|85\r\n4|3|71\r\n5|0|0\r\n"
              "6|3|84\r\n7|3|80\r\n8|3|75\r\n9|3|65\r\n10|3|37\r\n11|3|38\r\n12|3|39\r\n13|3|40\r\n"
              "14|3|88\r\n");
}

}  // namespace
