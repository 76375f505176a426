#include "notes/restore_window.h"

#include <algorithm>
#include <string>
#include <vector>

#include "entries/local_clock.h"
#include "i18n/core/translation.h"
#include "notes/core/restore_rows.h"
#include "notes/note_restore.h"
#include "storage/category_storage.h"
#include "storage/core/categories_file.h"
#include "storage/core/note_file.h"
#include "storage/note_bin.h"
#include "storage/note_files.h"
#include "storage/text_files.h"
#include "ui/core/colour_rules.h"
#include "ui/dialog.h"
#include "ui/dialog_window.h"
#include "ui/modal_dialog.h"
#include "ui/shared_fonts.h"
#include "win/gdi_drawing.h"
#include "win/handles.h"
#include "win/wide.h"

namespace {

constexpr ColourRef kRestoreColour = kNoteYellow;
constexpr int kWidth = 800;
constexpr int kHeight = 504;
constexpr int kRowHeight = 20;
constexpr int kColumnInset = 4;
constexpr int kButtonTextCharacters = 40;

constexpr DWORD kLabelStyle = WS_CHILD | WS_VISIBLE | SS_NOPREFIX;
constexpr DWORD kListStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY |
                             LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT;
constexpr DWORD kButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;

struct Control {
    const wchar_t* className;
    const char16_t* text;  // French source, shown through Translate
    DWORD style;
    int id;
    Rect place;
};

// In Tab order.
constexpr Control kControls[] = {
    {L"STATIC", u"Notes supprimées (gardées 30 jours)", kLabelStyle, 0, {12, 38, 788, 58}},
    {L"LISTBOX", u"", kListStyle, kRestoreBinListId, {12, 60, 788, 170}},
    {L"BUTTON", u"Restaurer", kButtonStyle, kRestoreBinButtonId, {648, 176, 788, 204}},
    {L"STATIC", u"Sauvegardes (les 7 derniers jours et les 4 dernières semaines)", kLabelStyle, 0,
     {12, 216, 788, 236}},
    {L"LISTBOX", u"", kListStyle, kRestoreDaysListId, {12, 238, 352, 418}},
    {L"LISTBOX", u"", kListStyle, kRestoreDayNotesListId, {360, 238, 788, 418}},
    {L"BUTTON", u"Restaurer la note", kButtonStyle, kRestoreNoteButtonId, {360, 424, 540, 452}},
    {L"BUTTON", u"Restaurer toute la journée…", kButtonStyle, kRestoreDayButtonId, {548, 424, 788, 452}},
    {L"BUTTON", u"Fermer", kButtonStyle, IDCANCEL, {688, 464, 788, 492}},
};

// Where each column of a list's rows starts, as a share of its width.
struct Columns {
    double starts[3];
};
constexpr Columns kNoteColumns{{0.0, 0.38, 0.69}};
constexpr Columns kDayColumns{{0.0, 0.44, 0.64}};

// Centred on the primary work area, as the settings window.
Rect CentredPlace() {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int left = work.left + (work.right - work.left - kWidth) / 2;
    const int top = work.top + (work.bottom - work.top - kHeight) / 2;
    return Rect{left, top, left + kWidth, top + kHeight};
}

std::vector<std::u16string> SplitColumns(const std::u16string& text) {
    std::vector<std::u16string> columns;
    std::size_t start = 0;
    for (std::size_t tab = text.find(u'\t'); tab != std::u16string::npos; tab = text.find(u'\t', start)) {
        columns.push_back(text.substr(start, tab - start));
        start = tab + 1;
    }
    columns.push_back(text.substr(start));
    return columns;
}

std::u16string ListItemText(HWND list, int index) {
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, index, 0);
    if (length <= 0) return {};
    std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
    SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(WideBuffer(text)));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

void FillList(HWND list, const std::vector<std::u16string>& rows) {
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const std::u16string& row : rows) SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(row)));
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

int Selection(HWND list) {
    return static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0));
}

// The categories of a backup, to name its notes' categories as they were.
CategoryStore CategoriesOf(const Backup& backup) {
    return ParseCategoriesFile(ReadTextFile(backup.folder + u"\\categories.txt"));
}

void Tell(HWND owner, const char16_t* text) {
    MessageBoxW(owner, Wide(Translate(text)), L"Quillboard", MB_OK | MB_ICONWARNING);
}

class RestoreWindow final : public Dialog {
public:
    RestoreWindow() : Dialog(kRestoreColour) {}

private:
    HWND CreateControls() override;
    void OnOk() noexcept override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept override;

