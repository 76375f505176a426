// Note windows made in the test's own process, as the program makes them.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "storage/core/note_record.h"

// A note as a test wants it; what it leaves out is as a new note has it.
struct TestNote {
    std::uint64_t id = 1;
    int x = 120;
    int y = 120;
    int width = 240;
    int height = 200;
    ColourRef colour = kDefaultNoteColour;
    std::int32_t category = 0;
    std::int32_t subcategory = 0;
    NoteType type = kNoteRegular;
    bool pinned = false;
    DockEdge lastDock = kDockNone;
    std::vector<NoteEntry> entries{};
    std::u16string text{};
};

// Creates the note window, shows it without activating it (a pinned one on
// top of other windows, as loading does) and paints it now.
HWND MakeNote(const TestNote& note);

// Loads the stored notes as start-up does; the note window when exactly one
// was made, else null.
HWND LoadTheOnlyNote();

// Makes the note's file as it is now the version the program last read or
// wrote, as loading does: a file a test writes behind a note's back is
// otherwise an outside change, which a save never writes over.
void AdoptFile(HWND note);

// The path of a note window's file, and its bytes (empty when it has none).
std::u16string NoteFileOf(HWND note);
std::string SavedFile(HWND note);
