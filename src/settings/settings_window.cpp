#include "settings/settings_window.h"

#include <commdlg.h>
#include <windowsx.h>

#include <string>

#include "i18n/core/translation.h"
#include "notes/note_passes.h"
#include "notes/note_window_state.h"
#include "notes/restore_window.h"
#include "reminders/notification_sound.h"
#include "settings/language_choice.h"
#include "settings/notes_folder_command.h"
#include "settings/settings_painting.h"
#include "settings/settings_state.h"
#include "settings/shortcuts.h"
#include "ui/dialog.h"
#include "ui/dialog_window.h"
#include "ui/modal_dialog.h"
#include "ui/save_failure.h"
#include "ui/shared_fonts.h"
#include "win/handles.h"
#include "win/process_handles.h"
#include "win/system_function.h"
#include "win/wide.h"

namespace {

constexpr int kButtonTextCharacters = 23;
constexpr DWORD kButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;
constexpr DWORD kSoundFileCharacters = 260;
constexpr wchar_t kSoundFileFilter[] = L"Fichiers son (*.wav)\0*.wav\0";

struct SettingsButton {
    int id;
    const char16_t* text;  // French source, shown through Translate
    int x;
    int y;
    int width;
    int height;
};

// In tab order.
constexpr SettingsButton kButtons[] = {
    {kSettingsResetId, u"Reinitialiser", 12, 658, 120, 28},
    {IDCANCEL, u"Annuler", 244, 658, 90, 28},
    {IDOK, u"OK", 342, 658, 90, 28},
    {kSettingsChooseSoundId, u"Choisir…", 220, 115, 76, 26},
    {kSettingsDefaultSoundId, u"Defaut", 302, 115, 64, 26},
    {kSettingsTestSoundId, u"Tester", 372, 115, 60, 26},
    {kSettingsChooseFolderId, u"Choisir…", 356, 180, 76, 26},
    {kSettingsRestoreId, u"Restaurer…", 138, 658, 100, 28},
};

void Repaint(HWND window) {
    InvalidateRect(window, nullptr, FALSE);
}

bool IsCloseOrMenuKey(WPARAM command) {
    const WPARAM kind = command & 0xFFF0;
    return kind == SC_CLOSE || kind == SC_KEYMENU;
}

// Centred on the primary work area.
Rect SettingsPlace() {
    RECT workArea{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    const int left = workArea.left + (workArea.right - workArea.left - kSettingsWidth) / 2;
    const int top = workArea.top + (workArea.bottom - workArea.top - kSettingsHeight) / 2;
    return Rect{left, top, left + kSettingsWidth, top + kSettingsHeight};
}

SettingsState InitialState() {
    SettingsState state;
    state.shortcuts = Shortcuts();
    state.sound = ActiveSoundSettings();
    state.languageIndex = LanguageIndexOf(AvailableLanguages(), CurrentLanguageCode());
    state.rows = LayoutShortcutRows(state.shortcuts);
    return state;
}

class SettingsWindow final : public Dialog {
public:
    SettingsWindow() : Dialog(kSettingsColour), state_(InitialState()) {}

private:
    HWND CreateControls() override;
    void OnOk() noexcept override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept override;
    // The notes and the tray window take no input while the window is open.
    void DisableOwner() override;
    void EnableOwner() override;
    // While a row waits for a key, the keys go to the window itself: Tab,
    // Enter, Escape and the arrows can then be bound.
    bool KeysToWindow() const override { return state_.waitingRow >= 0; }

    void ChooseSoundFile();
    void ChooseNotesFolder();
    void OnCommand(int id);
    void OnLeftButtonDown(Point point);
    void OnMouseMove(int x);
    void StopDragging();
    void OnKeyDown(WPARAM key);
    LRESULT OnHitTest(LPARAM lParam) const;

    SettingsState state_;
};

HWND SettingsWindow::CreateControls() {
    const HFONT font = TextFontOrDefault();
    for (const SettingsButton& button : kButtons) {
        const Rect place{button.x, button.y, button.x + button.width, button.y + button.height};
        CreateDialogControl(Window(), L"BUTTON", Translate(button.text), kButtonStyle, button.id, place, font);
    }
    return nullptr;
}

void SettingsWindow::DisableOwner() {
    const auto disable = [this](HWND window) {
        if (!IsWindowEnabled(window)) return;
        EnableWindow(window, FALSE);
        state_.disabledWindows.push_back(window);
    };
    if (HWND tray = Owner()) disable(tray);
    ForEachNoteWindow(disable);
}

// Enables again only what DisableOwner disabled.
void SettingsWindow::EnableOwner() {
    for (HWND window : state_.disabledWindows) {
        if (IsWindow(window)) EnableWindow(window, TRUE);
    }
    state_.disabledWindows.clear();
}

// The copies become the program's settings, whether or not their files
// could be written; the user is told when one could not, and it is written
// again later.
void SettingsWindow::OnOk() noexcept {
    DWORD error = ERROR_SUCCESS;
    const auto keepError = [&error](bool saved) {
        if (!saved && error == ERROR_SUCCESS) error = GetLastError();
    };
    Shortcuts() = state_.shortcuts;
    keepError(SaveShortcuts());
    ActiveSoundSettings() = state_.sound;
    keepError(SaveSoundSettings());
    keepError(SwitchLanguage(LanguageCodeAt(AvailableLanguages(), state_.languageIndex)));
    RepaintAllNotes();
    Accept();
    if (error != ERROR_SUCCESS) WarnNotSaved(nullptr, u"Les paramètres n'ont pas pu être enregistrés.", error);
}

void SettingsWindow::ChooseSoundFile() {
    std::wstring file(kSoundFileCharacters, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = Window();
    dialog.lpstrFilter = kSoundFileFilter;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = kSoundFileCharacters;
    dialog.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    const auto open = SystemFunction<decltype(GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW");
    if (!open || !open(&dialog)) return;
    state_.sound.path = FromWide(file.c_str());
    Repaint(Window());
}

void SettingsWindow::ChooseNotesFolder() {
    const std::u16string language = LanguageCodeAt(AvailableLanguages(), state_.languageIndex);
    if (ChangeNotesFolder(Window())) {
        // The languages offered are those of the new folder's files.
        state_.languageIndex = LanguageIndexOf(AvailableLanguages(), language);
        DisableOwner();  // notes loaded from the new folder wait for the window too
    }
    Repaint(Window());
}

void SettingsWindow::OnCommand(int id) {
    switch (id) {
        case kSettingsResetId:
            ResetShortcuts(state_.shortcuts);
            Repaint(Window());
            break;
        case kSettingsChooseSoundId:
            ChooseSoundFile();
            break;
        case kSettingsDefaultSoundId:
            state_.sound.path.clear();
            Repaint(Window());
            break;
        case kSettingsTestSoundId:
            PlayNotificationSound(state_.sound.path, state_.sound.volume);
            break;
        case kSettingsChooseFolderId:
            ChooseNotesFolder();
            break;
        case kSettingsRestoreId:
            RunRestoreWindow(Window());
            DisableOwner();  // notes brought back wait for the window too
            break;
        default:
            break;
    }
}

void SettingsWindow::OnLeftButtonDown(Point point) {
    const SettingsHitResult hit = HitTestSettings(point, state_.rows, AvailableLanguages().size());
    switch (hit.hit) {
        case SettingsHit::CloseCross:
            Close();
            return;
        case SettingsHit::SoundCheckBox:
            state_.sound.enabled = !state_.sound.enabled;
            break;
        case SettingsHit::LanguageBox:
            state_.languageIndex =
                NextLanguageIndex(state_.languageIndex, static_cast<int>(AvailableLanguages().size()));
            break;
        case SettingsHit::Volume:
            state_.draggingVolume = true;
            SetCapture(Window());
            state_.sound.volume = VolumeAtX(point.x);
            break;
        case SettingsHit::KeyBox:
            state_.waitingRow = hit.row;
            SetFocus(Window());  // the keys must come here, not to a button
            break;
        case SettingsHit::Elsewhere:
            if (state_.waitingRow < 0) return;
            state_.waitingRow = -1;
            break;
    }
    Repaint(Window());
}

void SettingsWindow::OnMouseMove(int x) {
    if (!state_.draggingVolume) return;
    state_.sound.volume = VolumeAtX(x);
    Repaint(Window());
}

void SettingsWindow::StopDragging() {
    if (!state_.draggingVolume) return;
    state_.draggingVolume = false;
    ReleaseCapture();
}

void SettingsWindow::OnKeyDown(WPARAM key) {
    if (state_.waitingRow < 0) return;  // so Alt+F4 and F10 do nothing
    const CaptureResult result =
        CaptureKey(state_.shortcuts, state_.waitingRow, static_cast<std::uint32_t>(key), CurrentModifiers());
    if (result.beep) MessageBeep(MB_ICONEXCLAMATION);
    if (!result.waitEnds) return;
    state_.waitingRow = -1;
    Repaint(Window());
}

LRESULT SettingsWindow::OnHitTest(LPARAM lParam) const {
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ScreenToClient(Window(), &point);
    return IsSettingsCaption(Point{point.x, point.y}) ? HTCAPTION : HTCLIENT;
}

LRESULT SettingsWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    switch (message) {
        case WM_NCHITTEST:
            return OnHitTest(lParam);
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            const PaintScope paint(Window());
            if (paint.Dc()) PaintSettingsWindow(Window(), paint.Dc(), Brush(), state_);
            return 0;
        }
        case WM_LBUTTONDOWN:
            OnLeftButtonDown(Point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove(GET_X_LPARAM(lParam));
            return 0;
        case WM_LBUTTONUP:
            StopDragging();
            return 0;
        case WM_CAPTURECHANGED:
            state_.draggingVolume = false;  // the capture is gone: no drag without it
            return 0;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            OnKeyDown(wParam);
            return 0;
        case WM_SYSKEYUP:
        case WM_SYSCHAR:
            return 0;  // no menu mode: the window has no menu to enter
        case WM_SYSCOMMAND:
            // Alt+F4 pressed on a button reaches the window as SC_CLOSE.
            if (IsCloseOrMenuKey(wParam)) return 0;
            break;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam));
            return 0;
        case WM_DRAWITEM:
            if (DrawDialogButton(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), Colour(), Brush(),
                                 kButtonTextCharacters)) {
                return 1;
            }
            break;
        default:
            break;
    }
    return DefWindowProcW(Window(), message, wParam, lParam);
}

}  // namespace

void OpenSettingsWindow(HWND trayWindow) {
    if (ModalDialogActive()) return;
    // Unregistered while the window is open, so that they can be rebound;
    // registered again with whatever bindings the window leaves.
    UnregisterGlobalHotKeys();
    SettingsWindow window;
    window.Run({.className = kSettingsWindowClass,
                .title = Translate(u"Parametres"),
                .place = SettingsPlace(),
                .owner = trayWindow});
    RegisterGlobalHotKeys(nullptr);
}
