// The records every subsystem shares: a note, its dated entries, and the
// parameters a note window is created with.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "storage/rect.h"

// COLORREF layout: 0x00BBGGRR, red in the low byte.
using ColourRef = std::uint32_t;

constexpr ColourRef kDefaultNoteColour = 0x00A0F6FF;  // pale yellow

// Stored as TYPE in the note file.
enum NoteType : std::int32_t {
    kNoteRegular = 0,
    kNoteScheduled = 1,
    kNoteSection2 = 2,
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

// The portable part of a note. The note window owns one of these; its free
// text is not here but in the window's edit control.
struct Note {
    std::uint64_t id = 0;
    ColourRef colour = kDefaultNoteColour;
    std::int32_t categoryId = 0;
    std::int32_t subcategoryId = 0;
    std::int32_t type = kNoteRegular;
    std::vector<NoteEntry> entries;
    bool pinned = false;
    std::int32_t dock = kDockNone;
    std::int32_t lastDock = kDockNone;
    Rect undockedRect;  // floating rectangle while docked
    bool deleted = false;  // file deleted: saving must not bring it back
};

// What a note window is created from (the creation parameter).
struct NoteCreateParams {
    std::uint64_t id = 0;
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    ColourRef colour = kDefaultNoteColour;
    std::int32_t categoryId = 0;
    std::int32_t subcategoryId = 0;
    std::int32_t pinned = 0;
    std::int32_t dock = 0;  // not read by the window: the creator docks it
    std::int32_t type = kNoteRegular;
    std::int32_t lastDock = 0;
    const std::vector<NoteEntry>* entries = nullptr;
    const char16_t* text = nullptr;
};

// Keeps entries ascending by due date, undated entries last.
void SortEntries(std::vector<NoteEntry>& entries);

// True when the text holds nothing but NUL and white-space characters.
bool IsBlankText(const std::u16string& text);
