#include "storage/core/categories_file.h"

#include <set>
#include <string_view>
#include <utility>
#include <vector>

#include "storage/core/lenient_number.h"

namespace {

constexpr char16_t kLineFeed = u'\n';
constexpr char16_t kCarriageReturn = u'\r';
constexpr char16_t kFieldSeparator = u'|';

constexpr std::u16string_view kNextIdKind = u"NEXTID";
constexpr std::u16string_view kCategoryKind = u"CAT";
constexpr std::u16string_view kSubcategoryKind = u"SUB";
constexpr std::size_t kNextIdFieldCount = 2;
constexpr std::size_t kCategoryFieldCount = 4;
constexpr std::size_t kSubcategoryFieldCount = 4;

using Fields = std::vector<std::u16string_view>;

struct PendingSubcategory {
    std::int32_t categoryId = 0;
    Subcategory subcategory;
};

// What the lines say, before the store's rules on ids are applied.
struct FileLines {
    std::int32_t nextId = 1;
    std::vector<Category> categories;  // ids as written
    std::vector<PendingSubcategory> subcategories;  // file order
};

bool IsUsableId(std::int32_t id) {
    return id >= 1 && id < kCategoryIdLimit;
}

// The limit itself is the counter of a store that has handed out every id.
bool IsUsableNextId(std::int32_t nextId) {
    return nextId >= 1 && nextId <= kCategoryIdLimit;
}

// Every line ending at LF, plus the text after the last LF unless empty.
std::vector<std::u16string_view> SplitLines(std::u16string_view text) {
    std::vector<std::u16string_view> lines;
    while (!text.empty()) {
        std::size_t end = text.find(kLineFeed);
        if (end == std::u16string_view::npos) end = text.size();
        lines.push_back(text.substr(0, end));
        text.remove_prefix(end == text.size() ? end : end + 1);
    }
    return lines;
}

std::u16string_view TrimTrailingCarriageReturns(std::u16string_view line) {
    while (!line.empty() && line.back() == kCarriageReturn) {
        line.remove_suffix(1);
    }
    return line;
}

// Splits at every separator; empty fields are kept.
Fields SplitFields(std::u16string_view line) {
    Fields fields;
    for (;;) {
        std::size_t end = line.find(kFieldSeparator);
        if (end == std::u16string_view::npos) {
            fields.push_back(line);
            return fields;
        }
        fields.push_back(line.substr(0, end));
        line.remove_prefix(end + 1);
    }
}

// The file writes red, green, blue; a colour value holds red in the low byte.
ColourRef ParseColour(std::u16string_view field) {
    std::uint32_t rgb = ReadHexUnsigned32(field);
    return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
}

bool ClashesWithLoaded(const FileLines& lines, const Category& candidate) {
    for (const Category& category : lines.categories) {
        if (category.id == candidate.id || category.colour == candidate.colour) {
            return true;
        }
    }
    return false;
}

void ReadCategoryLine(const Fields& fields, FileLines& lines) {
    Category category;
    category.id = ReadInt32(fields[1]);
    category.colour = ParseColour(fields[2]);
    category.name = std::u16string(fields[3]);
    if (ClashesWithLoaded(lines, category)) return;
    lines.categories.push_back(std::move(category));
}

void ReadSubcategoryLine(const Fields& fields, FileLines& lines) {
    PendingSubcategory pending;
    pending.categoryId = ReadInt32(fields[1]);
    pending.subcategory.id = ReadInt32(fields[2]);
    pending.subcategory.name = std::u16string(fields[3]);
    lines.subcategories.push_back(std::move(pending));
}

void ReadLine(std::u16string_view line, FileLines& lines) {
    Fields fields = SplitFields(line);
    const std::u16string_view kind = fields[0];
    if (kind == kNextIdKind && fields.size() >= kNextIdFieldCount) {
        lines.nextId = ReadInt32(fields[1]);
    } else if (kind == kCategoryKind && fields.size() >= kCategoryFieldCount) {
        ReadCategoryLine(fields, lines);
    } else if (kind == kSubcategoryKind &&
               fields.size() >= kSubcategoryFieldCount) {
        ReadSubcategoryLine(fields, lines);
    }
}

// A SUB line may stand before or after its CAT line; one whose category is
// missing is dropped.
void AttachSubcategories(std::vector<PendingSubcategory>& pending,
                         std::vector<Category>& categories) {
    for (PendingSubcategory& item : pending) {
        for (Category& category : categories) {
            if (category.id == item.categoryId) {
                category.subcategories.push_back(std::move(item.subcategory));
                break;
            }
        }
    }
}

void RaiseAbove(std::int32_t id, CategoryStore& store) {
    if (IsUsableId(id) && id >= store.nextId) store.nextId = id + 1;
}

void RaiseNextIdAboveIds(CategoryStore& store) {
    for (const Category& category : store.categories) {
        RaiseAbove(category.id, store);
        for (const Subcategory& subcategory : category.subcategories) {
            RaiseAbove(subcategory.id, store);
        }
    }
}

// Keeps a usable id, otherwise hands out a fresh one. False when the counter
// has nothing left to give: the item cannot be kept.
bool KeepOrRenumber(std::int32_t& id, bool usable, CategoryStore& store) {
    if (usable) return true;
    if (!HasFreeId(store)) return false;
    id = store.nextId++;
    return true;
}

// Only a hand-edited file gets here with work to do. An id of 0 or below
// would pass for "no category" (or be unreachable from the menu), one at or
// above the limit would decode as another command, and a repeated subcategory
// id would make the menu file notes under the wrong category. Renumbering
// keeps the names, colours and nesting; only notes that pointed at the odd id
// lose their filing, which they could not use anyway.
void RenumberUnusableIds(CategoryStore& store) {
    std::vector<Category> kept;
    std::set<std::int32_t> subcategoryIds;
    for (Category& category : store.categories) {
        if (!KeepOrRenumber(category.id, IsUsableId(category.id), store)) {
            continue;
        }
        std::vector<Subcategory> subcategories;
        for (Subcategory& subcategory : category.subcategories) {
            bool usable = IsUsableId(subcategory.id) &&
                          !subcategoryIds.contains(subcategory.id);
            if (!KeepOrRenumber(subcategory.id, usable, store)) continue;
            subcategoryIds.insert(subcategory.id);
            subcategories.push_back(std::move(subcategory));
        }
        category.subcategories = std::move(subcategories);
        kept.push_back(std::move(category));
    }
    store.categories = std::move(kept);
}

// Red, green, blue as six upper-case hexadecimal digits.
std::u16string ColourHex(ColourRef colour) {
    constexpr char16_t kHexDigits[] = u"0123456789ABCDEF";
    const std::uint32_t channels[] = {colour & 0xFF, (colour >> 8) & 0xFF,
                                      (colour >> 16) & 0xFF};
    std::u16string text;
    for (std::uint32_t channel : channels) {
        text.push_back(kHexDigits[channel >> 4]);
        text.push_back(kHexDigits[channel & 0xF]);
    }
    return text;
}

}  // namespace

CategoryStore ParseCategoriesFile(const std::u16string& text) {
    FileLines lines;
    for (std::u16string_view line : SplitLines(text)) {
        ReadLine(TrimTrailingCarriageReturns(line), lines);
    }
    AttachSubcategories(lines.subcategories, lines.categories);

    CategoryStore store;
    store.categories = std::move(lines.categories);
    store.nextId = IsUsableNextId(lines.nextId) ? lines.nextId : 1;
    RaiseNextIdAboveIds(store);
    RenumberUnusableIds(store);
    return store;
}

std::u16string FormatCategoriesFile(const CategoryStore& store) {
    const std::u16string separator(1, kFieldSeparator);
    const std::u16string lineEnd = u"\r\n";
    std::u16string text = u"NEXTID|" + DecimalText(store.nextId) + lineEnd;
    for (const Category& category : store.categories) {
        text += u"CAT|" + DecimalText(category.id) + separator +
                ColourHex(category.colour) + separator + category.name +
                lineEnd;
        for (const Subcategory& subcategory : category.subcategories) {
            text += u"SUB|" + DecimalText(category.id) + separator +
                    DecimalText(subcategory.id) + separator + subcategory.name +
                    lineEnd;
        }
    }
    return text;
}
