#include "search/core/searchable_note.h"

#include <utility>

namespace {

void AddField(SearchableNote& note, FieldKind kind, std::size_t entry, const std::u16string& source) {
    SearchField field;
    field.kind = kind;
    field.entry = entry;
    field.source = source;
    field.folded = FoldText(source);
    note.fields.push_back(std::move(field));
}

}  // namespace

SearchableNote MakeSearchableNote(const NoteProperties& note, const std::u16string& text,
                                  const CategoryStore& store, std::uint64_t id) {
    SearchableNote searchable;
    searchable.id = id;
    searchable.colour = note.colour;
    if (note.type == kNoteScheduled) {
        for (std::size_t i = 0; i < note.entries.size(); ++i) {
            AddField(searchable, FieldKind::Entry, i, note.entries[i].text);
        }
    } else {
        AddField(searchable, FieldKind::Text, 0, text);
    }
    if (const Category* category = FindCategory(store, note.categoryId)) {
        AddField(searchable, FieldKind::Category, 0, category->name);
        if (const Subcategory* sub = FindSubcategory(store, note.categoryId, note.subcategoryId)) {
            AddField(searchable, FieldKind::Category, 0, sub->name);
        }
    }
    return searchable;
}

std::u16string FiledUnder(const SearchableNote& note) {
    std::u16string names;
    for (const SearchField& field : note.fields) {
        if (field.kind != FieldKind::Category) continue;
        if (!names.empty()) names += u" › ";
        names += field.source;
    }
    return names;
}
