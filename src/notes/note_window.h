// The note window: a borderless top-level window that owns its Note and
// draws its header and body itself. There is no list of notes in memory:
// the notes are the top-level windows of this class.
#pragma once

#include <windows.h>

#include <cstdint>

#include "storage/note_record.h"

constexpr wchar_t kNoteWindowClass[] = L"QuillboardNote";
constexpr int kNoteEditId = 200;

// Posted to a note after a line was moved out of it: it removes itself
// when it is now blank, floating and without entries.
constexpr UINT WM_NOTE_DISCARD_IF_BLANK = WM_APP + 2;

// The note a window owns, or null (not a note, or not yet / no longer).
Note* NoteFromWindow(HWND window);

// The note's edit control (child id 200) that holds its free text.
HWND NoteEditOf(HWND noteWindow);

// The solid brush of the note's colour, or the stock white brush.
HBRUSH NoteBackgroundBrush(HWND noteWindow);

// Sets the note's colour and re-creates its background brush.
void SetNoteBackground(HWND noteWindow, ColourRef colour);

// The window procedure of the "QuillboardNote" class.
LRESULT CALLBACK NoteWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Creates a note window (hidden) from its parameters; null on failure.
HWND CreateNoteWindow(const NoteCreateParams& params);

// A new empty regular note, shown and activated: below a pinned source note,
// else at the next of the 8 cascade places.
HWND CreateNewNote(HWND sourceNote);

// The first note with exactly this category, subcategory and type, or a new
// empty one with them (shown without activation); null if creation failed.
HWND FindOrCreateNote(std::int32_t categoryId, std::int32_t subcategoryId, std::int32_t type);

// Invalidates the note and its edit so that both repaint in their colours.
void RepaintNote(HWND noteWindow);
