// The commands that change one note: type, pin, colour, and the small
// popup menus shown in the note's own colour.
#pragma once

#include <windows.h>

#include <cstdint>

#include "storage/core/note_record.h"

// Switches the body between edit (0), entry list (1) and placeholder (2).
// Neither the text nor the entries are touched. Other values are ignored.
void SetNoteType(HWND noteWindow, std::uint32_t type);

// Pinned notes stay on top of other windows.
void TogglePin(HWND noteWindow);

// Recolours the note and files it under the category of exactly that
// colour, or under none.
void SetNoteColour(HWND noteWindow, ColourRef colour);

// Asks for a colour with the colour dialog, then SetNoteColour.
void PickNoteColour(HWND noteWindow);

// Shows a popup menu in the note's colour at a screen point; returns the
// chosen command (0 when dismissed). The menu is destroyed by the call.
UINT TrackNoteMenu(HWND noteWindow, HMENU menu, int x, int y);

// Files the note under the category and subcategory that exist (else none);
// a found category gives the note its colour. Repaints and saves the note.
void AssignNoteCategory(HWND noteWindow, std::int32_t categoryId, std::int32_t subcategoryId);
