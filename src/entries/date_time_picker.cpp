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
#include "ui/dialog.h"
#include "ui/dialog_window.h"
#include "ui/screen_geometry.h"
#include "ui/shared_fonts.h"
#include "win/gdi_drawing.h"
#include "win/handles.h"
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

// The hour and minute live in their fields until OK reads them.
class DateTimePicker final : public Dialog {
public:
    DateTimePicker(ColourRef colour, const DueParts& start) : Dialog(colour), shown_(start) {}

    // The picked date and time, once OK has ended the picker.
    const DueParts& Picked() const { return shown_; }

private:
    HWND CreateControls() override;
    void OnOk() noexcept override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept override;

    void Paint() const;
    void OnClick(Point client);

    DueParts shown_;  // the month shown and the selected day
};

// The hour field, the minute field and the two buttons, in Tab order.
HWND DateTimePicker::CreateControls() {
    HWND popup = Window();
    HWND hour = CreateDialogControl(popup, L"EDIT", TwoDigitText(shown_.hour), kFieldStyle, kHourFieldId,
                                    HourFieldRect(), FieldFont());
    HWND minute = CreateDialogControl(popup, L"EDIT", TwoDigitText(shown_.minute), kFieldStyle, kMinuteFieldId,
                                      MinuteFieldRect(), FieldFont());
    for (HWND field : {hour, minute}) SendMessageW(field, EM_LIMITTEXT, kFieldDigits, 0);
    CreateDialogControl(popup, L"BUTTON", Translate(u"OK"), kButtonStyle, IDOK, PickerOkButtonRect(),
                        TextFontOrDefault());
    CreateDialogControl(popup, L"BUTTON", Translate(u"Annuler"), kButtonStyle, IDCANCEL, PickerCancelButtonRect(),
                        TextFontOrDefault());
    return hour;  // ready for the hour to be typed at once
}

void DateTimePicker::OnOk() noexcept {
    shown_.hour = TypedHour(WindowText(GetDlgItem(Window(), kHourFieldId)));
    shown_.minute = TypedMinute(WindowText(GetDlgItem(Window(), kMinuteFieldId)));
    Accept();
}

LRESULT DateTimePicker::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    switch (message) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;  // the paint fills everything
    case WM_DRAWITEM:
        return DrawDialogButton(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), Colour(), Brush(),
                                kButtonTextCharacters);
    case WM_CTLCOLOREDIT:
        return DialogEditColours(reinterpret_cast<HDC>(wParam), Colour(), Brush());
    case WM_LBUTTONDOWN:
        OnClick(Point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE) Close();
        return 0;
    default:
        return DefWindowProcW(Window(), message, wParam, lParam);
    }
}

void DateTimePicker::Paint() const {
    PaintScope paint(Window());
    HDC dc = paint.Dc();
    if (!dc) return;
    SavedDcState saved(dc);
    RECT client{};
    GetClientRect(Window(), &client);
    FillRect(dc, &client, Brush() ? Brush() : static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    FrameRect(dc, &client, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));

    const ColourRef text = ContrastTextColour(Colour());
    SelectScope font(dc, TextFontOrDefault());
    SetBkMode(dc, TRANSPARENT);
    for (PickerTarget arrow : {PickerTarget::PreviousMonth, PickerTarget::NextMonth}) FillTriangle(dc, arrow, text);
    SetTextColor(dc, text);
    DrawBoxText(dc, MonthTitle(shown_.year, shown_.month), MonthTitleBox(), kCentred);

    SetTextColor(dc, MoveGreyTowards(static_cast<int>(text & 0xFF), Colour(), kHeadingFade));
    for (int column = 0; column < kDayGridColumns; ++column) {
        DrawBoxText(dc, WeekdayLabel(column), WeekdayHeadingBox(column), kCentred);
    }
    DrawDays(dc, shown_, Colour(), text);

    SetTextColor(dc, text);
    DrawBoxText(dc, Translate(u"Heure :"), HourLabelRect(), DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    DrawBoxText(dc, u":", ColonBox(), kCentred);
    for (PickerTarget arrow :
         {PickerTarget::HourUp, PickerTarget::HourDown, PickerTarget::MinuteUp, PickerTarget::MinuteDown}) {
        FillTriangle(dc, arrow, text);
    }
}

void DateTimePicker::OnClick(Point client) {
    HWND popup = Window();
    const PickerHit hit = PickerHitAt(client, shown_.year, shown_.month);
    switch (hit.target) {
    case PickerTarget::PreviousMonth: shown_ = PreviousMonth(shown_); break;
    case PickerTarget::NextMonth: shown_ = NextMonth(shown_); break;
    case PickerTarget::Day: shown_.day = hit.day; break;
    case PickerTarget::HourUp: StepSpinField(popup, kHourFieldId, +1, kHourModulus); return;
    case PickerTarget::HourDown: StepSpinField(popup, kHourFieldId, -1, kHourModulus); return;
    case PickerTarget::MinuteUp: StepSpinField(popup, kMinuteFieldId, +1, kMinuteModulus); return;
    case PickerTarget::MinuteDown: StepSpinField(popup, kMinuteFieldId, -1, kMinuteModulus); return;
    case PickerTarget::Nothing: return;
    }
    InvalidateRect(popup, nullptr, FALSE);
}

}  // namespace

void StepSpinField(HWND popup, int fieldId, int step, int modulus) {
    HWND field = GetDlgItem(popup, fieldId);
    const int value = StepSpinValue(ReadFieldNumber(WindowText(field)), step, modulus);
    SetWindowTextW(field, Wide(TwoDigitText(value)));
}

bool ShowDateTimePicker(HWND owner, ColourRef colour, POINT anchor, DueStamp& value) {
    DateTimePicker picker(colour, PickerStartParts(value, LocalNow()));
    const bool accepted = picker.Run({.className = kDateTimePickerClass,
                                      .title = u"",  // it shows none
                                      .place = PickerRect(Point{anchor.x, anchor.y}, WorkAreaNearWindow(owner)),
                                      .owner = owner,
                                      .modalFlag = ModalFlag::AsFound});
    if (!accepted) return false;
    value = MakeDueStamp(picker.Picked());
    return true;
}
