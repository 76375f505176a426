#include "settings/settings_painting.h"

#include <string>

#include "i18n/core/translation.h"
#include "settings/language_choice.h"
#include "storage/core/lenient_number.h"
#include "storage/data_directory.h"
#include "ui/core/colour_rules.h"
#include "ui/dialog_chrome.h"
#include "ui/screen_geometry.h"
#include "ui/shared_fonts.h"
#include "win/gdi_drawing.h"
#include "win/handles.h"
#include "win/wide.h"

namespace {

constexpr UINT kSingleLine = DT_SINGLELINE | DT_VCENTER;
constexpr UINT kSingleLineEllipsis = kSingleLine | DT_END_ELLIPSIS;
constexpr UINT kCentredEllipsis = kSingleLineEllipsis | DT_CENTER;

constexpr int kTitleCharacters = 128;
constexpr int kLineWidth = 2;  // the cross and the check mark

// Lines of text: the left edge, then top and bottom of each line.
constexpr int kTextLeft = 12;
constexpr int kTextRightInset = 8;  // from the window's right edge
struct TextLine {
    int top;
    int bottom;
};
constexpr TextLine kSoundHeadingLine{38, 62};
constexpr TextLine kSoundSwitchLine{62, 88};
constexpr int kSoundSwitchRightInset = 40;  // clear of the check box
constexpr TextLine kVolumeLine{88, 114};
constexpr int kVolumeLabelRight = 84;
constexpr int kVolumeValueLeft = 390;
constexpr RECT kSoundFileBox{kTextLeft, 114, 210, 144};
constexpr RECT kLanguageLabelBox{kTextLeft, 148, 84, 174};
constexpr RECT kLanguageNameBox{98, 150, 424, 172};
constexpr RECT kDataFolderLabelBox{kTextLeft, 180, 84, 206};
constexpr RECT kDataFolderPathBox{90, 180, 348, 206};  // up to the "Choisir…" button
constexpr int kRowLabelGap = 8;  // between a row's label and its key box

constexpr double kTrackShift = 0.25;
constexpr double kWaitingBoxShift = 0.18;
constexpr int kDarkGrey = 30;
constexpr int kLightGrey = 240;
constexpr ColourRef kFailedKeyColour = 0x003C3CC8;  // red 200, green 60, blue 60

// Check mark inside the box: down from the middle of the left side, then up
// to the top right.
constexpr int kCheckStartInset = 3;
constexpr int kCheckValleyInsetX = 7;
constexpr int kCheckValleyInsetY = 4;
constexpr int kCheckEndInset = 3;

HBRUSH GreyFrameBrush() {
    return static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
}

void DrawTextIn(HDC dc, const std::u16string& text, RECT box, UINT flags) {
    DrawTextW(dc, Wide(text), -1, &box, flags);
}

void DrawTextIn(HDC dc, const char16_t* text, RECT box, UINT flags) {
    DrawTextW(dc, Wide(text), -1, &box, flags);
}

void DrawLines(HDC dc, ColourRef colour, const POINT* points, int count) {
    const UniquePen pen(CreatePen(PS_SOLID, kLineWidth, colour));
    const SelectScope selected(dc, pen.Get());
    Polyline(dc, points, count);
}

std::u16string PercentText(std::int32_t volume) {
    return DecimalText(volume) + u"%";
}

void PaintSoundSwitch(HDC dc, const SettingsState& state, int width, ColourRef text) {
    DrawTextIn(dc, Translate(u"Son des notifications"),
               RECT{kTextLeft, kSoundHeadingLine.top, width - kTextRightInset, kSoundHeadingLine.bottom},
               kSingleLine);
    DrawTextIn(dc, Translate(u"Activer le son"),
               RECT{kTextLeft, kSoundSwitchLine.top, width - kSoundSwitchRightInset, kSoundSwitchLine.bottom},
               kSingleLine);
    const RECT box = ToRECT(kSoundCheckBox);
    FrameRect(dc, &box, GreyFrameBrush());
    if (!state.sound.enabled) return;
    const POINT check[] = {
        {box.left + kCheckStartInset, (box.top + box.bottom) / 2},
        {box.left + kCheckValleyInsetX, box.bottom - kCheckValleyInsetY},
        {box.right - kCheckEndInset, box.top + kCheckEndInset},
    };
    DrawLines(dc, text, check, 3);
}

void PaintVolume(HDC dc, const SettingsState& state, int width, ColourRef band, ColourRef text) {
    DrawTextIn(dc, Translate(u"Volume"), RECT{kTextLeft, kVolumeLine.top, kVolumeLabelRight, kVolumeLine.bottom},
               kSingleLine);
    FillSolid(dc, ToRECT(kVolumeTrack), MoveTowards(kSettingsColour, text & 0xFF, kTrackShift));
    FillSolid(dc, ToRECT(VolumeFillRect(state.sound.volume)), band);
    {
        // Outlined with the DC's own pen: nothing else is selected here.
        const UniqueBrush knobBrush(CreateSolidBrush(band));
        const SelectScope selected(dc, knobBrush.Get());
        const Rect knob = VolumeKnobRect(state.sound.volume);
        Ellipse(dc, knob.left, knob.top, knob.right, knob.bottom);
    }
    DrawTextIn(dc, PercentText(state.sound.volume),
               RECT{kVolumeValueLeft, kVolumeLine.top, width - kTextRightInset, kVolumeLine.bottom},
               kSingleLine);
    std::u16string soundLine = Translate(u"Son : ");
    soundLine += SoundFileLabel(state.sound.path);
    DrawTextIn(dc, soundLine, kSoundFileBox, kSingleLineEllipsis);
}

void PaintLanguage(HDC dc, const SettingsState& state) {
    DrawTextIn(dc, Translate(u"Langue"), kLanguageLabelBox, kSingleLine);
    const RECT box = ToRECT(kLanguageBox);
    FillSolid(dc, box, kSettingsColour);
    FrameRect(dc, &box, GreyFrameBrush());
    DrawTextIn(dc, LanguageNameAt(AvailableLanguages(), state.languageIndex), kLanguageNameBox, kSingleLine);
}

// A long path loses its middle, so that the drive and the folder's own
// name both show.
void PaintDataFolder(HDC dc) {
    DrawTextIn(dc, Translate(u"Dossier"), kDataFolderLabelBox, kSingleLine);
    DrawTextIn(dc, DataDirectory(), kDataFolderPathBox, kSingleLine | DT_PATH_ELLIPSIS | DT_NOPREFIX);
}

void PaintHeading(HDC dc, const char16_t* text, int rowTop, int width) {
    DrawTextIn(dc, Translate(text), RECT{kTextLeft, rowTop - kShortcutHeadingHeight, width - kTextRightInset, rowTop},
               kSingleLine);
}

void PaintShortcutRow(HDC dc, const SettingsState& state, std::size_t index, ColourRef text) {
    const Shortcut& shortcut = state.shortcuts[index];
    const ShortcutRowLayout& row = state.rows[index];
    DrawTextIn(dc, Translate(shortcut.label),
               RECT{kTextLeft, row.top, row.keyBox.left - kRowLabelGap, row.top + kShortcutRowHeight},
               kSingleLineEllipsis);

    const bool waiting = state.waitingRow == static_cast<int>(index);
    const int grey = IsDarkColour(kSettingsColour) ? kLightGrey : kDarkGrey;
    const RECT box = ToRECT(row.keyBox);
    FillSolid(dc, box, MoveTowards(kSettingsColour, grey, waiting ? kWaitingBoxShift : 0.0));
    FrameRect(dc, &box, GreyFrameBrush());

    SetTextColor(dc, shortcut.registrationFailed ? kFailedKeyColour : text);
    if (waiting) {
        DrawTextIn(dc, Translate(u"Appuyez sur une touche..."), box, kCentredEllipsis);
    } else {
        DrawTextIn(dc, ShortcutText(shortcut.modifiers, shortcut.key), box, kCentredEllipsis);
    }
    SetTextColor(dc, text);
}

void PaintShortcuts(HDC dc, SettingsState& state, int width, ColourRef text) {
    const ShortcutTable& table = state.shortcuts;
    state.rows = LayoutShortcutRows(table);
    PaintHeading(dc, u"Commandes globales", state.rows[0].top, width);
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i].global) continue;
        PaintHeading(dc, u"Commandes de note (note au premier plan)", state.rows[i].top, width);
        break;
    }
    for (std::size_t i = 0; i < table.size(); ++i) PaintShortcutRow(dc, state, i, text);
}

}  // namespace

void PaintSettingsWindow(HWND window, HDC dc, HBRUSH background, SettingsState& state) {
    const SavedDcState saved(dc);
    RECT client{};
    GetClientRect(window, &client);
    const int width = client.right;
    const ColourRef text = ContrastTextColour(kSettingsColour);
    const ColourRef band = HeaderColour(kSettingsColour);

    FillRect(dc, &client, background ? background : static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    const SelectScope font(dc, TextFontOrDefault());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, text);

    PaintTitleBand(dc, window, width, kSettingsColour, kTitleCharacters);
    SetTextColor(dc, text);
    PaintSoundSwitch(dc, state, width, text);
    PaintVolume(dc, state, width, band, text);
    PaintLanguage(dc, state);
    PaintDataFolder(dc);
    PaintShortcuts(dc, state, width, text);
    FrameRect(dc, &client, GreyFrameBrush());
}
