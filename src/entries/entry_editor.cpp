#include "entries/entry_editor.h"

#include <optional>
#include <string>

#include "entries/core/due_text.h"
#include "entries/core/entry_text.h"
#include "entries/date_time_picker.h"
#include "entries/entry_fonts.h"
#include "entries/local_clock.h"
#include "i18n/core/translation.h"
#include "ui/core/colour_rules.h"
#include "ui/dialog_chrome.h"
#include "ui/dialog_window.h"
#include "ui/modal_dialog.h"
#include "ui/screen_geometry.h"
#include "win/handles.h"
#include "win/process_handles.h"
#include "win/wide.h"
#include "win/window_text.h"

namespace {

constexpr int kDialogWidth = 350;
constexpr int kDialogHeight = 210;

constexpr DWORD kLabelStyle = WS_CHILD | WS_VISIBLE;
constexpr DWORD kFieldStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD kButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;

constexpr Rect kTextLabel{12, 38, 312, 54};
constexpr Rect kTextField{12, 56, 338, 88};
constexpr Rect kDueLabel{12, 102, 82, 118};
constexpr Rect kDueField{88, 98, 306, 122};
constexpr Rect kCalendarButton{308, 98, 336, 122};
constexpr Rect kDueRefusedLine{88, 123, 306, 138};
constexpr Rect kOkButton{170, 140, 246, 168};
constexpr Rect kCancelButton{254, 140, 330, 168};

// The calendar icon: a square around the button's centre with a header line.
constexpr int kIconHalfSize = 6;
constexpr int kIconHeaderOffset = 2;  // above the centre
// The picker opens this far below the date field.
constexpr int kPickerGap = 2;

// A refused date field and the line under it: dark red on pale red, which
// reads on every note colour, light or dark.
constexpr COLORREF kRefusedBackground = RGB(255, 205, 205);
constexpr COLORREF kRefusedText = RGB(170, 0, 0);

// The state of one editor, owned by the ShowEntryEditor frame; the window's
// user data points to it while the window exists.
struct EntryEditorState {
    std::u16string text;
    DueStamp due = 0;
    bool accepted = false;
    bool done = false;
    ColourRef colour = kDefaultNoteColour;
    HBRUSH brush = nullptr;
    HBRUSH refusedBrush = nullptr;
    bool dueRefused = false;  // the date field is marked until it changes
};

bool classRegistered = false;

EntryEditorState* StateOf(HWND window) {
    return reinterpret_cast<EntryEditorState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void Finish(HWND window, EntryEditorState& state) {
    CloseOwnedDialog(window, state.done);
}

void DrawCalendarIcon(const EntryEditorState& state, const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    SavedDcState saved(dc);
    FillRect(dc, &item.rcItem, state.brush ? state.brush : static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    FrameRect(dc, &item.rcItem, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    const int cx = (item.rcItem.left + item.rcItem.right) / 2;
    const int cy = (item.rcItem.top + item.rcItem.bottom) / 2;
    UniquePen pen(CreatePen(PS_SOLID, 1, ContrastTextColour(state.colour)));
    SelectScope selectedPen(dc, pen.Get());
    SelectScope noFill(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, cx - kIconHalfSize, cy - kIconHalfSize, cx + kIconHalfSize, cy + kIconHalfSize);
    MoveToEx(dc, cx - kIconHalfSize, cy - kIconHeaderOffset, nullptr);
    LineTo(dc, cx + kIconHalfSize, cy - kIconHeaderOffset);
}

DateStamp Today() {
    return DateStampOf(LocalNow());
}

// The date field's date (or now, when it holds none or cannot be read) goes
// to the picker; a picked date comes back into the field. Only OK stores anything.
void OnCalendarButton(HWND window, const EntryEditorState& state) {
    HWND field = GetDlgItem(window, kDueFieldId);
    DueStamp due = ReadDueField(WindowText(field), Today()).value_or(0);
    RECT fieldRect{};
    GetWindowRect(field, &fieldRect);
    const POINT anchor{fieldRect.left, fieldRect.bottom + kPickerGap};
    const bool picked = ShowDateTimePicker(window, state.colour, anchor, due);
    if (!IsWindow(field)) return;  // the editor went while the picker was open
    if (picked) SetWindowTextW(field, Wide(FormatDueForEditing(due)));
    SetFocus(field);
}

// The field keeps what was typed, selected, for the user to mend; the entry
// keeps its due.
void RefuseDue(HWND window, EntryEditorState& state) {
    HWND field = GetDlgItem(window, kDueFieldId);
    state.dueRefused = true;
    ShowWindow(GetDlgItem(window, kDueRefusedLineId), SW_SHOWNA);
    InvalidateRect(field, nullptr, TRUE);
    SetFocus(field);
    SendMessageW(field, EM_SETSEL, 0, -1);
}

void ClearDueMark(HWND window, EntryEditorState& state) {
    if (!state.dueRefused) return;
    state.dueRefused = false;
    ShowWindow(GetDlgItem(window, kDueRefusedLineId), SW_HIDE);
    InvalidateRect(GetDlgItem(window, kDueFieldId), nullptr, TRUE);
}

bool IsDueMarkPart(HWND window, LPARAM control) {
    const auto part = reinterpret_cast<HWND>(control);
    return part == GetDlgItem(window, kDueFieldId) || part == GetDlgItem(window, kDueRefusedLineId);
}

LRESULT RefusedColours(HDC dc, const EntryEditorState& state) {
    SetTextColor(dc, kRefusedText);
    SetBkColor(dc, kRefusedBackground);
    return reinterpret_cast<LRESULT>(state.refusedBrush);
}

void Accept(HWND window, EntryEditorState& state) {
    const std::optional<DueStamp> due = ReadDueField(WindowText(GetDlgItem(window, kDueFieldId)), Today());
    if (!due) {
        RefuseDue(window, state);
        return;
    }
    state.text = SingleLineEntryText(WindowText(GetDlgItem(window, kEntryTextFieldId)));
    state.due = *due;
    // With neither text nor date there is nothing to keep: OK ends as Cancel does.
    state.accepted = *due != 0 || !IsBlankText(state.text);
    Finish(window, state);
}

LRESULT CALLBACK EntryEditorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCALCSIZE && wParam) return 0;  // no frame, no caption
    EntryEditorState* state = StateOf(window);
    if (!state) return DefWindowProcW(window, message, wParam, lParam);

    if (message == WM_DRAWITEM && wParam == kCalendarButtonId) {
        DrawCalendarIcon(*state, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == kCalendarButtonId && HIWORD(wParam) == BN_CLICKED) {
        OnCalendarButton(window, *state);
        return 0;
    }
    const bool colouring = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORSTATIC;
    if (colouring && state->dueRefused && IsDueMarkPart(window, lParam)) {
        return RefusedColours(reinterpret_cast<HDC>(wParam), *state);
    }
    const DialogChromeResult chrome =
        HandleDialogChrome(window, message, wParam, lParam, state->colour, state->brush, &state->done);
    if (chrome.handled) return chrome.result;

    switch (message) {
    case WM_CLOSE:
        Finish(window, *state);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL) Finish(window, *state);
        if (LOWORD(wParam) == IDOK) Accept(window, *state);
        if (LOWORD(wParam) == kDueFieldId && HIWORD(wParam) == EN_CHANGE) ClearDueMark(window, *state);
        return 0;
    case WM_DESTROY:
        state->done = true;  // however the window goes (its owner can take it along), the loop ends
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// The controls in Tab order; returns the text field.
HWND CreateChildren(HWND window, const NoteEntry& entry) {
    const auto guiFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    CreateDialogControl(window, L"STATIC", Translate(u"Texte :"), kLabelStyle, 0, kTextLabel, guiFont);
    HWND text = CreateDialogControl(window, L"EDIT", entry.text, kFieldStyle, kEntryTextFieldId, kTextField, EntryTextFont());
    CreateDialogControl(window, L"STATIC", Translate(u"Echeance :"), kLabelStyle, 0, kDueLabel, guiFont);
    CreateDialogControl(window, L"EDIT", FormatDueForEditing(entry.due), kFieldStyle, kDueFieldId, kDueField, FieldFont());
    CreateDialogControl(window, L"BUTTON", u"", kButtonStyle, kCalendarButtonId, kCalendarButton, guiFont);
    CreateDialogControl(window, L"BUTTON", Translate(u"OK"), kButtonStyle, IDOK, kOkButton, guiFont);
    CreateDialogControl(window, L"BUTTON", Translate(u"Annuler"), kButtonStyle, IDCANCEL, kCancelButton, guiFont);
    // Shown only while the date field is refused.
    CreateDialogControl(window, L"STATIC", Translate(u"Date ou heure illisible"), kLabelStyle & ~WS_VISIBLE,
                        kDueRefusedLineId, kDueRefusedLine, guiFont);
    return text;
}

}  // namespace

bool ShowEntryEditor(HWND owner, ColourRef colour, NoteEntry& entry) {
    if (!RegisterPopupClass(kEntryEditorClass, EntryEditorProc, classRegistered)) return false;
    EntryEditorState state;
    state.colour = colour;
    const UniqueBrush brush(CreateSolidBrush(colour));
    state.brush = brush.Get();
    const UniqueBrush refusedBrush(CreateSolidBrush(kRefusedBackground));
    state.refusedBrush = refusedBrush.Get();

    // Near the owner, but never off the screen: from a note near the right or
    // bottom edge the OK button would otherwise be out of reach.
    const Rect place = PlaceNearOwner(owner, kDialogWidth, kDialogHeight);
    HWND window = CreateWindowExW(WS_EX_TOPMOST, kEntryEditorClass, Wide(Translate(u"Tâche cédulée")), WS_POPUP,
                                  place.left, place.top, kDialogWidth, kDialogHeight, owner, nullptr,
                                  ModuleInstance(), nullptr);
    if (!window) return false;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state));
    HWND text = CreateChildren(window, entry);
    {
        ModalDialogScope modal;
        RunOwnedDialog(owner, window, text, state.done);
    }

    if (!state.accepted) return false;
    entry.text = state.text;
    entry.due = state.due;
    return true;
}
