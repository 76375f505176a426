#include "notes/note_window.h"

#include <windowsx.h>

#include <memory>

#include "notes/core/entry_list_layout.h"
#include "notes/core/note_layout.h"
#include "notes/docking.h"
#include "notes/entry_commands.h"
#include "notes/entry_list.h"
#include "notes/note_commands.h"
#include "notes/note_creation.h"
#include "notes/note_edit_menu.h"
#include "notes/note_painting.h"
#include "notes/note_reach.h"
#include "notes/note_removal.h"
#include "notes/note_save.h"
#include "notes/note_window_state.h"
#include "notes/notes_state.h"
#include "ui/core/colour_rules.h"
#include "ui/owner_draw_menu.h"
#include "ui/screen_geometry.h"
#include "ui/shared_fonts.h"
#include "win/context_menu_point.h"
#include "win/gdiplus_session.h"
#include "win/handles.h"
#include "win/wide.h"

namespace {

constexpr DWORD kNoteEditStyle = WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;

void ShowNoteMenu(HWND window, int x, int y) {
    if (const NoteMenuHandler handler = CurrentNotesState().noteMenuHandler) handler(window, x, y);
}

Note NoteFromParams(const NoteCreateParams* params) {
    Note note;
    if (!params) return note;
    static_cast<NoteProperties&>(note) = *params;
    note.id = params->id;
    note.dock = kDockNone;  // the creator docks a note stored docked
    SortEntries(note.entries);
    return note;
}

// The edit is made at its final place with its font before it gets its
// text, so that its lines are laid out once, at the right width.
HWND CreateNoteEdit(HWND window, const CREATESTRUCTW* create, const NoteCreateParams* params, const Note& note) {
    const Rect place = NoteEditRect(create->cx, create->cy);
    HWND edit = CreateWindowExW(0, L"EDIT", L"", kNoteEditStyle, place.left, place.top, place.Width(), place.Height(),
                                window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kNoteEditId)), create->hInstance,
                                nullptr);
    if (!edit) return nullptr;
    SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(EnsureTextFont()), TRUE);
    InstallNoteEditMenu(edit);
    // No cap on what can be typed: a note never refuses text.
    SendMessageW(edit, EM_SETLIMITTEXT, 0, 0);
    if (params && !params->body.empty()) SetWindowTextW(edit, Wide(params->body));
    if (note.type != kNoteRegular) ShowWindow(edit, SW_HIDE);
    return edit;
}

// Keeps the edit over the body; it is left alone when it is already there.
void PlaceNoteEdit(HWND window, int clientWidth, int clientHeight) {
    HWND edit = NoteEditOf(window);
    const Rect place = NoteEditRect(clientWidth, clientHeight);
    RECT current{};
    GetWindowRect(edit, &current);
    MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&current), 2);
    if (ToRect(current) == place) return;
    MoveWindow(edit, place.left, place.top, place.Width(), place.Height(), TRUE);
}

LRESULT OnCreate(HWND window, const CREATESTRUCTW* create) {
    const auto* params = static_cast<const NoteCreateParams*>(create->lpCreateParams);
    auto state = std::make_unique<NoteWindowState>();
    state->note = NoteFromParams(params);
    state->backgroundBrush.Reset(CreateSolidBrush(state->note.colour));
    if (params) {
        state->fileVersion = params->fileVersion;
        state->fileBytes = params->fileBytes;
    }
    const Note& note = state->note;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state.release()));
    // A note without its edit would look blank and lose its file at the next
    // save; failing the creation instead keeps the file for the next start.
    // The state is freed in WM_NCDESTROY, which follows the failure.
    return CreateNoteEdit(window, create, params, note) ? 0 : -1;
}

void OnPaint(HWND window) {
    PaintScope paint(window);
    NoteWindowState* state = NoteWindowStateOf(window);
    PaintNote(window, paint.Dc(), state ? &state->note : nullptr);
}

