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
#include "ui/dialog.h"
#include "ui/dialog_window.h"
#include "win/handles.h"
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

DateStamp Today() {
    return DateStampOf(LocalNow());
}

class EntryEditor final : public Dialog {
public:
    EntryEditor(ColourRef colour, const NoteEntry& entry) : Dialog(colour), entry_(entry) {}

    // The text and due OK stored; the entry's own until then.
    const std::u16string& Text() const { return entry_.text; }
    DueStamp Due() const { return entry_.due; }

private:
    HWND CreateControls() override;
    void OnOk() noexcept override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept override;

    void DrawCalendarIcon(const DRAWITEMSTRUCT& item) const;
    void OnCalendarButton();
    void RefuseDue();
    void ClearDueMark();
    bool IsDueMarkPart(LPARAM control) const;
    LRESULT RefusedColours(HDC dc) const;

    HWND Item(int id) const { return GetDlgItem(Window(), id); }

    NoteEntry entry_;
    const UniqueBrush refusedBrush_{CreateSolidBrush(kRefusedBackground)};
    bool dueRefused_ = false;  // the date field is marked until it changes
};

// The controls in Tab order; returns the text field.
HWND EntryEditor::CreateControls() {
    const auto guiFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    HWND window = Window();
    CreateDialogControl(window, L"STATIC", Translate(u"Texte :"), kLabelStyle, 0, kTextLabel, guiFont);
    HWND text = CreateDialogControl(window, L"EDIT", entry_.text, kFieldStyle, kEntryTextFieldId, kTextField,
                                    EntryTextFont());
    CreateDialogControl(window, L"STATIC", Translate(u"Echeance :"), kLabelStyle, 0, kDueLabel, guiFont);
    CreateDialogControl(window, L"EDIT", FormatDueForEditing(entry_.due), kFieldStyle, kDueFieldId, kDueField,
                        FieldFont());
    CreateDialogControl(window, L"BUTTON", u"", kButtonStyle, kCalendarButtonId, kCalendarButton, guiFont);
    CreateDialogControl(window, L"BUTTON", Translate(u"OK"), kButtonStyle, IDOK, kOkButton, guiFont);
    CreateDialogControl(window, L"BUTTON", Translate(u"Annuler"), kButtonStyle, IDCANCEL, kCancelButton, guiFont);
    // Shown only while the date field is refused.
    CreateDialogControl(window, L"STATIC", Translate(u"Date ou heure illisible"), kLabelStyle & ~WS_VISIBLE,
                        kDueRefusedLineId, kDueRefusedLine, guiFont);
    return text;
}

void EntryEditor::OnOk() noexcept {
    const std::optional<DueStamp> due = ReadDueField(WindowText(Item(kDueFieldId)), Today());
    if (!due) {
        RefuseDue();
        return;
    }
    entry_.text = SingleLineEntryText(WindowText(Item(kEntryTextFieldId)));
    entry_.due = *due;
    // With neither text nor date there is nothing to keep: OK ends as Cancel does.
    if (*due != 0 || !IsBlankText(entry_.text)) {
        Accept();
    } else {
        Close();
    }
}

LRESULT EntryEditor::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_DRAWITEM && wParam == kCalendarButtonId) {
        DrawCalendarIcon(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == kCalendarButtonId && HIWORD(wParam) == BN_CLICKED) {
        OnCalendarButton();
        return 0;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == kDueFieldId && HIWORD(wParam) == EN_CHANGE) {
        ClearDueMark();
        return 0;
    }
    const bool colouring = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORSTATIC;
    if (colouring && dueRefused_ && IsDueMarkPart(lParam)) return RefusedColours(reinterpret_cast<HDC>(wParam));
    const DialogChromeResult chrome = Chrome(message, wParam, lParam);
    if (chrome.handled) return chrome.result;
    return DefWindowProcW(Window(), message, wParam, lParam);
}

void EntryEditor::DrawCalendarIcon(const DRAWITEMSTRUCT& item) const {
    HDC dc = item.hDC;
    SavedDcState saved(dc);
    FillRect(dc, &item.rcItem, Brush() ? Brush() : static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    FrameRect(dc, &item.rcItem, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    const int cx = (item.rcItem.left + item.rcItem.right) / 2;
    const int cy = (item.rcItem.top + item.rcItem.bottom) / 2;
    UniquePen pen(CreatePen(PS_SOLID, 1, ContrastTextColour(Colour())));
    SelectScope selectedPen(dc, pen.Get());
    SelectScope noFill(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, cx - kIconHalfSize, cy - kIconHalfSize, cx + kIconHalfSize, cy + kIconHalfSize);
    MoveToEx(dc, cx - kIconHalfSize, cy - kIconHeaderOffset, nullptr);
    LineTo(dc, cx + kIconHalfSize, cy - kIconHeaderOffset);
}

// The date field's date (or now, when it holds none or cannot be read) goes
// to the picker; a picked date comes back into the field. Only OK stores anything.
void EntryEditor::OnCalendarButton() {
    HWND field = Item(kDueFieldId);
    DueStamp due = ReadDueField(WindowText(field), Today()).value_or(0);
    RECT fieldRect{};
    GetWindowRect(field, &fieldRect);
    const POINT anchor{fieldRect.left, fieldRect.bottom + kPickerGap};
    const bool picked = ShowDateTimePicker(Window(), Colour(), anchor, due);
    if (!IsWindow(field)) return;  // the editor went while the picker was open
    if (picked) SetWindowTextW(field, Wide(FormatDueForEditing(due)));
    SetFocus(field);
}

// The field keeps what was typed, selected, for the user to mend; the entry
// keeps its due.
void EntryEditor::RefuseDue() {
    HWND field = Item(kDueFieldId);
    dueRefused_ = true;
    ShowWindow(Item(kDueRefusedLineId), SW_SHOWNA);
    InvalidateRect(field, nullptr, TRUE);
    SetFocus(field);
    SendMessageW(field, EM_SETSEL, 0, -1);
}

void EntryEditor::ClearDueMark() {
    if (!dueRefused_) return;
    dueRefused_ = false;
    ShowWindow(Item(kDueRefusedLineId), SW_HIDE);
    InvalidateRect(Item(kDueFieldId), nullptr, TRUE);
}

bool EntryEditor::IsDueMarkPart(LPARAM control) const {
    const auto part = reinterpret_cast<HWND>(control);
    return part == Item(kDueFieldId) || part == Item(kDueRefusedLineId);
}

LRESULT EntryEditor::RefusedColours(HDC dc) const {
    SetTextColor(dc, kRefusedText);
    SetBkColor(dc, kRefusedBackground);
    return reinterpret_cast<LRESULT>(refusedBrush_.Get());
}

}  // namespace

bool ShowEntryEditor(HWND owner, ColourRef colour, NoteEntry& entry) {
    EntryEditor editor(colour, entry);
    // Near the owner, but never off the screen: from a note near the right or
    // bottom edge the OK button would otherwise be out of reach.
    const bool accepted = editor.Run({.className = kEntryEditorClass,
                                      .title = Translate(u"Tâche cédulée"),
                                      .place = PlaceNearOwner(owner, kDialogWidth, kDialogHeight),
                                      .owner = owner});
    if (!accepted) return false;
    entry.text = editor.Text();
    entry.due = editor.Due();
    return true;
}
