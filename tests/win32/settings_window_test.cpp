// The settings window, driven from inside its own modal loop by the steps
// of the scripted user.
#include <functional>
#include <string>
#include <vector>

#include "i18n/core/translation.h"
#include "notes/note_save.h"
#include "notes/note_window_state.h"
#include "reminders/notification_sound.h"
#include "settings/language_choice.h"
#include "settings/settings_window.h"
#include "settings/shortcuts.h"
#include "storage/data_directory.h"
#include "storage/text_files.h"
#include "support/note_file_text.h"
#include "support/program_names.h"
#include "support/screen_picture.h"
#include "support/scripted_user.h"
#include "support/shell_data_folder_test.h"
#include "support/shell_test_notes.h"
#include "support/window_checks.h"
#include "support/windows_test_support.h"
#include "ui/shared_fonts.h"
#include "win/handles.h"
#include "win/process_handles.h"
#include "win/wide.h"

namespace {

constexpr UINT kCtrlAlt = MOD_CONTROL | MOD_ALT;
constexpr POINT kSoundCheckBox{420, 75};
constexpr POINT kLanguageBox{200, 160};
constexpr int kVolumeY = 99;

// The middle of a row's key box: six global rows from 242, note rows from 418.
POINT KeyBoxOf(int row) {
    return POINT{350, (row < 6 ? 242 + row * 24 : 418 + (row - 6) * 24) + 12};
}

using Step = std::function<void(HWND settings)>;

// Opens the window and takes the steps in it, one per tick of the scripted
// user; true when every step was taken and the last one closed the window.
// Out of steps with the window still open, it cancels the window, so that a
// failing test cannot hang.
bool RunSettings(HWND tray, std::vector<Step> steps) {
    ScriptedUser user;
    for (Step& step : steps) user.WhenEnabled(kSettingsClass, std::move(step));
    user.WhenEnabled(kSettingsClass, [](HWND settings) { PostMessageW(settings, WM_COMMAND, IDCANCEL, 0); });
    OpenSettingsWindow(tray);
    const bool closedByTheSteps = user.StepsLeft() == 1;
    user.Forget();
    return closedByTheSteps;
}

void Click(HWND window, POINT point) {
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
}

void PressCtrlAlt(HWND window, WPARAM key) {
    BYTE keys[256] = {};
    keys[VK_CONTROL] = keys[VK_MENU] = 0x80;
    SetKeyboardState(keys);
    SendMessageW(window, WM_SYSKEYDOWN, key, 0);
    keys[VK_CONTROL] = keys[VK_MENU] = 0;
    SetKeyboardState(keys);
}

// Whether another program could take Ctrl+Alt+key as its hot key now.
bool HotKeyIsFree(UINT key) {
    if (!RegisterHotKey(nullptr, 0xBEEF, kCtrlAlt, key)) return false;
    UnregisterHotKey(nullptr, 0xBEEF);
    return true;
}

// Pixels around a key box's middle in the red of a failed registration.
int RedPixelsAround(HWND window, POINT middle) {
    UpdateWindow(window);
    const WindowDc dc(window);
    int red = 0;
    for (int y = middle.y - 8; y <= middle.y + 8; ++y) {
        for (int x = middle.x - 70; x <= middle.x + 70; ++x) {
            const COLORREF pixel = GetPixel(dc.Get(), x, y);
            red += GetRValue(pixel) > GetGValue(pixel) + 60 && GetRValue(pixel) > GetBValue(pixel) + 60;
        }
    }
    return red;
}

// A line of a message on its own, as a path is shown there.
std::u16string OnItsOwnLine(const std::u16string& text) {
    std::u16string line(u"\n");
    line += text;
    line += u'\n';
    return line;
}

constexpr int kPickerNameField = 1152;  // where a folder's path is typed in the folder picker

HWND FolderPicker() {
    for (HWND dialog : VisibleWindows(GetCurrentProcessId(), kDialogClass)) {
        if (GetDlgItem(dialog, kPickerNameField)) return dialog;
    }
    return nullptr;
}

// Presses "Choisir…" on the folder row, types the folder into the picker and
// confirms it, then answers the message that follows.
void ChooseFolder(ScriptedUser& user, const std::u16string& folder, UINT answer, Seen* told) {
    user.WhenEnabled(kSettingsClass, [](HWND settings) {
        SaveScreenshotIfAsked(u"settings-folder-before", settings);
        PostMessageW(settings, WM_COMMAND, kSettingsChooseFolderId, 0);
    });
    user.Then([folder] {
        HWND picker = FolderPicker();
        if (!picker) return false;
        SetDlgItemTextW(picker, kPickerNameField, Wide(folder));
        PostMessageW(picker, WM_COMMAND, IDOK, 0);
        return true;
    });
    user.Then([] { return FolderPicker() == nullptr; });
    user.Then([] {
        SaveScreenshotIfAsked(u"folder-message");
        return true;
    });
    user.AnswerMessageBox(answer, told);
}

class SettingsWindow : public DataFolderTest {
protected:
    void SetUp() override {
        DataFolderTest::SetUp();
        tray_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        RegisterGlobalHotKeys(tray_);
    }
    void TearDown() override {
        UnregisterGlobalHotKeys();
        DestroyWindow(tray_);
        DataFolderTest::TearDown();
    }

