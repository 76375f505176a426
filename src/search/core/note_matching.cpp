#include "search/core/note_matching.h"

#include <algorithm>
#include <utility>

namespace {

// How far a displayed word reaches on each side of its match.
constexpr std::size_t kWordReach = 24;
constexpr std::u16string_view kWordSeparator = u" · ";

bool IsSpace(char16_t unit) {
    return unit == u' ' || unit == u'\t' || unit == u'\r' || unit == u'\n';
}

bool IsPartOfWord(char16_t unit) {
    return IsWordCharacter(unit) || IsCombiningMark(unit);
}

// A match in the folded text, in the source's units: the whole of a letter
// that folded to several units, and the accents that follow its last letter.
WordHit HitInSource(const SearchField& field, std::size_t index, std::size_t at, std::size_t length,
                    bool atWordStart) {
    const std::vector<std::uint32_t>& origin = field.folded.origin;
    WordHit hit{index, origin[at], origin[at + length - 1] + std::size_t{1}, atWordStart};
    while (hit.end < field.source.size() && IsCombiningMark(field.source[hit.end])) ++hit.end;
    return hit;
}

// The first place the word starts a word in the field, else its first place.
std::optional<WordHit> FindInField(const SearchField& field, std::size_t index, std::u16string_view word) {
    const std::u16string& text = field.folded.text;
    std::optional<std::size_t> first;
    for (std::size_t at = text.find(word); at != std::u16string::npos; at = text.find(word, at + 1)) {
        if (at == 0 || !IsWordCharacter(text[at - 1])) return HitInSource(field, index, at, word.size(), true);
        if (!first) first = at;
    }
    if (!first) return std::nullopt;
    return HitInSource(field, index, *first, word.size(), false);
}

std::optional<WordHit> FindWord(const SearchableNote& note, std::u16string_view word) {
    std::optional<WordHit> first;
    for (std::size_t i = 0; i < note.fields.size(); ++i) {
        const std::optional<WordHit> hit = FindInField(note.fields[i], i, word);
        if (!hit) continue;
        if (hit->atWordStart) return hit;
        if (!first) first = hit;
    }
    return first;
}

std::u16string_view Trimmed(std::u16string_view text) {
    while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
    return text;
}

std::u16string_view FirstLineOf(std::u16string_view text) {
    while (!text.empty()) {
        const std::size_t end = text.find_first_of(u"\r\n");
        const std::u16string_view line = Trimmed(text.substr(0, end));
        if (!line.empty() || end == std::u16string_view::npos) return line;
        text.remove_prefix(end + 1);
    }
    return {};
}

// The word of the source around a hit, at most kWordReach units beyond it
// on each side.
std::u16string WordAround(const std::u16string& source, const WordHit& hit) {
    std::size_t start = hit.start;
    while (start > 0 && hit.start - start < kWordReach && IsPartOfWord(source[start - 1])) --start;
    std::size_t end = hit.end;
    while (end < source.size() && end - hit.end < kWordReach && IsPartOfWord(source[end])) ++end;
    return source.substr(start, end - start);
}

}  // namespace

std::vector<std::u16string> QueryWords(std::u16string_view query) {
    const std::u16string folded = FoldedForSearch(query);
    std::vector<std::u16string> words;
    std::size_t at = 0;
    while (at < folded.size()) {
        while (at < folded.size() && IsSpace(folded[at])) ++at;
        std::size_t end = at;
        while (end < folded.size() && !IsSpace(folded[end])) ++end;
        std::u16string word = folded.substr(at, end - at);
        if (!word.empty() && std::find(words.begin(), words.end(), word) == words.end()) words.push_back(word);
        at = end;
    }
    return words;
}

std::optional<NoteMatch> MatchNote(const SearchableNote& note, const std::vector<std::u16string>& words) {
    NoteMatch match;
    for (const std::u16string& word : words) {
        const std::optional<WordHit> hit = FindWord(note, word);
        if (!hit) return std::nullopt;
        match.hits.push_back(*hit);
        match.allAtWordStarts = match.allAtWordStarts && hit->atWordStart;
    }
    return match;
}

std::vector<NoteMatch> FindNotesAmong(const std::vector<SearchableNote>& notes,
                                      const std::vector<std::size_t>& candidates, std::u16string_view query) {
    const std::vector<std::u16string> words = QueryWords(query);
    std::vector<NoteMatch> found;
    for (const std::size_t i : candidates) {
        std::optional<NoteMatch> match = MatchNote(notes[i], words);
        if (!match) continue;
        match->note = i;
        found.push_back(std::move(*match));
    }
    std::stable_sort(found.begin(), found.end(), [&notes](const NoteMatch& a, const NoteMatch& b) {
        if (a.allAtWordStarts != b.allAtWordStarts) return a.allAtWordStarts;
        return notes[a.note].id > notes[b.note].id;
    });
    return found;
}

std::vector<NoteMatch> FindNotes(const std::vector<SearchableNote>& notes, std::u16string_view query) {
    std::vector<std::size_t> all(notes.size());
    for (std::size_t i = 0; i < all.size(); ++i) all[i] = i;
    return FindNotesAmong(notes, all, query);
}

bool NarrowsQuery(std::u16string_view shorter, std::u16string_view longer) {
    return longer.size() >= shorter.size() && longer.substr(0, shorter.size()) == shorter;
}

std::u16string FirstLine(const SearchableNote& note) {
    for (const SearchField& field : note.fields) {
        if (field.kind == FieldKind::Category) continue;
        const std::u16string_view line = FirstLineOf(field.source);
        if (!line.empty()) return std::u16string(line);
    }
    return {};
}

std::u16string MatchedWords(const SearchableNote& note, const NoteMatch& match) {
    std::vector<std::u16string> words;
    for (const WordHit& hit : match.hits) {
        std::u16string word = WordAround(note.fields[hit.field].source, hit);
        if (std::find(words.begin(), words.end(), word) == words.end()) words.push_back(std::move(word));
    }
    std::u16string joined;
    for (const std::u16string& word : words) {
        if (!joined.empty()) joined += kWordSeparator;
        joined += word;
    }
    return joined;
}

std::optional<WordHit> CaretHit(const SearchableNote& note, const NoteMatch& match) {
    std::optional<WordHit> best;
    for (const WordHit& hit : match.hits) {
        const FieldKind kind = note.fields[hit.field].kind;
        if (kind == FieldKind::Category) continue;
        const bool better = !best || hit.field < best->field || (hit.field == best->field && hit.start < best->start);
        if (better) best = hit;
    }
    return best;
}
