// Showing the user the note a search found.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

// A stretch of a note's text, in UTF-16 units.
struct TextRange {
    std::size_t start = 0;
    std::size_t end = 0;
};

// Brings the note with that id to the front and activates it: a strip is
// undocked for a moment, and docks again when it loses the focus
// (notes/docking.h). In its text, `match` (when given) is selected, with the
// caret after it and scrolled into view. False when the note is gone.
bool ShowFoundNote(std::uint64_t id, const std::optional<TextRange>& match);