Point ClientPointFromScreen(HWND window, LPARAM lParam) {
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ScreenToClient(window, &point);
    return Point{point.x, point.y};
}

LRESULT HitTestCode(NoteHit hit) {
    switch (hit) {
    case NoteHit::Caption: return HTCAPTION;
    case NoteHit::Left: return HTLEFT;
    case NoteHit::Right: return HTRIGHT;
    case NoteHit::Top: return HTTOP;
    case NoteHit::Bottom: return HTBOTTOM;
    case NoteHit::TopLeft: return HTTOPLEFT;
    case NoteHit::TopRight: return HTTOPRIGHT;
    case NoteHit::BottomLeft: return HTBOTTOMLEFT;
    case NoteHit::BottomRight: return HTBOTTOMRIGHT;
    case NoteHit::Client: break;
    }
    return HTCLIENT;
}

LRESULT OnHitTest(HWND window, LPARAM lParam) {
    RECT client{};
    GetClientRect(window, &client);
    const NoteWindowState* state = NoteWindowStateOf(window);
    const bool docked = state && state->note.dock != kDockNone;
    return HitTestCode(NoteHitTest(ClientPointFromScreen(window, lParam), client.right, client.bottom, docked));
}

// A click on the title moves the note when the mouse is dragged, and opens
// the note menu when it is not.
void OnTitleClick(HWND window, Point client) {
    POINT screen{client.x, client.y};
    ClientToScreen(window, &screen);
    if (DragDetect(window, screen)) {
        ReleaseCapture();
        SendMessageW(window, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(screen.x, screen.y));
        return;
    }
    ShowNoteMenu(window, screen.x, screen.y);
}

void RunHeaderControl(HWND window, HeaderControl control, Point client) {
    switch (control) {
    case HeaderControl::NewNote: CreateNewNote(window); break;
    case HeaderControl::Colour: PickNoteColour(window); break;
    case HeaderControl::Title: OnTitleClick(window, client); break;
    case HeaderControl::DockLeft: DockNote(window, kDockLeft); break;
    case HeaderControl::DockTop: DockNote(window, kDockTop); break;
    case HeaderControl::DockRight: DockNote(window, kDockRight); break;
    case HeaderControl::Pin: TogglePin(window); break;
    case HeaderControl::Delete: DeleteNote(window); break;
    case HeaderControl::None: break;
    }
}

void OnLeftButtonDown(HWND window, LPARAM lParam) {
    const NoteWindowState* state = NoteWindowStateOf(window);
    if (!state) return;
    if (state->note.dock != kDockNone) {
        UndockNote(window);
        return;
    }
    const Point client{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (state->note.type == kNoteScheduled && client.y >= kEntryListClickTop) {
        ClickEntryList(window, client);
        return;
    }
    RECT rect{};
    GetClientRect(window, &rect);
    RunHeaderControl(window, HeaderControlAt(client, rect.right), client);
}

void OnContextMenu(HWND window, LPARAM lParam) {
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (IsKeyboardContextMenu(lParam)) GetCursorPos(&point);
    // An entry row of a scheduled note has its own menu.
    if (!ShowEntryMenu(window, point.x, point.y)) ShowNoteMenu(window, point.x, point.y);
}

void OnExitSizeMove(HWND window) {
    const NoteWindowState* state = NoteWindowStateOf(window);
    // Only a move docks a note, never a resize.
    if (state && CurrentNotesState().moveLoop.moved && state->note.dock == kDockNone) DockSnap(window, CurrentNotesState().moveLoop.start);
    SaveNote(window);
}

void OnSetFocus(HWND window) {
    const NoteWindowState* state = NoteWindowStateOf(window);
    if (state && state->note.type == kNoteRegular && state->note.dock == kDockNone) SetFocus(NoteEditOf(window));
}

LRESULT OnControlColour(HWND window, HDC dc) {
    const NoteWindowState* state = NoteWindowStateOf(window);
    const ColourRef colour = state ? state->note.colour : kDefaultNoteColour;
    SetTextColor(dc, ContrastTextColour(colour));
    SetBkColor(dc, colour);
    return reinterpret_cast<LRESULT>(NoteBackgroundBrush(window));
}

LRESULT OnEraseBackground(HWND window, HDC dc) {
    RECT client{};
    GetClientRect(window, &client);
    FillRect(dc, &client, NoteBackgroundBrush(window));
    return 1;
}

void OnNcDestroy(HWND window) {
    std::unique_ptr<NoteWindowState> state(NoteWindowStateOf(window));
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
}

}  // namespace

