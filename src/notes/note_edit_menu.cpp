#include "notes/note_edit_menu.h"

#include <windowsx.h>

#include <string>
#include <vector>

#include "i18n/core/translation.h"
#include "notes/core/edit_menu_model.h"
#include "notes/core/entry_list_layout.h"
#include "notes/entry_commands.h"
#include "notes/note_commands.h"
#include "notes/note_window_state.h"
#include "ui/owner_draw_menu.h"
#include "win/context_menu_point.h"
#include "win/window_text.h"

namespace {

// The character the menu is about and where the menu opens.
struct MenuRequest {
    int charIndex = 0;
    POINT screen{};
};

// From the keyboard: the end of the selection, and the menu at that character.
MenuRequest RequestFromKeyboard(HWND edit) {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    MenuRequest request;
    request.charIndex = static_cast<int>(end);
    const LRESULT position = SendMessageW(edit, EM_POSFROMCHAR, end, 0);
    if (position == -1) {
        GetCaretPos(&request.screen);  // past the last character there is no position, only the caret
    } else {
        request.screen = POINT{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    }
    ClientToScreen(edit, &request.screen);
    return request;
}

// From the mouse: the character under the point. The edit reports only its
// low 16 bits; the first visible character tells which one it is.
MenuRequest RequestFromMouse(HWND edit, LPARAM lParam) {
    MenuRequest request;
    request.screen = POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    POINT client = request.screen;
    ScreenToClient(edit, &client);
    const LRESULT found = SendMessageW(edit, EM_CHARFROMPOS, 0, MAKELPARAM(client.x, client.y));
    const LRESULT firstLine = SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0);
    const auto firstVisible = static_cast<int>(SendMessageW(edit, EM_LINEINDEX, static_cast<WPARAM>(firstLine), 0));
    request.charIndex = CharIndexFromLowBits(LOWORD(found), firstVisible);
    return request;
}

// The edit's state as the usual edit menu reads it.
EditMenuFacts ReadEditFacts(HWND edit) {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const auto length = static_cast<DWORD>(GetWindowTextLengthW(edit));
    EditMenuFacts facts;
    facts.canUndo = SendMessageW(edit, EM_CANUNDO, 0, 0) != 0;
    facts.hasSelection = start != end;
    facts.clipboardHasText = IsClipboardFormatAvailable(CF_UNICODETEXT) != 0;
    facts.everythingSelected = start == 0 && end >= length;
    facts.readOnly = (GetWindowLongPtrW(edit, GWL_STYLE) & ES_READONLY) != 0;
    return facts;
}

// The edit does the work itself, so the note sees the change as it sees
// typing (and saves it when the text loses the focus).
void RunEditCommand(HWND edit, EditCommand command) {
    switch (command) {
    case EditCommand::Undo: SendMessageW(edit, WM_UNDO, 0, 0); break;
    case EditCommand::Cut: SendMessageW(edit, WM_CUT, 0, 0); break;
    case EditCommand::Copy: SendMessageW(edit, WM_COPY, 0, 0); break;
    case EditCommand::Paste: SendMessageW(edit, WM_PASTE, 0, 0); break;
    case EditCommand::Delete: SendMessageW(edit, WM_CLEAR, 0, 0); break;
    case EditCommand::SelectAll: SendMessageW(edit, EM_SETSEL, 0, -1); break;
    }
}

// Menu ids of the edit commands: their position in the list, from 1 (0 is
// what the menu returns when nothing is chosen).
UINT EditCommandId(std::size_t index) {
    return static_cast<UINT>(index + 1);
}

void AppendEditCommands(HMENU menu, const std::vector<EditMenuItem>& items, OwnerDrawItems& records) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        AppendOwnerDrawItem(menu, items[i].enabled ? MF_STRING : MF_GRAYED, EditCommandId(i),
                            Translate(items[i].text), records);
        if (items[i].separatorAfter) AppendOwnerDrawItem(menu, MF_SEPARATOR, 0, u"", records);
    }
}

// The usual edit commands, then the line the note's own command is about and
// that command. The line is found in the edit's text between line breaks,
// not as the edit wraps it on the screen, so that the whole line moves.
void ShowNoteEditMenu(HWND noteWindow, HWND edit, LPARAM lParam) {
    const MenuRequest request = IsKeyboardContextMenu(lParam) ? RequestFromKeyboard(edit) : RequestFromMouse(edit, lParam);
    const std::u16string text = WindowText(edit);
    const TextLine line = TextLineAt(text, request.charIndex);
    const std::u16string lineText = text.substr(static_cast<std::size_t>(line.start), static_cast<std::size_t>(line.length));
    if (GetFocus() != edit) SetFocus(edit);  // as a standard edit does, so the selection shows

    const std::vector<EditMenuItem> editItems = EditMenuItems(ReadEditFacts(edit));
    OwnerDrawItems records;
    HMENU menu = CreatePopupMenu();
    AppendEditCommands(menu, editItems, records);
    AppendOwnerDrawItem(menu, MF_SEPARATOR, 0, u"", records);
    AppendOwnerDrawItem(menu, MF_GRAYED, 0, EntryPreview(lineText, kEntryPreviewLength), records,
                        MenuTextKind::Literal);
    AppendOwnerDrawItem(menu, lineText.empty() ? MF_GRAYED : MF_STRING, kConvertLineCommand,
                        Translate(u"Convertir en tache cedulee…"), records);
    const UINT command = TrackNoteMenu(noteWindow, menu, request.screen.x, request.screen.y);
    if (command == kConvertLineCommand && !lineText.empty()) {
        ConvertLineToEntry(noteWindow, line.start, lineText, request.screen);
    } else if (command >= EditCommandId(0) && command < EditCommandId(editItems.size())) {
        RunEditCommand(edit, editItems[command - EditCommandId(0)].command);
    }
}

// The edit's own procedure, kept in its user data (a standard edit leaves
// that to the program) when the edit is subclassed.
WNDPROC StandardEditProc(HWND edit) {
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(edit, GWLP_USERDATA));
}

LRESULT CALLBACK NoteEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    const WNDPROC standard = StandardEditProc(edit);
    if (message == WM_CONTEXTMENU) {
        HWND noteWindow = GetParent(edit);
        if (NoteFromWindow(noteWindow)) {
            ShowNoteEditMenu(noteWindow, edit, lParam);
            return 0;
        }  // else the standard edit menu
    }
    return CallWindowProcW(standard, edit, message, wParam, lParam);
}

}  // namespace

void InstallNoteEditMenu(HWND edit) {
    // A plain window procedure in front of the edit's own, rather than the
    // common controls' subclassing: that library costs a note program
    // several megabytes of memory for this one use.
    SetWindowLongPtrW(edit, GWLP_USERDATA, GetWindowLongPtrW(edit, GWLP_WNDPROC));
    SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(NoteEditProc));
}
