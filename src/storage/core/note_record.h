// The records every subsystem shares: a note, its dated entries, and the
// parameters a note window is created with.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/colour.h"
#include "base/rect.h"
#include "storage/core/file_version.h"

constexpr ColourRef kDefaultNoteColour = kNoteYellow;

// Stored as TYPE in the note file.
enum NoteType : std::int32_t {
    kNoteRegular = 0,
    kNoteScheduled = 1,
    kNotePlaceholder = 2,
};

// Stored as DOCK and LASTDOCK in the note file.
enum DockEdge : std::int32_t {
    kDockNone = 0,
    kDockLeft = 1,
    kDockTop = 2,
    kDockRight = 3,
};

// Local date and time written as the decimal digits YYYYMMDDHHMM; 0 = no date.
using DueStamp = std::int64_t;
// Local date written as the decimal digits YYYYMMDD.
using DateStamp = std::int64_t;

// Sort key of an undated entry: after every dated one.
constexpr DueStamp kNoEntryDue = 999999999999;

struct NoteEntry {
    std::int32_t id = 0;
    DueStamp due = 0;
    std::int32_t done = 0;
    std::int32_t notified = 0;
    DateStamp doneDate = 0;
    std::u16string text;

    bool operator==(const NoteEntry&) const = default;
};

// What a note keeps besides its place on the screen and its free text: the
// fields its file stores and its window holds. Added here once, a new field
// reaches the file, the window and the creation parameters alike.
struct NoteProperties {
    ColourRef colour = kDefaultNoteColour;
    std::int32_t categoryId = 0;
    std::int32_t subcategoryId = 0;
    NoteType type = kNoteRegular;
    bool pinned = false;
    DockEdge dock = kDockNone;
    DockEdge lastDock = kDockNone;
    std::vector<NoteEntry> entries;
    // This machine's side of a clash with another machine's version: kept
    // as a note of its own, and its header says so until the user marks it
    // resolved. Stored as "CLASH=1", only when set.
    bool clash = false;

    bool operator==(const NoteProperties&) const = default;
};

// A note as the window holds it. Its free text is not here but in the
// window's edit control, and its place is the window's rectangle.
struct Note : NoteProperties {
    std::uint64_t id = 0;
    Rect undockedRect;     // floating rectangle while docked
    bool deleted = false;  // file deleted: saving must not bring it back
    // The last save could not reach the disk: the note shows it and the save
    // is tried again. Never stored.
    bool saveFailed = false;
    unsigned long saveError = 0;  // GetLastError() of that save
};

// A note as its file states it: the floating place, the properties and the
// text. The members start at the load defaults, the values a note gets for
// everything its file does not state.
struct NoteFields : NoteProperties {
    std::int32_t x = 120;
    std::int32_t y = 120;
    std::int32_t width = 240;
    std::int32_t height = 200;
    std::u16string body;

    bool operator==(const NoteFields&) const = default;
};

// What a note window is created from: a stored note and its id. The window
// takes the properties but leaves `dock` to its creator, which docks it.
struct NoteCreateParams : NoteFields {
    std::uint64_t id = 0;
    // The note's file as it was read, when it was: the version a later save
    // compares with, so that no outside change is ever written over.
    FileVersion fileVersion;
    std::string fileBytes;
};

// Keeps entries ascending by due date, undated entries last.
void SortEntries(std::vector<NoteEntry>& entries);

// True when the text holds nothing but NUL and white-space characters.
bool IsBlankText(const std::u16string& text);
