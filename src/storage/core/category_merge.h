// Two versions of the categories, one from each side of a clash (a sync
// service kept both), made into one.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "storage/core/category_store.h"

constexpr std::int32_t kAnySubcategory = -1;   // a move that applies whatever the note's subcategory
constexpr std::int32_t kSameSubcategory = -1;  // a move that keeps the note's subcategory

// Notes filed under a renumbered category or subcategory follow it. Such a
// note is told apart by its filing and, for a category whose id both sides
// used, by its colour: a note filed under a category takes its colour.
struct FilingMove {
    std::int32_t fromCategory = 0;
    std::int32_t fromSubcategory = kAnySubcategory;
    std::optional<ColourRef> colour;  // only notes of this colour
    std::int32_t toCategory = 0;
    std::int32_t toSubcategory = kSameSubcategory;

    bool operator==(const FilingMove&) const = default;
};

struct CategoryMerge {
    CategoryStore store;
    std::vector<FilingMove> moves;  // the most particular first
};

// Ours, with what theirs adds. A category or subcategory is the same on both
// sides when it has the same id and the same name (ours keeps its colour).
// Theirs that ours lacks is added; one whose id ours uses for another name
// is kept too, under a new id (taken as CreateCategory takes one, with
// `spread`), and the notes filed under it follow. NEXTID ends above every
// id of both sides.
CategoryMerge MergeCategoryStores(const CategoryStore& ours, const CategoryStore& theirs, std::uint32_t spread);

// Where a note filed under (category, subcategory) in this colour is filed
// after the merge: the first move that applies, else where it was.
std::pair<std::int32_t, std::int32_t> FilingAfterMerge(const std::vector<FilingMove>& moves, std::int32_t category,
                                                       std::int32_t subcategory, ColourRef colour);
