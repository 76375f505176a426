#include "app/core/markdown_export.h"

#include <algorithm>
#include <iterator>
#include <string_view>
#include <utility>

#include "entries/core/due_text.h"
#include "notes/core/note_title.h"
#include "storage/core/text_lines.h"

namespace {

constexpr std::u16string_view kLineBreak = u"\r\n";
constexpr std::u16string_view kBlankLine = u"\r\n\r\n";
constexpr std::u16string_view kHardBreak = u"  ";  // two spaces end a line that the next one continues
constexpr std::u16string_view kRule = u"---";
constexpr std::u16string_view kRuleCharacters = u"-=*_ \t";

bool IsSpace(char16_t c) { return c == u' ' || c == u'\t'; }

std::u16string_view WithoutTrailingSpace(std::u16string_view line) {
    while (!line.empty() && IsSpace(line.back())) line.remove_suffix(1);
    return line;
}

// '#' first: a heading; only dashes, equals signs, stars or underscores: a
// rule, or the line above becomes a heading.
bool ReadsAsHeadingOrRule(std::u16string_view line) {
    const std::size_t first = line.find_first_not_of(u" \t");
    if (first == std::u16string_view::npos) return false;
    return line[first] == u'#' || line.find_first_not_of(kRuleCharacters) == std::u16string_view::npos;
}

std::u16string MarkdownLine(std::u16string_view line) {
    std::u16string out(line);
    if (ReadsAsHeadingOrRule(line)) out.insert(line.find_first_not_of(u" \t"), 1, u'\\');
    return out;
}

// The text's lines without trailing white space, without blank lines at
// either end, and with one blank line where there were several.
std::vector<std::u16string_view> TextLines(const std::u16string& text) {
    std::vector<std::u16string_view> lines;
    ForEachLine(text, [&lines](std::u16string_view line) {
        line = WithoutTrailingSpace(line);
        if (line.empty() && (lines.empty() || lines.back().empty())) return;
        lines.push_back(line);
    });
    if (!lines.empty() && lines.back().empty()) lines.pop_back();
    return lines;
}

std::u16string TextBlock(const std::u16string& text) {
    const std::u16string crlf = WithCrLfLineBreaks(text);
    const std::vector<std::u16string_view> lines = TextLines(crlf);
    std::u16string block;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) block += kLineBreak;
        block += MarkdownLine(lines[i]);
        const bool continued = i + 1 < lines.size() && !lines[i].empty() && !lines[i + 1].empty();
        if (continued) block += kHardBreak;
    }
    return block;
}

std::u16string TwoDigits(int number) {
    return {static_cast<char16_t>(u'0' + number / 10 % 10), static_cast<char16_t>(u'0' + number % 10)};
}

// "2025-03-14 09:30", or "2025-03-14" at midnight; empty for no date.
std::u16string DueText(DueStamp due) {
    if (!IsWellFormedDue(due)) return {};
    const DueParts parts = SplitDueStamp(due);
    // Appended piece by piece: GCC 12 warns wrongly on a chain of '+'.
    std::u16string text = TwoDigits(parts.year / 100);
    text += TwoDigits(parts.year);
    text += u'-';
    text += TwoDigits(parts.month);
    text += u'-';
    text += TwoDigits(parts.day);
    if (parts.hour == 0 && parts.minute == 0) return text;
    text += u' ';
    text += TwoDigits(parts.hour);
    text += u':';
    text += TwoDigits(parts.minute);
    return text;
}

std::u16string EntryLine(const NoteEntry& entry) {
    std::u16string line = entry.done == 1 ? u"- [x]" : u"- [ ]";
    const std::u16string_view text = WithoutTrailingSpace(entry.text);
    if (!text.empty()) {
        line += u' ';
        line += text;
    }
    const std::u16string due = DueText(entry.due);
    if (!due.empty()) {
        line += u" (";
        line += due;
        line += u')';
    }
    return line;
}

std::u16string EntriesBlock(std::vector<NoteEntry> entries) {
    SortEntries(entries);
    std::u16string block;
    for (const NoteEntry& entry : entries) {
        if (!block.empty()) block += kLineBreak;
        block += EntryLine(entry);
    }
    return block;
}

std::u16string NoteBlock(const ExportedNote& note) {
    if (note.properties.type == kNoteScheduled) return EntriesBlock(note.properties.entries);
    return TextBlock(note.text);
}

// The blocks of a heading's notes, a rule between two of them.
std::vector<std::u16string> NoteBlocks(const std::vector<const ExportedNote*>& notes) {
    std::vector<std::u16string> blocks;
    for (const ExportedNote* note : notes) {
        std::u16string block = NoteBlock(*note);
        if (block.empty()) continue;
        if (!blocks.empty()) blocks.emplace_back(kRule);
        blocks.push_back(std::move(block));
    }
    return blocks;
}

// A heading and its notes, or nothing when none of them shows anything.
void AddSection(std::vector<std::u16string>& blocks, std::u16string heading,
                const std::vector<const ExportedNote*>& notes) {
    std::vector<std::u16string> noteBlocks = NoteBlocks(notes);
    if (noteBlocks.empty()) return;
    blocks.push_back(std::move(heading));
    blocks.insert(blocks.end(), noteBlocks.begin(), noteBlocks.end());
}

template <typename Keep>
std::vector<const ExportedNote*> NotesWhere(const std::vector<const ExportedNote*>& notes, Keep keep) {
    std::vector<const ExportedNote*> kept;
    std::copy_if(notes.begin(), notes.end(), std::back_inserter(kept), keep);
    return kept;
}

// The category's heading, the notes filed under the category itself, then
// each subcategory's section; nothing when none of them shows anything.
void AddCategory(std::vector<std::u16string>& blocks, const Category& category,
                 const std::vector<const ExportedNote*>& notes, const CategoryStore& store) {
    const std::vector<const ExportedNote*> filed =
        NotesWhere(notes, [&category](const ExportedNote* note) { return note->properties.categoryId == category.id; });
    std::vector<std::u16string> content = NoteBlocks(NotesWhere(filed, [&store, &category](const ExportedNote* note) {
        return FindSubcategory(store, category.id, note->properties.subcategoryId) == nullptr;
    }));
    for (const Subcategory& subcategory : category.subcategories) {
        AddSection(content, u"## " + subcategory.name, NotesWhere(filed, [&subcategory](const ExportedNote* note) {
                       return note->properties.subcategoryId == subcategory.id;
                   }));
    }
    if (content.empty()) return;
    blocks.push_back(u"# " + category.name);
    blocks.insert(blocks.end(), content.begin(), content.end());
}

}  // namespace

std::u16string NotesAsMarkdown(const std::vector<ExportedNote>& notes, const CategoryStore& store) {
    std::vector<const ExportedNote*> ordered;
    for (const ExportedNote& note : notes) ordered.push_back(&note);
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const ExportedNote* a, const ExportedNote* b) { return a->id < b->id; });

    std::vector<std::u16string> blocks;
    for (const Category& category : store.categories) AddCategory(blocks, category, ordered, store);
    AddSection(blocks, u"# " + CategoryLabel(store, 0, 0), NotesWhere(ordered, [&store](const ExportedNote* note) {
                   return FindCategory(store, note->properties.categoryId) == nullptr;
               }));

    std::u16string markdown;
    for (const std::u16string& block : blocks) {
        if (!markdown.empty()) markdown += kBlankLine;
        markdown += block;
    }
    if (!markdown.empty()) markdown += kLineBreak;
    return markdown;
}