void SetNoteMenuHandler(NoteMenuHandler handler) {
    CurrentNotesState().noteMenuHandler = handler;
}

void SetNoteFileChangedHandler(NoteFileChangedHandler handler) {
    CurrentNotesState().fileChangedHandler = handler;
}

void RegisterNoteWindowClass(HINSTANCE instance) {
    // A second call (each test makes the class again) changes nothing:
    // registering a class that exists fails harmlessly.
    EnsureGdiplusStarted();

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = NoteWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kNoteWindowClass;
    RegisterClassExW(&windowClass);
}

LRESULT CALLBACK NoteWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return OnCreate(window, reinterpret_cast<const CREATESTRUCTW*>(lParam));
    case WM_SIZE: {
        PlaceNoteEdit(window, LOWORD(lParam), HIWORD(lParam));
        return 0;
    }
    case WM_GETMINMAXINFO:
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = POINT{kMinNoteWidth, kMinNoteHeight};
        return 0;
    case WM_NCCALCSIZE:
        if (wParam) return 0;  // the whole window is client area
        break;
    case WM_ERASEBKGND:
        return OnEraseBackground(window, reinterpret_cast<HDC>(wParam));
    case WM_CTLCOLOREDIT:
        return OnControlColour(window, reinterpret_cast<HDC>(wParam));
    case WM_PAINT:
        OnPaint(window);
        return 0;
    case WM_NCHITTEST:
        return OnHitTest(window, lParam);
    case WM_LBUTTONDOWN:
        OnLeftButtonDown(window, lParam);
        return 0;
    case WM_CONTEXTMENU:
        OnContextMenu(window, lParam);
        return 0;
    case WM_MEASUREITEM:
        if (MeasureOwnerDrawMenuItem(window, reinterpret_cast<MEASUREITEMSTRUCT*>(lParam))) return TRUE;
        break;
    case WM_DRAWITEM:
        if (DrawOwnerDrawMenuItem(NoteColourOf(window), reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return TRUE;
        break;
    case WM_ENTERSIZEMOVE:
        CurrentNotesState().moveLoop.moved = false;
        GetWindowRect(window, &CurrentNotesState().moveLoop.start);
        return 0;
    case WM_MOVING:
        CurrentNotesState().moveLoop.moved = true;
        break;
    case WM_SIZING:
        CurrentNotesState().moveLoop.moved = false;
        break;
    case WM_EXITSIZEMOVE:
        OnExitSizeMove(window);
        return 0;
    case WM_SETFOCUS:
        OnSetFocus(window);
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) RedockAfterAMoment(window, reinterpret_cast<HWND>(lParam));
        break;  // the default sets the focus when the note is activated
    case WM_COMMAND:
        if (LOWORD(wParam) == kNoteEditId && HIWORD(wParam) == EN_KILLFOCUS) SaveNote(window);
        return 0;
    case WM_DISPLAYCHANGE:
        BringNoteIntoReach(window);  // a monitor may have gone
        return 0;
    case WM_NOTE_DISCARD_IF_BLANK:
        DiscardNoteIfBlank(window);
        return 0;
    case WM_DESTROY:
        return 0;  // callers save before destroying, or have deleted the file
    case WM_NCDESTROY:
        OnNcDestroy(window);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
