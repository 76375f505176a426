// The settings window, driven from inside its own modal loop by a script of
// steps that a thread timer runs one per tick.
#include <functional>
#include <string>
#include <vector>

#include "i18n/translation.h"
#include "notes/note_window_state.h"
#include "reminders/notification_sound.h"
#include "settings/language_choice.h"
#include "settings/settings_window.h"
#include "settings/shortcuts.h"
#include "test_support.h"
#include "ui/modal_dialog.h"
#include "ui/shared_fonts.h"
#include "win/process_handles.h"
#include "win/wide.h"

namespace {

constexpr UINT kCtrlAlt = MOD_CONTROL | MOD_ALT;
constexpr BYTE kKeyDown = 0x80;

// Client points of the window's parts.
constexpr POINT kSoundCheckBox{420, 75};
constexpr POINT kLanguageBox{200, 160};
constexpr int kVolumeY = 99;
constexpr int kKeyBoxX = 350;
constexpr int kFirstGlobalRowTop = 212;
constexpr int kFirstNoteRowTop = 348;
constexpr int kRowHeight = 26;
constexpr int kKeyBoxMiddle = 13;

POINT KeyBoxOf(int row) {
    const int top = row < 4 ? kFirstGlobalRowTop + row * kRowHeight : kFirstNoteRowTop + (row - 4) * kRowHeight;
    return POINT{kKeyBoxX, top + kKeyBoxMiddle};
}

using Step = std::function<void(HWND settings)>;

// Runs one step per timer tick while a settings window of this thread is
// open. A script that has run out of steps cancels a window still open, so
// that a failing test cannot hang.
class SettingsScript {
public:
    explicit SettingsScript(std::vector<Step> steps) : steps_(std::move(steps)) {
        active_ = this;
        timer_ = SetTimer(nullptr, 0, kTickMs, &SettingsScript::OnTimer);
    }
    ~SettingsScript() {
        KillTimer(nullptr, timer_);
        active_ = nullptr;
    }
    SettingsScript(const SettingsScript&) = delete;
    SettingsScript& operator=(const SettingsScript&) = delete;

    size_t StepsRun() const { return next_; }

private:
    static constexpr UINT kTickMs = 20;

    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
        if (active_) active_->Tick();
    }

    void Tick() {
        const std::vector<HWND> windows = WindowsOfClass(kSettingsWindowClass);
        if (windows.empty()) return;
        if (next_ < steps_.size()) {
            steps_[next_++](windows.front());
        } else {
            PostMessageW(windows.front(), WM_COMMAND, IDCANCEL, 0);
        }
    }

    static inline SettingsScript* active_ = nullptr;
    std::vector<Step> steps_;
    size_t next_ = 0;
    UINT_PTR timer_ = 0;
};

// Opens the window and runs the steps in it; true when every step ran.
bool RunSettings(std::vector<Step> steps) {
    const size_t count = steps.size();
    SettingsScript script(std::move(steps));
    OpenSettingsWindow();
    return script.StepsRun() == count;
}

void Click(HWND window, POINT point) {
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
}

// A key pressed with Ctrl, Alt or Shift held, straight to the window.
void PressWith(HWND window, std::uint32_t modifiers, WPARAM key) {
    BYTE keys[256] = {};
    if (modifiers & kModifierCtrl) keys[VK_CONTROL] = kKeyDown;
    if (modifiers & kModifierAlt) keys[VK_MENU] = kKeyDown;
    if (modifiers & kModifierShift) keys[VK_SHIFT] = kKeyDown;
    SetKeyboardState(keys);
    SendMessageW(window, (modifiers & kModifierAlt) ? WM_SYSKEYDOWN : WM_KEYDOWN, key, 0);
    BYTE none[256] = {};
    SetKeyboardState(none);
}

void Command(HWND window, int id) {
    SendMessageW(window, WM_COMMAND, id, 0);
}

bool HotKeyIsFree(HWND probe, UINT modifiers, UINT key) {
    constexpr int kProbeId = 0xBEEF;
    if (!RegisterHotKey(probe, kProbeId, modifiers, key)) return false;
    UnregisterHotKey(probe, kProbeId);
    return true;
}

