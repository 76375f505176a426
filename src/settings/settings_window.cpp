#include "settings/settings_window.h"

#include <commdlg.h>
#include <windowsx.h>

#include <string>

#include "i18n/core/translation.h"
#include "notes/note_passes.h"
#include "notes/note_window_state.h"
#include "reminders/notification_sound.h"
#include "settings/language_choice.h"
#include "settings/settings_painting.h"
#include "settings/settings_state.h"
#include "settings/shortcuts.h"
#include "ui/dialog_chrome.h"
#include "ui/dialog_window.h"
#include "ui/modal_dialog.h"
#include "ui/save_failure.h"
#include "ui/shared_fonts.h"
#include "win/handles.h"
#include "win/process_handles.h"
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
};

bool classRegistered = false;

SettingsState* StateOf(HWND window) {
    return reinterpret_cast<SettingsState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void Repaint(HWND window) {
    InvalidateRect(window, nullptr, FALSE);
}

// The notes and the tray window take no input while the window is open.
void DisableRestOfProgram(SettingsState& state) {
    const auto disable = [&state](HWND window) {
        if (!IsWindowEnabled(window)) return;
        EnableWindow(window, FALSE);
        state.disabledWindows.push_back(window);
    };
    if (HWND tray = TrayWindow()) disable(tray);
    ForEachNoteWindow(disable);
}

// Enables again only what DisableRestOfProgram disabled.
void EnableRestOfProgram(SettingsState& state) {
    for (HWND window : state.disabledWindows) {
        if (IsWindow(window)) EnableWindow(window, TRUE);
    }
    state.disabledWindows.clear();
}

void Close(HWND window, SettingsState& state) {
    state.done = true;
    // Enabled again first, so that the activation can go back to a note.
    EnableRestOfProgram(state);
    DestroyWindow(window);
}

// The settings take effect whether or not their files could be written;
// the user is told when one could not, and it is written again later.
void Apply(HWND window, SettingsState& state) {
    DWORD error = ERROR_SUCCESS;
    const auto keepError = [&error](bool saved) {
        if (!saved && error == ERROR_SUCCESS) error = GetLastError();
    };
    keepError(SaveShortcuts());
    SoundSettings& sound = ActiveSoundSettings();
    sound.enabled = state.soundEnabled;
    sound.volume = state.volume;
    sound.path = state.soundPath;
    keepError(SaveSoundSettings());
    keepError(SwitchLanguage(LanguageCodeAt(AvailableLanguages(), state.languageIndex)));
    RepaintAllNotes();
    state.applied = true;
    Close(window, state);
    if (error != ERROR_SUCCESS) WarnNotSaved(nullptr, u"Les paramètres n'ont pas pu être enregistrés.", error);
}

void ChooseSoundFile(HWND window, SettingsState& state) {
    std::wstring file(kSoundFileCharacters, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = window;
    dialog.lpstrFilter = kSoundFileFilter;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = kSoundFileCharacters;
    dialog.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    if (!GetOpenFileNameW(&dialog)) return;
    state.soundPath = FromWide(file.c_str());
    Repaint(window);
}

void OnCommand(HWND window, SettingsState& state, int id) {
    switch (id) {
        case IDOK:
            Apply(window, state);
            break;
        case IDCANCEL:
            Close(window, state);
            break;
        case kSettingsResetId:
            ResetShortcuts(Shortcuts());
            Repaint(window);
            break;
        case kSettingsChooseSoundId:
            ChooseSoundFile(window, state);
            break;
        case kSettingsDefaultSoundId:
            state.soundPath.clear();
            Repaint(window);
            break;
        case kSettingsTestSoundId:
            PlayNotificationSound(state.soundPath, state.volume);
            break;
        default:
            break;
    }
}

void OnLeftButtonDown(HWND window, SettingsState& state, Point point) {
    const SettingsHitResult hit = HitTestSettings(point, state.rows, AvailableLanguages().size());
    switch (hit.hit) {
        case SettingsHit::CloseCross:
            Close(window, state);
            return;
        case SettingsHit::SoundCheckBox:
            state.soundEnabled = !state.soundEnabled;
            break;
        case SettingsHit::LanguageBox:
            state.languageIndex =
                NextLanguageIndex(state.languageIndex, static_cast<int>(AvailableLanguages().size()));
            break;
        case SettingsHit::Volume:
            state.draggingVolume = true;
            SetCapture(window);
            state.volume = VolumeAtX(point.x);
            break;
        case SettingsHit::KeyBox:
            state.waitingRow = hit.row;
            SetFocus(window);  // the keys must come here, not to a button
            break;
        case SettingsHit::Elsewhere:
            if (state.waitingRow < 0) return;
            state.waitingRow = -1;
            break;
    }
    Repaint(window);
}

void OnMouseMove(HWND window, SettingsState& state, int x) {
    if (!state.draggingVolume) return;
    state.volume = VolumeAtX(x);
    Repaint(window);
}

void StopDragging(SettingsState& state) {
    if (!state.draggingVolume) return;
    state.draggingVolume = false;
    ReleaseCapture();
}

void OnKeyDown(HWND window, SettingsState& state, WPARAM key) {
    if (state.waitingRow < 0) return;  // so Alt+F4 and F10 do nothing
    const CaptureResult result =
        CaptureKey(Shortcuts(), state.waitingRow, static_cast<std::uint32_t>(key), CurrentModifiers());
    if (result.beep) MessageBeep(MB_ICONEXCLAMATION);
    if (!result.waitEnds) return;
    state.waitingRow = -1;
    Repaint(window);
}

LRESULT OnHitTest(HWND window, LPARAM lParam) {
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ScreenToClient(window, &point);
    return IsSettingsCaption(Point{point.x, point.y}) ? HTCAPTION : HTCLIENT;
}

LRESULT OnDrawItem(HWND window, SettingsState& state, WPARAM wParam, LPARAM lParam) {
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (DrawDialogButton(item, state.colour, state.brush, kButtonTextCharacters)) return 1;
    return DefWindowProcW(window, WM_DRAWITEM, wParam, lParam);
}

bool IsCloseOrMenuKey(WPARAM command) {
    const WPARAM kind = command & 0xFFF0;
    return kind == SC_CLOSE || kind == SC_KEYMENU;
}

LRESULT CALLBACK SettingsWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCALCSIZE && wParam) return 0;  // the client area is the whole window
    SettingsState* state = StateOf(window);
    if (!state) return DefWindowProcW(window, message, wParam, lParam);

    switch (message) {
        case WM_NCHITTEST:
            return OnHitTest(window, lParam);
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            const PaintScope paint(window);
            if (paint.Dc()) PaintSettingsWindow(window, paint.Dc(), *state);
            return 0;
        }
        case WM_LBUTTONDOWN:
            OnLeftButtonDown(window, *state, Point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove(window, *state, GET_X_LPARAM(lParam));
            return 0;
        case WM_LBUTTONUP:
            StopDragging(*state);
            return 0;
        case WM_CAPTURECHANGED:
            state->draggingVolume = false;  // the capture is gone: no drag without it
            return 0;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            OnKeyDown(window, *state, wParam);
            return 0;
        case WM_SYSKEYUP:
        case WM_SYSCHAR:
            return 0;  // no menu mode: the window has no menu to enter
        case WM_SYSCOMMAND:
            // Alt+F4 pressed on a button reaches the window as SC_CLOSE.
            if (IsCloseOrMenuKey(wParam)) return 0;
            break;
        case WM_COMMAND:
            OnCommand(window, *state, LOWORD(wParam));
            return 0;
        case WM_DRAWITEM:
            return OnDrawItem(window, *state, wParam, lParam);
        case WM_CLOSE:
            Close(window, *state);
            return 0;
        case WM_DESTROY:
            state->done = true;  // however the window goes, the loop ends
            return 0;
        case WM_NCDESTROY:
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            break;
        default:
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void CreateButtons(HWND window) {
    const HFONT font = TextFontOrDefault();
    for (const SettingsButton& button : kButtons) {
        const Rect place{button.x, button.y, button.x + button.width, button.y + button.height};
        CreateDialogControl(window, L"BUTTON", Translate(button.text), kButtonStyle, button.id, place, font);
    }
}

// Centred on the primary work area.
POINT SettingsPosition() {
    RECT workArea{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    return POINT{workArea.left + (workArea.right - workArea.left - kSettingsWidth) / 2,
                 workArea.top + (workArea.bottom - workArea.top - kSettingsHeight) / 2};
}

SettingsState InitialState() {
    const SoundSettings& sound = ActiveSoundSettings();
    SettingsState state;
    state.rows = LayoutShortcutRows(Shortcuts());
    state.soundEnabled = sound.enabled;
    state.volume = sound.volume;
    state.soundPath = sound.path;
    state.languageIndex = LanguageIndexOf(AvailableLanguages(), CurrentLanguageCode());
    return state;
}

void RestoreBindings(const ShortcutTable& saved) {
    ShortcutTable& table = Shortcuts();
    for (std::size_t i = 0; i < table.size(); ++i) {
        table[i].modifiers = saved[i].modifiers;
        table[i].key = saved[i].key;
    }
}

}  // namespace

void OpenSettingsWindow() {
    if (ModalDialogActive()) return;
    const ShortcutTable savedBindings = Shortcuts();
    UnregisterGlobalHotKeys();
    if (!RegisterPopupClass(kSettingsWindowClass, SettingsWindowProc, classRegistered)) {
        RegisterGlobalHotKeys(nullptr);
        return;
    }

    SettingsState state = InitialState();
    const UniqueBrush brush(CreateSolidBrush(state.colour));
    state.brush = brush.Get();
    const POINT position = SettingsPosition();
    HWND window = CreateWindowExW(WS_EX_TOPMOST, kSettingsWindowClass, Wide(Translate(u"Parametres")), WS_POPUP,
                                  position.x, position.y, kSettingsWidth, kSettingsHeight, TrayWindow(), nullptr,
                                  ModuleInstance(), nullptr);
    if (!window) {
        RegisterGlobalHotKeys(nullptr);
        return;
    }
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state));
    CreateButtons(window);

    DisableRestOfProgram(state);
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);

    {
        // While a row waits for a key, the keys go to the window itself:
        // Tab, Enter, Escape and the arrows can then be bound.
        const ModalDialogScope modal;
        RunModalLoop(window, state.done, [&state] { return state.waitingRow >= 0; });
    }

    EnableRestOfProgram(state);
    // Only a quit leaves the window here; it must not outlive its state.
    if (IsWindow(window)) DestroyWindow(window);
    if (!state.applied) RestoreBindings(savedBindings);
    RegisterGlobalHotKeys(nullptr);
}