    HWND Item(int id) const { return GetDlgItem(Window(), id); }
    void FillBin();
    void FillBackups();
    void FillDayNotes();
    void RestoreBinNote();
    void RestoreDayNote();
    void RestoreWholeDay();
    void OnCommand(int id, int code);
    void DrawRow(const DRAWITEMSTRUCT& item) const;

    std::vector<BinItem> bin_;
    std::vector<Backup> backups_;
    std::vector<std::u16string> dayNotePaths_;  // of the chosen backup, in list order
};

HWND RestoreWindow::CreateControls() {
    const HFONT font = TextFontOrDefault();
    for (const Control& control : kControls) {
        CreateDialogControl(Window(), control.className, Translate(control.text), control.style, control.id,
                            control.place, font);
    }
    FillBin();
    FillBackups();
    SetFocus(Item(kRestoreBinListId));
    return nullptr;
}

void RestoreWindow::FillBin() {
    HWND list = Item(kRestoreBinListId);
    const int selected = Selection(list);
    bin_ = ListBin();
    std::vector<std::u16string> rows;
    for (const BinItem& item : bin_) rows.push_back(NoteRowText(item.fields, Categories(), item.name.deletedAt));
    FillList(list, rows);
    if (!bin_.empty()) SendMessageW(list, LB_SETCURSEL, std::clamp(selected, 0, static_cast<int>(bin_.size()) - 1), 0);
}

void RestoreWindow::FillBackups() {
    backups_ = ListBackups();
    std::vector<std::u16string> rows;
    for (const Backup& backup : backups_) rows.push_back(BackupRowText(backup.name, NoteFileCount(backup.files)));
    FillList(Item(kRestoreDaysListId), rows);
    if (!backups_.empty()) SendMessageW(Item(kRestoreDaysListId), LB_SETCURSEL, 0, 0);
    FillDayNotes();
}

// The notes of the chosen backup, the most recently changed first.
void RestoreWindow::FillDayNotes() {
    dayNotePaths_.clear();
    std::vector<std::u16string> rows;
    const int day = Selection(Item(kRestoreDaysListId));
    if (day >= 0 && day < static_cast<int>(backups_.size())) {
        const Backup& backup = backups_[static_cast<std::size_t>(day)];
        const CategoryStore categories = CategoriesOf(backup);
        std::vector<DataFile> notes = backup.files;
        std::erase_if(notes, [](const DataFile& file) { return NoteFileCount({file}) == 0; });
        std::sort(notes.begin(), notes.end(),
                  [](const DataFile& a, const DataFile& b) { return a.lastWrite > b.lastWrite; });
        for (const DataFile& file : notes) {
            StoredNoteText stored;
            if (!ReadStoredNoteText(backup.folder + u"\\" + file.path, stored)) continue;
            NoteFields fields;
            ParseNoteFile(stored.text, fields);
            rows.push_back(NoteRowText(fields, categories, LocalMomentOfFileTime(file.lastWrite)));
            dayNotePaths_.push_back(file.path);
        }
    }
    FillList(Item(kRestoreDayNotesListId), rows);
}

void RestoreWindow::RestoreBinNote() {
    const int index = Selection(Item(kRestoreBinListId));
    if (index < 0 || index >= static_cast<int>(bin_.size())) return;
    if (!RestoreFromBin(bin_[static_cast<std::size_t>(index)].fileName)) {
        Tell(Window(), u"La note n'a pas pu être restaurée.");
    }
    FillBin();
}

void RestoreWindow::RestoreDayNote() {
    const int day = Selection(Item(kRestoreDaysListId));
    const int index = Selection(Item(kRestoreDayNotesListId));
    if (day < 0 || day >= static_cast<int>(backups_.size()) || index < 0 ||
        index >= static_cast<int>(dayNotePaths_.size())) {
        return;
    }
    if (!RestoreNoteFromBackup(backups_[static_cast<std::size_t>(day)], dayNotePaths_[static_cast<std::size_t>(index)])) {
        Tell(Window(), u"La note n'a pas pu être restaurée.");
    }
}

