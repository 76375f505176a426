// What a note window owns, reached from its handle, and the walk over every
// note window. There is no list of notes in memory: the notes are the
// top-level windows of class "QuillboardNote", each pointing to its state
// from its user data.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "storage/core/note_record.h"
#include "win/handles.h"

constexpr wchar_t kNoteWindowClass[] = L"QuillboardNote";
constexpr int kNoteEditId = 200;

// Posted to a note after a line was moved out of it: it removes itself
// when it is now blank, floating and without entries.
constexpr UINT WM_NOTE_DISCARD_IF_BLANK = WM_APP + 2;

// Allocated in WM_CREATE, freed in WM_NCDESTROY.
struct NoteWindowState {
    Note note;
    UniqueBrush backgroundBrush;  // of the note's colour
    // Its file as this program last read or wrote it: a save first checks
    // that the file is still this version, so that an outside change (a
    // sync service, an editor) is never written over. Not existing until the
    // first save of a new note.
    FileVersion fileVersion;
    std::string fileBytes;
    // A strip shown floating for a moment (notes/docking.h): the edge it
    // docks to again, and the edge its file keeps meanwhile. kDockNone
    // otherwise.
    DockEdge redockEdge = kDockNone;
};

// True for a top-level window whose class is exactly "QuillboardNote".
bool IsNoteWindow(HWND window);

// The state of a note window of this process, or null (not a note, another
// process's note, or not yet / no longer).
NoteWindowState* NoteWindowStateOf(HWND window);

// The note a window owns, or null.
Note* NoteFromWindow(HWND window);

// The note's colour, or the default pale yellow for a window without a note.
ColourRef NoteColourOf(HWND window);

// The note's edit control (child id 200) that holds its free text.
HWND NoteEditOf(HWND noteWindow);

// The solid brush of the note's colour, or the stock white brush.
HBRUSH NoteBackgroundBrush(HWND noteWindow);

// Sets the note's colour and re-creates its background brush.
void SetNoteBackground(HWND noteWindow, ColourRef colour);

// Invalidates the note and its edit so that both repaint in their colours.
void RepaintNote(HWND noteWindow);

// Calls the visitor for every note window of this process that has a Note,
// in EnumWindows order.
void ForEachNoteWindow(const std::function<void(HWND)>& visit);

// The window of the note with that id, or null when it is gone.
HWND NoteWindowWithId(std::uint64_t id);
