#include "search/find_window.h"


#include <optional>
#include <vector>

#include "base/colour.h"
#include "i18n/core/translation.h"
#include "search/core/note_matching.h"
#include "search/found_note.h"
#include "search/note_index.h"
#include "search/result_painting.h"
#include "ui/core/title_band.h"
#include "ui/dialog.h"
#include "ui/dialog_window.h"
#include "ui/modal_dialog.h"
#include "ui/shared_fonts.h"
#include "win/window_text.h"

namespace {

constexpr int kWindowWidth = 460;
constexpr int kWindowHeight = 420;
constexpr int kMargin = 12;
constexpr int kFieldHeight = 26;
constexpr int kGap = 8;
constexpr Rect kFieldPlace{kMargin, kTitleBandHeight + kMargin, kWindowWidth - kMargin,
                           kTitleBandHeight + kMargin + kFieldHeight};
constexpr Rect kListPlace{kMargin, kFieldPlace.bottom + kGap, kWindowWidth - kMargin, kWindowHeight - kMargin};
constexpr Rect kNothingFoundPlace{kMargin, kListPlace.top + 16, kWindowWidth - kMargin, kListPlace.top + 60};
constexpr int kNothingFoundId = 102;

constexpr DWORD kFieldStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
// LBS_NODATA: the list holds only a count, the rows are painted from the
// results; refilling it after a key press costs nothing however many there are.
constexpr DWORD kListStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_NODATA | LBS_NOTIFY |
                             LBS_NOINTEGRALHEIGHT;
constexpr DWORD kNothingFoundStyle = WS_CHILD | SS_CENTER | SS_NOPREFIX;

// The keys that move in the list while the caret stays in the field.
bool IsListKey(WPARAM key) {
    return key == VK_UP || key == VK_DOWN || key == VK_PRIOR || key == VK_NEXT;
}

// The field hands the list the keys that move in it. Subclassed through its
// window procedure (the standard one kept in the field's user data), so that
// the common controls library is not loaded for it.
LRESULT CALLBACK FieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN && IsListKey(wParam)) {
        SendMessageW(GetDlgItem(GetParent(field), kFindListId), WM_KEYDOWN, wParam, lParam);
        return 0;
    }
    const auto standard = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(field, GWLP_USERDATA));
    return CallWindowProcW(standard, field, message, wParam, lParam);
}

void SubclassField(HWND field) {
    SetWindowLongPtrW(field, GWLP_USERDATA, GetWindowLongPtrW(field, GWLP_WNDPROC));
    SetWindowLongPtrW(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FieldProc));
}

