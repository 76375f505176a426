// What the find window searches in one note: the texts the note shows, each
// kept as it is (for display and for the caret) and folded once (for the
// comparisons), so that a key press compares and folds nothing else.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "search/core/text_folding.h"
#include "storage/core/category_store.h"
#include "storage/core/note_record.h"

enum class FieldKind {
    Text,      // the note's free text
    Entry,     // one entry of a scheduled note
    Category,  // the name of the category or subcategory the note is filed under
};

struct SearchField {
    FieldKind kind = FieldKind::Text;
    std::size_t entry = 0;  // for an Entry: its index in the note's entries
    std::u16string source;
    FoldedText folded;
};

struct SearchableNote {
    // The text or the entries first, then the category's and the
    // subcategory's names.
    std::vector<SearchField> fields;
    std::uint64_t id = 0;  // the note's: a newer note (higher id) lists first among equals
    ColourRef colour = 0;  // the note's, which is its category's when it is filed
};

// A scheduled note is searched by its entries (in the note's order), every
// other note by its text: what each shows. Then the names of the category
// and subcategory it is filed under, when they exist in the store.
SearchableNote MakeSearchableNote(const NoteProperties& note, const std::u16string& text,
                                  const CategoryStore& store, std::uint64_t id);

// Where the note is filed: its category's name, then " › " and its
// subcategory's; empty when it is filed under none.
std::u16string FiledUnder(const SearchableNote& note);