    HWND tray_ = nullptr;
    TemporaryFolder elsewhere_;
};

TEST_F(SettingsWindow, WhileOpenHotKeysAreFreeAndNotesDisabledAndCancelPutsBackEverything) {
    constexpr LPARAM kAltDown = LPARAM{1} << 29;
    HWND note = MakeNote(TestNote{.id = 0x77});
    // A note whose own dialog (a picker, its colour dialog) is open is
    // disabled by that dialog, and must stay so until it closes.
    HWND busy = MakeNote(TestNote{.id = 0x78});
    EnableWindow(busy, FALSE);
    ASSERT_FALSE(HotKeyIsFree('N'));
    bool hotKeysFree = false;
    bool noteOrTrayEnabled = true;

    // Alt+F4 does nothing, even to a row waiting for its keys; Escape ends
    // the wait, and only when nothing waits closes the window.
    EXPECT_TRUE(RunSettings(tray_, {
        [&](HWND settings) {
            SaveScreenshotIfAsked(u"settings-fr", settings);
            hotKeysFree = HotKeyIsFree('N') && HotKeyIsFree('G');
            noteOrTrayEnabled = IsWindowEnabled(note) || IsWindowEnabled(tray_);
            PostMessageW(settings, WM_SYSKEYDOWN, VK_F4, kAltDown);
            PostMessageW(GetDlgItem(settings, IDOK), WM_SYSKEYDOWN, VK_F4, kAltDown);
            Click(settings, KeyBoxOf(6));
        },
        [](HWND settings) { PostMessageW(settings, WM_KEYDOWN, VK_ESCAPE, 0); },
        [](HWND settings) { Click(settings, KeyBoxOf(11)); },  // "Ancrer à gauche" waits
        [](HWND settings) { PressCtrlAlt(settings, 'N'); },
        [](HWND settings) { SendMessageW(settings, WM_COMMAND, kSettingsResetId, 0); },
        [](HWND settings) { Click(settings, kSoundCheckBox); },
        [](HWND settings) { Click(settings, kLanguageBox); },
        [](HWND settings) { PostMessageW(settings, WM_KEYDOWN, VK_ESCAPE, 0); },
    }));

    EXPECT_TRUE(hotKeysFree);
    EXPECT_FALSE(noteOrTrayEnabled);
    EXPECT_EQ(Shortcuts(), DefaultShortcutTable());
    EXPECT_FALSE(FileExists(DataPath(u"shortcuts.txt")) || FileExists(DataPath(u"son.txt")));
    EXPECT_EQ(ActiveSoundSettings(), SoundSettings{});
    EXPECT_EQ(CurrentLanguageCode(), u"fr");
    EXPECT_TRUE(IsWindowEnabled(note) && IsWindowEnabled(tray_));
    EXPECT_FALSE(IsWindowEnabled(busy));
    EXPECT_FALSE(HotKeyIsFree('N'));
    EXPECT_FALSE(HotKeyIsFree('G'));
}

TEST_F(SettingsWindow, OkSavesShortcutsAndSoundAndSwitchesTheLanguage) {
    EXPECT_TRUE(RunSettings(tray_, {
        [](HWND settings) { Click(settings, KeyBoxOf(11)); },
        [](HWND settings) { PressCtrlAlt(settings, 'N'); },
        [](HWND settings) { Click(settings, kSoundCheckBox); },
        [](HWND settings) {
            // Pressed at 50 %, dragged off the window to the right, released.
            SendMessageW(settings, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(237, kVolumeY));
            SendMessageW(settings, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(600, kVolumeY));
            SendMessageW(settings, WM_LBUTTONUP, 0, MAKELPARAM(600, kVolumeY));
            SendMessageW(settings, WM_MOUSEMOVE, 0, MAKELPARAM(120, kVolumeY));
        },
        [](HWND settings) { Click(settings, kLanguageBox); },  // Français -> English
        [](HWND settings) { SendMessageW(settings, WM_COMMAND, IDOK, 0); },
    }));

    EXPECT_EQ(ReadRawFile(DataPath(u"shortcuts.txt")),
              "1|0|0\r\n2|3|68\r\n3|3|85\r\n4|3|71\r\n17|3|70\r\n18|3|86\r\n5|3|67\r\n6|3|84\r\n7|3|80\r\n"
              "8|3|75\r\n9|3|65\r\n10|3|78\r\n11|3|38\r\n12|3|39\r\n13|3|40\r\n14|3|88\r\n");
    EXPECT_EQ(ReadRawFile(DataPath(u"son.txt")), "ENABLED=0\r\nVOLUME=100\r\nPATH=\r\n");
    EXPECT_EQ(ReadRawFile(DataPath(u"langue.txt")), "en");
    EXPECT_EQ(std::u16string(Translate(u"Quitter")), u"Quit");
    // Registered again with the new bindings: Ctrl+Alt+N is nobody's now.
    EXPECT_TRUE(HotKeyIsFree('N'));
    EXPECT_FALSE(HotKeyIsFree('D'));
}

TEST_F(SettingsWindow, FailedRegistrationIsRedAndTheWindowSpeaksTheActiveLanguage) {
    EnsureTextFont();
    UnregisterGlobalHotKeys();
    ASSERT_TRUE(RegisterHotKey(nullptr, 77, kCtrlAlt, 'D'));  // another program owns Ctrl+Alt+D
    RegisterGlobalHotKeys(nullptr);
    int redInFailedRow = 0;
    int redInOtherRow = 0;
    RunSettings(tray_, {
        [&](HWND settings) {
            redInFailedRow = RedPixelsAround(settings, KeyBoxOf(1));
            redInOtherRow = RedPixelsAround(settings, KeyBoxOf(0));
            Click(settings, KeyBoxOf(11));
        },
        [](HWND settings) { SaveScreenshotIfAsked(u"settings-waiting-red", settings); },
    });
    UnregisterHotKey(nullptr, 77);
    RegisterGlobalHotKeys(nullptr);
    EXPECT_FALSE(Shortcuts()[1].registrationFailed);
    EXPECT_GT(redInFailedRow, 10);
    EXPECT_EQ(redInOtherRow, 0);

    EXPECT_TRUE(SwitchLanguage(u"en"));
    std::u16string title;
    EXPECT_TRUE(RunSettings(tray_, {
        [&](HWND settings) {
            title = WindowTextOf(settings);
            SaveScreenshotIfAsked(u"settings-en", settings);
        },
        [](HWND settings) { Click(settings, POINT{429, 14}); },  // the close cross
    }));
    EXPECT_EQ(title, u"Settings");
}

// The move applies at once: Cancel closes the window, and the notes stay in
// their new folder, the same windows saving there.
TEST_F(SettingsWindow, ChoosingAnEmptyFolderMovesTheNotesThereAtOnce) {
    // Not as the program writes it (keys out of order): any save would show.
    const std::string saved = "Y=300\r\nX=200\r\n---\r\nà garder";
    Data().WriteNote(0x77, saved);
    HWND note = LoadTheOnlyNote();
    ASSERT_NE(note, nullptr);
    const std::u16string chosen = elsewhere_.Path() + u"\\Notes";
    CreateDirectoryW(Wide(chosen), nullptr);
    Seen told;
    ScriptedUser user;
    ChooseFolder(user, chosen, IDOK, &told);
    user.WhenEnabled(kSettingsClass, [](HWND settings) {
        SaveScreenshotIfAsked(u"settings-folder-after", settings);
        PostMessageW(settings, WM_COMMAND, IDCANCEL, 0);
    });
    OpenSettingsWindow(tray_);
    EXPECT_EQ(user.StepsLeft(), 0u);

    EXPECT_NE(told.text.find(OnItsOwnLine(chosen)), std::u16string::npos);
    EXPECT_TRUE(told.text.ends_with(DataPath()));  // the old folder, named last
    EXPECT_EQ(DataDirectory(), chosen);
    EXPECT_EQ(Data().Read(u"dossier.txt"), EncodeUtf8(chosen));
    EXPECT_EQ(ReadRawFile(chosen + u"\\notes\\note_0000000000000077.txt"), saved);
    EXPECT_EQ(Data().ReadNote(0x77), saved);
    ASSERT_TRUE(IsWindow(note));
    EXPECT_TRUE(IsWindowEnabled(note));
    EXPECT_EQ(NoteFileOf(note), chosen + u"\\notes\\note_0000000000000077.txt");
    SaveNote(note);
    EXPECT_EQ(ReadRawFile(NoteFileOf(note)), NoteFileText({.x = 200, .y = 300, .body = "à garder"}));
    EXPECT_EQ(Data().ReadNote(0x77), saved);
}

// A folder synced from another machine: its notes take the place of those on
// the screen once the user agrees, and nothing is copied either way.
TEST_F(SettingsWindow, AFolderThatHoldsNotesShowsThemOnceTheUserAgrees) {
    HWND note = MakeNote(TestNote{.id = 0x77, .text = u"d'ici"});
    SaveNote(note);
    const std::string saved = SavedFile(note);
    const std::u16string chosen = elsewhere_.Path() + u"\\Synced";
    CreateDirectoryW(Wide(chosen), nullptr);
    CreateDirectoryW(Wide(chosen + u"\\notes"), nullptr);
    const std::string theirs = NoteFileText({.x = 500, .body = "from the other machine"});
    WriteRawFile(chosen + u"\\notes\\note_00000000000000F1.txt", theirs);

    bool newNoteDisabled = false;
    for (const UINT answer : {IDNO, IDYES}) {
        Seen asked;
        ScriptedUser user;
        ChooseFolder(user, chosen, answer, &asked);
        user.WhenEnabled(kSettingsClass, [&](HWND settings) {
            for (HWND window : WindowsOfClass(kNoteClass)) newNoteDisabled = !IsWindowEnabled(window);
            PostMessageW(settings, WM_COMMAND, IDCANCEL, 0);
        });
        OpenSettingsWindow(tray_);
        EXPECT_EQ(user.StepsLeft(), 0u);
        EXPECT_NE(asked.text.find(OnItsOwnLine(chosen)), std::u16string::npos);
        EXPECT_EQ(DataDirectory(), answer == IDYES ? chosen : DataPath());
    }

    const std::vector<HWND> notes = WindowsOfClass(kNoteClass);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(NoteFromWindow(notes[0])->id, 0xF1u);
    EXPECT_EQ(NoteText(notes[0]), u"from the other machine");
    EXPECT_TRUE(newNoteDisabled);
    EXPECT_TRUE(IsWindowEnabled(notes[0]));
    EXPECT_EQ(Data().ReadNote(0x77), saved);
    EXPECT_FALSE(FileExists(chosen + u"\\notes\\note_0000000000000077.txt"));
    EXPECT_EQ(ReadRawFile(chosen + u"\\notes\\note_00000000000000F1.txt"), theirs);
}

}  // namespace