// Centred across the primary work area, a third of the way down, where a
// search box is looked for.
Rect FinderPlace() {
    RECT workArea{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    const int left = workArea.left + (workArea.right - workArea.left - kWindowWidth) / 2;
    const int top = workArea.top + (workArea.bottom - workArea.top - kWindowHeight) / 3;
    return Rect{left, top, left + kWindowWidth, top + kWindowHeight};
}

// The words that matched, then where the note is filed, when it is.
std::u16string SecondLine(const SearchableNote& note, const NoteMatch& match) {
    std::u16string line = MatchedWords(note, match);
    const std::u16string filed = FiledUnder(note);
    if (!line.empty() && !filed.empty()) line += u"  —  ";
    line += filed;
    return line;
}

// The note a result stands for and where to put the caret in it.
struct Choice {
    std::uint64_t id = 0;
    std::optional<TextRange> match;
};

class FinderDialog final : public Dialog {
public:
    FinderDialog() : Dialog(kNoteYellow), notes_(IndexNoteWindows()) {}

    // The result Enter or a double click chose, once the window is closed.
    const std::optional<Choice>& Chosen() const { return chosen_; }

private:
    HWND CreateControls() override {
        const HFONT font = TextFontOrDefault();
        field_ = CreateDialogControl(Window(), L"EDIT", u"", kFieldStyle, kFindFieldId, kFieldPlace, font);
        list_ = CreateDialogControl(Window(), L"LISTBOX", u"", kListStyle, kFindListId, kListPlace, font);
        // In the list's place when nothing matches.
        const char16_t* nothing = notes_.empty() ? Translate(u"Aucune note pour l'instant.")
                                                 : Translate(u"Aucune note ne contient ce texte.");
        nothingFound_ = CreateDialogControl(Window(), L"STATIC", nothing, kNothingFoundStyle, kNothingFoundId,
                                            kNothingFoundPlace, font);
        SubclassField(field_);
        Refresh();
        return field_;
    }

    // Enter: the selected result, or the first.
    void OnOk() noexcept override {
        if (results_.empty()) return;
        const LRESULT selected = SendMessageW(list_, LB_GETCURSEL, 0, 0);
        Choose(selected == LB_ERR ? 0 : static_cast<std::size_t>(selected));
    }

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept override {
        switch (message) {
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_MEASUREITEM:
            reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = kResultRowHeight;
            return TRUE;
        case WM_DRAWITEM:
            if (wParam == kFindListId) {
                DrawRow(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
                return TRUE;
            }
            break;
        case WM_CTLCOLORLISTBOX:
            return reinterpret_cast<LRESULT>(Brush());
        default:
            break;
        }
        const DialogChromeResult chrome = Chrome(message, wParam, lParam);
        if (chrome.handled) return chrome.result;
        return DefWindowProcW(Window(), message, wParam, lParam);
    }

    void OnCommand(int id, int code) {
        if (id == kFindFieldId && code == EN_CHANGE) Refresh();
        if (id == kFindListId && code == LBN_DBLCLK) OnOk();
    }

    // The results for what the field holds now, the first one selected.
    void Refresh() {
        const std::u16string query = WindowText(field_);
        const bool narrower = query_ && NarrowsQuery(*query_, query);
        results_ = narrower ? FindNotesAmong(notes_, Found(), query) : FindNotes(notes_, query);
        query_ = query;
        // Without redrawing meanwhile: a list may otherwise update its
        // scroll bar for every row it gains or loses.
        SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
        SendMessageW(list_, LB_SETCOUNT, results_.size(), 0);
        if (!results_.empty()) SendMessageW(list_, LB_SETCURSEL, 0, 0);
        SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
        ShowWindow(list_, results_.empty() ? SW_HIDE : SW_SHOW);
        ShowWindow(nothingFound_, results_.empty() ? SW_SHOW : SW_HIDE);
        InvalidateRect(list_, nullptr, TRUE);
    }

    // The notes the last query found.
    std::vector<std::size_t> Found() const {
        std::vector<std::size_t> found;
        for (const NoteMatch& match : results_) found.push_back(match.note);
        return found;
    }

    void DrawRow(const DRAWITEMSTRUCT& item) {
        if (item.itemID >= results_.size()) return;  // an empty list paints its focus row too
        const NoteMatch& match = results_[item.itemID];
        const SearchableNote& note = notes_[match.note];
        ResultRow row;
        row.noteColour = note.colour;
        row.firstLine = FirstLine(note);
        if (row.firstLine.empty()) row.firstLine = Translate(u"(note vide)");
        row.secondLine = SecondLine(note, match);
        PaintResultRow(item, row, Colour());
    }

    void Choose(std::size_t index) {
        const NoteMatch& match = results_[index];
        const SearchableNote& note = notes_[match.note];
        Choice choice{note.id, std::nullopt};
        if (const std::optional<WordHit> hit = CaretHit(note, match)) {
            if (note.fields[hit->field].kind == FieldKind::Text) choice.match = TextRange{hit->start, hit->end};
        }
        chosen_ = choice;
        Accept();
    }

    std::vector<SearchableNote> notes_;
    std::vector<NoteMatch> results_;
    std::optional<std::u16string> query_;  // what the results are for, once searched
    std::optional<Choice> chosen_;
    HWND field_ = nullptr;
    HWND list_ = nullptr;
    HWND nothingFound_ = nullptr;
};

}  // namespace

void OpenFindWindow(HWND trayWindow) {
    if (ModalDialogActive()) return;
    FinderDialog window;
    const bool chosen = window.Run({.className = kFindWindowClass,
                                    .title = Translate(u"Rechercher une note"),
                                    .place = FinderPlace(),
                                    .owner = trayWindow});
    if (chosen && window.Chosen()) ShowFoundNote(window.Chosen()->id, window.Chosen()->match);
}
