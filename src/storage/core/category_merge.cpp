#include "storage/core/category_merge.h"

#include <algorithm>

namespace {

std::int32_t HighestId(const CategoryStore& store) {
    std::int32_t highest = 0;
    for (const Category& category : store.categories) {
        highest = std::max(highest, category.id);
        for (const Subcategory& subcategory : category.subcategories) highest = std::max(highest, subcategory.id);
    }
    return highest;
}

bool IdInUse(const CategoryStore& store, std::int32_t id) {
    for (const Category& category : store.categories) {
        if (category.id == id) return true;
        for (const Subcategory& subcategory : category.subcategories) {
            if (subcategory.id == id) return true;
        }
    }
    return false;
}

// A new id for a newcomer, taken the way new categories take theirs; 0 when
// none is left.
std::int32_t FreshId(CategoryStore& store, std::uint32_t spread) {
    if (!HasFreeId(store)) return 0;
    const auto room = static_cast<std::uint32_t>(kCategoryIdLimit - store.nextId);
    const auto id = static_cast<std::int32_t>(store.nextId + spread % std::min<std::uint32_t>(kCategoryIdSpread, room));
    store.nextId = id + 1;
    return id;
}

// Which of the notes filed under their category can be told to be theirs:
// all of them (ours never used the id), those of their colour (both used
// the id, for categories of different colours), or none.
struct TheirNotes {
    bool known = false;
    std::optional<ColourRef> colour;
};

// Their subcategories that `into` (ours, or their category being added)
// lacks; `theirId` is the category id their notes carry.
void MergeSubcategories(CategoryStore& store, Category& into, const Category& theirs, TheirNotes notes,
                        std::uint32_t spread, std::vector<FilingMove>& moves) {
    for (const Subcategory& sub : theirs.subcategories) {
        const auto same = std::find_if(into.subcategories.begin(), into.subcategories.end(),
                                       [&sub](const Subcategory& s) { return s.id == sub.id; });
        if (same != into.subcategories.end() && same->name == sub.name) continue;
        const bool ours = same != into.subcategories.end();
        if (!ours && !IdInUse(store, sub.id)) {
            into.subcategories.push_back(sub);
            continue;
        }
        const std::int32_t id = FreshId(store, spread);
        if (id == 0) continue;
        into.subcategories.push_back(Subcategory{id, sub.name});
        // A note under a subcategory id ours uses in this category may be ours.
        if (notes.known && !ours) moves.push_back({theirs.id, sub.id, notes.colour, into.id, id});
    }
}

}  // namespace

CategoryMerge MergeCategoryStores(const CategoryStore& ours, const CategoryStore& theirs, std::uint32_t spread) {
    CategoryMerge merge{ours, {}};
    CategoryStore& store = merge.store;
    store.nextId = std::max({ours.nextId, theirs.nextId, HighestId(ours) + 1, HighestId(theirs) + 1});
    std::vector<FilingMove> categoryMoves;
    for (const Category& theirCategory : theirs.categories) {
        const auto same = std::find_if(store.categories.begin(), store.categories.end(),
                                       [&](const Category& c) { return c.id == theirCategory.id; });
        if (same != store.categories.end() && same->name == theirCategory.name) {
            // A note under this category may be either side's.
            MergeSubcategories(store, *same, theirCategory, TheirNotes{true, std::nullopt}, spread, merge.moves);
            continue;
        }
        Category added{theirCategory.id, theirCategory.name, theirCategory.colour, {}};
        TheirNotes notes{true, std::nullopt};
        if (same != store.categories.end() || IdInUse(store, added.id)) {
            // Both sides gave this id to different things: theirs moves. When
            // ours is a category too, only notes of their colour can be told
            // to be theirs (a note takes its category's colour).
            if (same != store.categories.end()) {
                notes = theirCategory.colour != same->colour ? TheirNotes{true, theirCategory.colour} : TheirNotes{};
            }
            added.id = FreshId(store, spread);
            if (added.id == 0) continue;
            if (notes.known) categoryMoves.push_back({theirCategory.id, kAnySubcategory, notes.colour, added.id});
        }
        store.categories.push_back(added);
        MergeSubcategories(store, store.categories.back(), theirCategory, notes, spread, merge.moves);
    }
    // Subcategory moves are more particular than the category moves.
    merge.moves.insert(merge.moves.end(), categoryMoves.begin(), categoryMoves.end());
    return merge;
}

std::pair<std::int32_t, std::int32_t> FilingAfterMerge(const std::vector<FilingMove>& moves, std::int32_t category,
                                                       std::int32_t subcategory, ColourRef colour) {
    for (const FilingMove& move : moves) {
        if (move.fromCategory != category) continue;
        if (move.fromSubcategory != kAnySubcategory && move.fromSubcategory != subcategory) continue;
        if (move.colour && *move.colour != colour) continue;
        return {move.toCategory, move.toSubcategory == kSameSubcategory ? subcategory : move.toSubcategory};
    }
    return {category, subcategory};
}