namespace {

// "Restaurer…" opens the restore window over the settings window, which
// takes no input until it closes and is then usable again.
TEST_F(SettingsWindow, RestaurerOpensTheRestoreWindowOverIt) {
    HWND restoreOwner = nullptr;
    bool settingsDisabled = false;
    bool settingsBackAfter = false;
    ScriptedUser user;
    user.WhenEnabled(kSettingsClass,
                     [](HWND settings) { PostMessageW(settings, WM_COMMAND, kSettingsRestoreId, 0); });
    user.WhenEnabled(kRestoreClass, [&](HWND restore) {
        restoreOwner = GetWindow(restore, GW_OWNER);
        settingsDisabled = restoreOwner && !IsWindowEnabled(restoreOwner);
        PostMessageW(restore, WM_KEYDOWN, VK_ESCAPE, 0);
    });
    user.WhenEnabled(kSettingsClass, [&](HWND settings) {
        settingsBackAfter = settings == restoreOwner;
        PostMessageW(settings, WM_COMMAND, IDCANCEL, 0);
    });
    OpenSettingsWindow(tray_);
    EXPECT_EQ(user.StepsLeft(), 0u);
    EXPECT_NE(restoreOwner, nullptr);
    EXPECT_TRUE(settingsDisabled);
    EXPECT_TRUE(settingsBackAfter);
}

}  // namespace
