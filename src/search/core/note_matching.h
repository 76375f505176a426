// The find window's rules: which notes a query finds, in what order, and
// what each result shows. A query is words separated by white space; a note
// is found when every word occurs in it, in any order and in any of its
// fields (one word in the text, another in the category's name), ignoring
// case and accents (search/core/text_folding.h). A word occurs anywhere,
// also inside a longer word: "phone" finds "téléphone".
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "search/core/searchable_note.h"

// Where one word of the query occurs, in the field's own text.
struct WordHit {
    std::size_t field = 0;
    std::size_t start = 0;
    std::size_t end = 0;  // exclusive; takes in an accent that follows a letter
    bool atWordStart = false;

    bool operator==(const WordHit&) const = default;
};

struct NoteMatch {
    std::size_t note = 0;       // its index among the notes searched
    std::vector<WordHit> hits;  // one per word, in the query's order
    bool allAtWordStarts = true;

    bool operator==(const NoteMatch&) const = default;
};

// The words of a query, folded, each once, in the order typed.
std::vector<std::u16string> QueryWords(std::u16string_view query);

// Where each word occurs in the note: for each, the first place where it
// starts a word, else its first place, fields taken in order. Nothing when
// a word does not occur at all.
std::optional<NoteMatch> MatchNote(const SearchableNote& note, const std::vector<std::u16string>& words);

// The notes that hold every word of the query; a query without words finds
// every note. Notes where each word starts a word come first ("tel" finds a
// "Tél." before a "hôtel"); within each group, the newer note (higher id)
// first.
std::vector<NoteMatch> FindNotes(const std::vector<SearchableNote>& notes, std::u16string_view query);

// FindNotes among some of the notes only (indices into `notes`): those the
// query found before the user typed more. Every note the longer query finds
// is among them (NarrowsQuery), so a key press compares only those.
std::vector<NoteMatch> FindNotesAmong(const std::vector<SearchableNote>& notes,
                                      const std::vector<std::size_t>& candidates, std::u16string_view query);

// True when `longer` is `shorter` with more typed after it: a word that grew
// or a word added finds no note the shorter query did not.
bool NarrowsQuery(std::u16string_view shorter, std::u16string_view longer);

// The first line that is not blank, of the text or of the first entry that
// has one, without the white space around it; empty when there is none.
std::u16string FirstLine(const SearchableNote& note);

// The words of the note the query's words were found in, as written there,
// each once, separated by " · ". A very long word shows only the part
// around the match.
std::u16string MatchedWords(const SearchableNote& note, const NoteMatch& match);

// Where to put the caret: the earliest hit in the note's text (or in its
// earliest entry); nothing when only the category's names matched.
std::optional<WordHit> CaretHit(const SearchableNote& note, const NoteMatch& match);