std::u16string ScreenshotFolder() {
    wchar_t folder[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(L"QB_SCREENSHOTS", folder, MAX_PATH);
    return length > 0 && length < MAX_PATH ? FromWide(folder) : std::u16string();
}

void ScreenshotIfAsked(HWND window, const std::u16string& name) {
    const std::u16string folder = ScreenshotFolder();
    if (folder.empty()) return;
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    SaveScreenshot(folder + u"\\" + name);
}

// Pixels of the key box's text drawn in the red of a failed registration.
int RedPixelsIn(HWND window, POINT keyBoxMiddle) {
    UpdateWindow(window);
    const WindowDc dc(window);
    int red = 0;
    for (int y = keyBoxMiddle.y - 8; y <= keyBoxMiddle.y + 8; ++y) {
        for (int x = keyBoxMiddle.x - 70; x <= keyBoxMiddle.x + 70; ++x) {
            const COLORREF pixel = GetPixel(dc.Get(), x, y);
            if (GetRValue(pixel) > GetGValue(pixel) + 60 && GetRValue(pixel) > GetBValue(pixel) + 60) ++red;
        }
    }
    return red;
}

class SettingsWindow : public DataFolderTest {
protected:
    void SetUp() override {
        DataFolderTest::SetUp();
        savedTray_ = TrayWindow();
        tray_ = CreateWindowExW(0, L"STATIC", L"tray", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        probe_ = CreateWindowExW(0, L"STATIC", L"probe", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        SetTrayWindow(tray_);
        Shortcuts() = DefaultShortcutTable();
        CurrentSoundSettings() = SoundSettings{};
        EnumerateLanguages();
        SwitchLanguage(u"fr");
        RegisterGlobalHotKeys(tray_);
    }
    void TearDown() override {
        UnregisterGlobalHotKeys();
        Shortcuts() = DefaultShortcutTable();
        CurrentSoundSettings() = SoundSettings{};
        SwitchLanguage(u"fr");
        SetTrayWindow(savedTray_);
        DestroyWindow(tray_);
        DestroyWindow(probe_);
        DataFolderTest::TearDown();
    }

    HWND MakeNote() {
        NoteCreateParams params;
        params.id = 0x77;
        params.x = 40;
        params.y = 40;
        params.body = u"text";
        return ShowNewNote(params);
    }

    HWND tray_ = nullptr;
    HWND probe_ = nullptr;
    HWND savedTray_ = nullptr;
};

TEST_F(SettingsWindow, HotKeysAreFreeWhileOpenAndTheRestOfTheProgramIsDisabled) {
    HWND note = MakeNote();
    ASSERT_FALSE(HotKeyIsFree(probe_, kCtrlAlt, 'N'));
    bool freeWhileOpen = false;
    bool noteEnabled = true;
    bool trayEnabled = true;
    bool modal = false;
    bool topmostPopup = false;

    EXPECT_TRUE(RunSettings({
        [&](HWND settings) {
            freeWhileOpen = HotKeyIsFree(probe_, kCtrlAlt, 'N') && HotKeyIsFree(probe_, kCtrlAlt, 'G');
            noteEnabled = IsWindowEnabled(note) != FALSE;
            trayEnabled = IsWindowEnabled(tray_) != FALSE;
            modal = ModalDialogActive();
            topmostPopup = (GetWindowLongPtrW(settings, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0 &&
                           GetWindow(settings, GW_OWNER) == tray_;
        },
        [](HWND settings) { Command(settings, IDCANCEL); },
    }));

    EXPECT_TRUE(freeWhileOpen);
    EXPECT_FALSE(noteEnabled);
    EXPECT_FALSE(trayEnabled);
    EXPECT_TRUE(modal);
    EXPECT_TRUE(topmostPopup);
    EXPECT_FALSE(ModalDialogActive());
    EXPECT_TRUE(IsWindowEnabled(note));
    EXPECT_TRUE(IsWindowEnabled(tray_));
    EXPECT_FALSE(HotKeyIsFree(probe_, kCtrlAlt, 'N'));
    EXPECT_FALSE(HotKeyIsFree(probe_, kCtrlAlt, 'G'));
    EXPECT_TRUE(WindowsOfClass(kSettingsWindowClass).empty());
}

TEST_F(SettingsWindow, CancelPutsBackTheBindingsOfTheOpeningAndSavesNothing) {
    const ShortcutTable before = Shortcuts();
    bool takenFromNewNote = false;

    EXPECT_TRUE(RunSettings({
        [](HWND settings) { Click(settings, KeyBoxOf(9)); },  // "Ancrer a gauche" waits
        [&](HWND settings) {
            PressWith(settings, kModifierCtrl | kModifierAlt, 'N');
            takenFromNewNote = Shortcuts()[9].key == 'N' && Shortcuts()[0].key == 0;
        },
        [](HWND settings) { Command(settings, kSettingsResetId); },
        [](HWND settings) { Click(settings, kSoundCheckBox); },
        [](HWND settings) { Click(settings, kLanguageBox); },
        [](HWND settings) { Click(settings, POINT{429, 14}); },  // the close cross
    }));

    EXPECT_TRUE(takenFromNewNote);
    EXPECT_EQ(Shortcuts(), before);
    EXPECT_FALSE(FileExists(DataPath(u"shortcuts.txt")));
    EXPECT_FALSE(FileExists(DataPath(u"son.txt")));
    EXPECT_EQ(CurrentSoundSettings(), SoundSettings{});
    EXPECT_EQ(CurrentLanguageCode(), u"fr");
    EXPECT_FALSE(HotKeyIsFree(probe_, kCtrlAlt, 'N'));
}

TEST_F(SettingsWindow, OkSavesShortcutsAndSoundAndSwitchesTheLanguage) {
    EXPECT_TRUE(RunSettings({
        [](HWND settings) { Click(settings, KeyBoxOf(9)); },
        [](HWND settings) { PressWith(settings, kModifierCtrl | kModifierAlt, 'N'); },
        [](HWND settings) { Click(settings, kSoundCheckBox); },
        [](HWND settings) {
            // Pressed on the track, dragged off the window to the right.
            SendMessageW(settings, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(90, kVolumeY));
            SendMessageW(settings, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(237, kVolumeY));
            SendMessageW(settings, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(600, kVolumeY));
            SendMessageW(settings, WM_LBUTTONUP, 0, MAKELPARAM(600, kVolumeY));
            SendMessageW(settings, WM_MOUSEMOVE, 0, MAKELPARAM(120, kVolumeY));  // released: no effect
        },
        [](HWND settings) { Click(settings, kLanguageBox); },  // Français -> English
        [](HWND settings) { Command(settings, IDOK); },
    }));

    EXPECT_EQ(ReadRawFile(DataPath(u"shortcuts.txt")),
              "1|0|0\r\n2|3|68\r\n3|3|85\r\n4|3|71\r\n5|3|67\r\n6|3|84\r\n7|3|80\r\n8|3|75\r\n9|3|65\r\n"
              "10|3|78\r\n11|3|38\r\n12|3|39\r\n13|3|40\r\n14|3|88\r\n");
    EXPECT_EQ(ReadRawFile(DataPath(u"son.txt")), "ENABLED=0\r\nVOLUME=100\r\nPATH=\r\n");
    EXPECT_EQ(ReadRawFile(DataPath(u"langue.txt")), "en");
    EXPECT_EQ(CurrentLanguageCode(), u"en");
    EXPECT_EQ(std::u16string(Translate(u"Quitter")), u"Quit");
    // Registered again with the new bindings: Ctrl+Alt+N is nobody's now.
    EXPECT_TRUE(HotKeyIsFree(probe_, kCtrlAlt, 'N'));
    EXPECT_FALSE(HotKeyIsFree(probe_, kCtrlAlt, 'D'));
}

TEST_F(SettingsWindow, VolumeFollowsThePressAndStaysWithinTheTrack) {
    struct Case {
        int x;
        const char* volumeLine;
    };
    const Case cases[] = {{90, "VOLUME=0"}, {237, "VOLUME=50"}, {389, "VOLUME=100"}, {84, "VOLUME=0"}};
    for (const Case& c : cases) {
        RunSettings({
            [&](HWND settings) { Click(settings, POINT{c.x, kVolumeY}); },
            [](HWND settings) { Command(settings, IDOK); },
        });
        EXPECT_NE(ReadRawFile(DataPath(u"son.txt")).find(c.volumeLine), std::string::npos) << c.x;
    }
}

TEST_F(SettingsWindow, EscapeEndsTheWaitFirstAndClosesTheWindowSecond) {
    bool openAfterFirstEscape = false;
    EXPECT_TRUE(RunSettings({
        [](HWND settings) { Click(settings, KeyBoxOf(4)); },
        [](HWND settings) { PostMessageW(settings, WM_KEYDOWN, VK_ESCAPE, 0); },
        [&](HWND settings) {
            openAfterFirstEscape = IsWindow(settings) != FALSE;
            PostMessageW(settings, WM_KEYDOWN, VK_ESCAPE, 0);
        },
    }));
    EXPECT_TRUE(openAfterFirstEscape);
    EXPECT_TRUE(WindowsOfClass(kSettingsWindowClass).empty());
    EXPECT_EQ(Shortcuts(), DefaultShortcutTable());
}

TEST_F(SettingsWindow, AltF4NeitherOnTheWindowNorOnAButtonClosesIt) {
    constexpr LPARAM kAltDown = LPARAM{1} << 29;
    bool stillOpen = false;
    EXPECT_TRUE(RunSettings({
        [](HWND settings) {
            PostMessageW(settings, WM_SYSKEYDOWN, VK_F4, kAltDown);
            PostMessageW(GetDlgItem(settings, IDOK), WM_SYSKEYDOWN, VK_F4, kAltDown);
        },
        [](HWND) {},  // the system's close request, if any, arrives meanwhile
        [&](HWND settings) {
            stillOpen = IsWindow(settings) != FALSE;
            Command(settings, IDCANCEL);
        },
    }));
    EXPECT_TRUE(stillOpen);
}

TEST_F(SettingsWindow, DoesNotOpenOverAnotherDialog) {
    const ModalDialogScope otherDialog;
    SettingsScript script({});
    OpenSettingsWindow();
    EXPECT_TRUE(WindowsOfClass(kSettingsWindowClass).empty());
    EXPECT_FALSE(HotKeyIsFree(probe_, kCtrlAlt, 'N'));
}

TEST_F(SettingsWindow, FailedRegistrationShowsRedAndAWaitingRowItsPrompt) {
    EnsureTextFont();
    // Another program owns Ctrl+Alt+D, so "Ancrer toutes les notes" fails.
    UnregisterGlobalHotKeys();
    ASSERT_TRUE(RegisterHotKey(probe_, 77, kCtrlAlt, 'D'));
    RegisterGlobalHotKeys(nullptr);
    ASSERT_TRUE(Shortcuts()[1].registrationFailed);
    int redInFailedRow = 0;
    int redInOtherRow = 0;

    EXPECT_TRUE(RunSettings({
        [&](HWND settings) {
            redInFailedRow = RedPixelsIn(settings, KeyBoxOf(1));
            redInOtherRow = RedPixelsIn(settings, KeyBoxOf(0));
        },
        [](HWND settings) { Click(settings, KeyBoxOf(9)); },
        [](HWND settings) { ScreenshotIfAsked(settings, u"settings-waiting-red.bmp"); },
        [](HWND settings) { Command(settings, IDCANCEL); },
    }));
    UnregisterHotKey(probe_, 77);

    EXPECT_GT(redInFailedRow, 10);
    EXPECT_EQ(redInOtherRow, 0);
    EXPECT_TRUE(Shortcuts()[1].registrationFailed);  // still owned by the other program
}

TEST_F(SettingsWindow, PaintsInTheActiveLanguage) {
    EnsureTextFont();
    std::u16string frenchTitle;
    std::u16string englishTitle;
    std::u16string englishReset;
    RunSettings({
        [&](HWND settings) {
            frenchTitle = WindowTextOf(settings);
            ScreenshotIfAsked(settings, u"settings-fr.bmp");
        },
        [](HWND settings) { Command(settings, IDCANCEL); },
    });
    SwitchLanguage(u"en");
    RunSettings({
        [&](HWND settings) {
            englishTitle = WindowTextOf(settings);
            englishReset = WindowTextOf(GetDlgItem(settings, kSettingsResetId));
            ScreenshotIfAsked(settings, u"settings-en.bmp");
        },
        [](HWND settings) { Command(settings, IDCANCEL); },
    });
    EXPECT_EQ(frenchTitle, u"Parametres");
    EXPECT_EQ(englishTitle, u"Settings");
    EXPECT_EQ(englishReset, u"Reset");
}

}  // namespace
