#include "entries/date_time_picker.h"

#include <windowsx.h>

#include <array>
#include <string>

#include "entries/core/calendar.h"
#include "entries/core/picker_layout.h"
#include "entries/core/picker_rules.h"
#include "entries/entry_fonts.h"
#include "entries/local_clock.h"
#include "i18n/core/translation.h"
#include "storage/core/lenient_number.h"
#include "ui/core/colour_rules.h"
#include "ui/dialog_chrome.h"
#include "ui/dialog_window.h"
#include "ui/modal_dialog.h"
#include "ui/screen_geometry.h"
#include "ui/shared_fonts.h"
#include "win/gdi_drawing.h"
#include "win/handles.h"
#include "win/process_handles.h"
#include "win/wide.h"
#include "win/window_text.h"

namespace {

constexpr DWORD kFieldStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_NUMBER | ES_CENTER;
constexpr DWORD kButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;
constexpr int kFieldDigits = 2;
constexpr int kButtonTextCharacters = 15;
// The weekday headings are the text colour faded this far into the background.
constexpr double kHeadingFade = 0.3;
constexpr UINT kCentred = DT_CENTER | DT_VCENTER | DT_SINGLELINE;

// The state of one picker, owned by the ShowDateTimePicker frame; the
// popup's user data points to it while the popup exists. The hour and
// minute live in their fields until OK reads them.
struct PickerState {
    DueParts shown;  // the month shown and the selected day
    bool accepted = false;
    bool done = false;
    ColourRef colour = kDefaultNoteColour;
    HBRUSH brush = nullptr;
};

bool classRegistered = false;

PickerState* StateOf(HWND popup) {
    return reinterpret_cast<PickerState*>(GetWindowLongPtrW(popup, GWLP_USERDATA));
}

void Finish(HWND popup, PickerState& state) {
    CloseOwnedDialog(popup, state.done);
}

void DrawBoxText(HDC dc, const std::u16string& text, const Rect& box, UINT format) {
    RECT r = ToRECT(box);
    DrawTextW(dc, Wide(text), -1, &r, format);
}

void FillTriangle(HDC dc, PickerTarget arrow, ColourRef colour) {
    const std::array<Point, 3> corners = PickerArrowTriangle(arrow);
    const POINT points[] = {{corners[0].x, corners[0].y}, {corners[1].x, corners[1].y}, {corners[2].x, corners[2].y}};
    UniqueBrush brush(CreateSolidBrush(colour));
    SelectScope selectedBrush(dc, brush.Get());
    SelectScope noOutline(dc, GetStockObject(NULL_PEN));
    Polygon(dc, points, 3);
}

void DrawDays(HDC dc, const DueParts& shown, ColourRef colour, ColourRef text) {
    const int firstWeekday = FirstWeekdayOfMonth(shown.year, shown.month);
    const int daysInMonth = DaysInMonth(shown.year, shown.month);
    const ColourRef selectedBack = HeaderColour(colour);
    for (int cell = 0; cell < kDayCellCount; ++cell) {
        const int day = DayInCell(cell, firstWeekday, daysInMonth);
        if (day == 0) continue;
        const Rect box = DayCellRect(cell);
        const bool selected = day == shown.day;
        if (selected) FillSolid(dc, ToRECT(box), selectedBack);
        SetTextColor(dc, selected ? ContrastTextColour(selectedBack) : text);
        DrawBoxText(dc, DecimalText(day), box, kCentred);
    }
}

void Paint(HWND popup, const PickerState& state) {
    PaintScope paint(popup);
    HDC dc = paint.Dc();
    if (!dc) return;
    SavedDcState saved(dc);
    RECT client{};
    GetClientRect(popup, &client);
    FillRect(dc, &client, state.brush ? state.brush : static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    FrameRect(dc, &client, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));

    const ColourRef text = ContrastTextColour(state.colour);
    SelectScope font(dc, TextFontOrDefault());
    SetBkMode(dc, TRANSPARENT);
    for (PickerTarget arrow : {PickerTarget::PreviousMonth, PickerTarget::NextMonth}) FillTriangle(dc, arrow, text);
    SetTextColor(dc, text);
    DrawBoxText(dc, MonthTitle(state.shown.year, state.shown.month), MonthTitleBox(), kCentred);

    SetTextColor(dc, MoveGreyTowards(static_cast<int>(text & 0xFF), state.colour, kHeadingFade));
    for (int column = 0; column < kDayGridColumns; ++column) {
        DrawBoxText(dc, WeekdayLabel(column), WeekdayHeadingBox(column), kCentred);
    }
    DrawDays(dc, state.shown, state.colour, text);

    SetTextColor(dc, text);
    DrawBoxText(dc, Translate(u"Heure :"), HourLabelRect(), DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    DrawBoxText(dc, u":", ColonBox(), kCentred);
    for (PickerTarget arrow :
         {PickerTarget::HourUp, PickerTarget::HourDown, PickerTarget::MinuteUp, PickerTarget::MinuteDown}) {
        FillTriangle(dc, arrow, text);
    }
}

void OnClick(HWND popup, PickerState& state, Point client) {
    const PickerHit hit = PickerHitAt(client, state.shown.year, state.shown.month);
    switch (hit.target) {
    case PickerTarget::PreviousMonth: state.shown = PreviousMonth(state.shown); break;
    case PickerTarget::NextMonth: state.shown = NextMonth(state.shown); break;
    case PickerTarget::Day: state.shown.day = hit.day; break;
    case PickerTarget::HourUp: StepSpinField(popup, kHourFieldId, +1, kHourModulus); return;
    case PickerTarget::HourDown: StepSpinField(popup, kHourFieldId, -1, kHourModulus); return;
    case PickerTarget::MinuteUp: StepSpinField(popup, kMinuteFieldId, +1, kMinuteModulus); return;
    case PickerTarget::MinuteDown: StepSpinField(popup, kMinuteFieldId, -1, kMinuteModulus); return;
    case PickerTarget::Nothing: return;
    }
    InvalidateRect(popup, nullptr, FALSE);
}

void OnCommand(HWND popup, PickerState& state, WPARAM wParam) {
    switch (LOWORD(wParam)) {
    case IDOK:
        state.shown.hour = TypedHour(WindowText(GetDlgItem(popup, kHourFieldId)));
        state.shown.minute = TypedMinute(WindowText(GetDlgItem(popup, kMinuteFieldId)));
        state.accepted = true;
        Finish(popup, state);
        break;
    case IDCANCEL: Finish(popup, state); break;
    default: break;
    }
}

LRESULT CALLBACK PickerProc(HWND popup, UINT message, WPARAM wParam, LPARAM lParam) {
    PickerState* state = StateOf(popup);
    if (!state) return DefWindowProcW(popup, message, wParam, lParam);
    switch (message) {
    case WM_PAINT:
        Paint(popup, *state);
        return 0;
    case WM_ERASEBKGND:
        return 1;  // the paint fills everything
    case WM_DRAWITEM:
        return DrawDialogButton(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), state->colour, state->brush,
                                kButtonTextCharacters);
    case WM_CTLCOLOREDIT:
        return DialogEditColours(reinterpret_cast<HDC>(wParam), state->colour, state->brush);
    case WM_LBUTTONDOWN:
        OnClick(popup, *state, Point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE) Finish(popup, *state);
        return 0;
    case WM_COMMAND:
        OnCommand(popup, *state, wParam);
        return 0;
    case WM_CLOSE:
        Finish(popup, *state);
        return 0;
    case WM_DESTROY:
        state->done = true;  // however the popup goes, the loop ends
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrW(popup, GWLP_USERDATA, 0);
        break;
    default:
        break;
    }
    return DefWindowProcW(popup, message, wParam, lParam);
}

// The hour field, the minute field and the two buttons, in Tab order.
HWND CreateChildren(HWND popup, const DueParts& start) {
    HWND hour = CreateDialogControl(popup, L"EDIT", TwoDigitText(start.hour), kFieldStyle, kHourFieldId, HourFieldRect(),
                            FieldFont());
    HWND minute = CreateDialogControl(popup, L"EDIT", TwoDigitText(start.minute), kFieldStyle, kMinuteFieldId,
                              MinuteFieldRect(), FieldFont());
    for (HWND field : {hour, minute}) SendMessageW(field, EM_LIMITTEXT, kFieldDigits, 0);
    CreateDialogControl(popup, L"BUTTON", Translate(u"OK"), kButtonStyle, IDOK, PickerOkButtonRect(), TextFontOrDefault());
    CreateDialogControl(popup, L"BUTTON", Translate(u"Annuler"), kButtonStyle, IDCANCEL, PickerCancelButtonRect(),
                TextFontOrDefault());
    return hour;
}

}  // namespace