void RestoreWindow::RestoreWholeDay() {
    const int day = Selection(Item(kRestoreDaysListId));
    if (day < 0 || day >= static_cast<int>(backups_.size())) return;
    const Backup backup = backups_[static_cast<std::size_t>(day)];
    std::u16string question = Translate(u"Remplacer toutes les notes par celles de cette sauvegarde ?");
    question += u'\n';
    question += MomentText(backup.name.madeAt);
    question += u"\n\n";
    question += Translate(u"Les notes d'aujourd'hui sont d'abord sauvegardées à part (« avant restauration ») : "
                          u"la restauration pourra être annulée.");
    if (MessageBoxW(Window(), Wide(question), L"Quillboard", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES) {
        return;
    }
    switch (RestoreWholeBackup(backup, LocalMoment())) {
    case WholeRestore::Done: break;
    case WholeRestore::UndoNotSaved:
        Tell(Window(), u"Les notes actuelles n'ont pas pu être sauvegardées : rien n'a été restauré.");
        break;
    case WholeRestore::Incomplete:
        Tell(Window(), u"Certaines notes n'ont pas pu être restaurées.");
        break;
    }
    FillBin();
    FillBackups();
}

// Enter: the note chosen in the list that has the focus.
void RestoreWindow::OnOk() noexcept {
    const HWND focus = GetFocus();
    if (focus == Item(kRestoreBinListId)) RestoreBinNote();
    if (focus == Item(kRestoreDayNotesListId)) RestoreDayNote();
}

void RestoreWindow::OnCommand(int id, int code) {
    switch (id) {
    case kRestoreBinButtonId: RestoreBinNote(); break;
    case kRestoreNoteButtonId: RestoreDayNote(); break;
    case kRestoreDayButtonId: RestoreWholeDay(); break;
    case kRestoreBinListId:
        if (code == LBN_DBLCLK) RestoreBinNote();
        break;
    case kRestoreDayNotesListId:
        if (code == LBN_DBLCLK) RestoreDayNote();
        break;
    case kRestoreDaysListId:
        if (code == LBN_SELCHANGE) FillDayNotes();
        break;
    default: break;
    }
}

// A row's columns in their places, on the dialog's colour, or on the title
// band's shade while it is chosen.
void RestoreWindow::DrawRow(const DRAWITEMSTRUCT& item) const {
    const bool chosen = (item.itemState & ODS_SELECTED) != 0;
    const ColourRef back = chosen ? HeaderColour(Colour()) : Colour();
    FillSolid(item.hDC, item.rcItem, back);
    if (item.itemID == static_cast<UINT>(-1)) return;
    const SavedDcState saved(item.hDC);
    const SelectScope font(item.hDC, TextFontOrDefault());
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, ContrastTextColour(back));
    const Columns& columns = item.CtlID == kRestoreDaysListId ? kDayColumns : kNoteColumns;
    const std::vector<std::u16string> texts = SplitColumns(ListItemText(item.hwndItem, static_cast<int>(item.itemID)));
    const int width = item.rcItem.right - item.rcItem.left;
    for (std::size_t i = 0; i < texts.size() && i < 3; ++i) {
        RECT box = item.rcItem;
        box.left += static_cast<int>(columns.starts[i] * width) + kColumnInset;
        if (i + 1 < 3) box.right = item.rcItem.left + static_cast<int>(columns.starts[i + 1] * width);
        DrawTextW(item.hDC, Wide(texts[i]), -1, &box, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    }
    if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
}

LRESULT RestoreWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    switch (message) {
    case WM_MEASUREITEM:
        reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = kRowHeight;
        return TRUE;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item->CtlType == ODT_LISTBOX) {
            DrawRow(*item);
            return TRUE;
        }
        DrawDialogButton(item, Colour(), Brush(), kButtonTextCharacters);
        return TRUE;
    }
    case WM_CTLCOLORLISTBOX:
        SetTextColor(reinterpret_cast<HDC>(wParam), ContrastTextColour(Colour()));
        SetBkColor(reinterpret_cast<HDC>(wParam), Colour());
        return reinterpret_cast<LRESULT>(Brush());
    case WM_ACTIVATE:
        // A note deleted while the window was open shows in the bin.
        if (LOWORD(wParam) != WA_INACTIVE && Window()) FillBin();
        break;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    default: break;
    }
    const DialogChromeResult chrome = Chrome(message, wParam, lParam);
    if (chrome.handled) return chrome.result;
    return DefWindowProcW(Window(), message, wParam, lParam);
}

}  // namespace

void RunRestoreWindow(HWND owner) {
    RestoreWindow window;
    const bool ownerShows = owner && IsWindowVisible(owner);
    window.Run({.className = kRestoreWindowClass,
                .title = Translate(u"Restaurer des notes"),
                .place = ownerShows ? PlaceNearOwner(owner, kWidth, kHeight) : CentredPlace(),
                .owner = owner});
}

void OpenRestoreWindow(HWND trayWindow) {
    if (ModalDialogActive()) return;
    RunRestoreWindow(trayWindow);
}