void StepSpinField(HWND popup, int fieldId, int step, int modulus) {
    HWND field = GetDlgItem(popup, fieldId);
    const int value = StepSpinValue(ReadFieldNumber(WindowText(field)), step, modulus);
    SetWindowTextW(field, Wide(TwoDigitText(value)));
}

bool ShowDateTimePicker(HWND owner, ColourRef colour, POINT anchor, DueStamp& value) {
    if (!RegisterPopupClass(kDateTimePickerClass, PickerProc, classRegistered)) return false;
    PickerState state;
    state.shown = PickerStartParts(value, LocalNow());
    state.colour = colour;
    const UniqueBrush brush(CreateSolidBrush(colour));
    state.brush = brush.Get();

    const Rect place = PickerRect(Point{anchor.x, anchor.y}, WorkAreaNearWindow(owner));
    HWND popup = CreateWindowExW(WS_EX_TOPMOST, kDateTimePickerClass, L"", WS_POPUP, place.left, place.top,
                                 place.Width(), place.Height(), owner, nullptr, ModuleInstance(), nullptr);
    if (!popup) return false;
    SetWindowLongPtrW(popup, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state));
    HWND hourField = CreateChildren(popup, state.shown);

    // Ready for the hour to be typed at once; ModalDialogActive stays as the
    // caller has it.
    RunOwnedDialog(owner, popup, hourField, state.done);

    if (!state.accepted) return false;
    value = MakeDueStamp(state.shown);
    return true;
}
