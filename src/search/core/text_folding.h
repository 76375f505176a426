// Text as the find window compares it: without case and without accents, so
// that "resume" finds "Résumé" and "OEUVRE" finds "œuvre".
//
// How far it goes, unit by UTF-16 unit:
//   - Latin: A-Z, the Latin-1 letters, the whole Latin Extended-A block and
//     the Romanian and Vietnamese letters of Latin Extended-B lose case and
//     accents; Æ Œ Ĳ ß Þ become "ae" "oe" "ij" "ss" "th"; Ø Ł Đ Ħ become
//     o l d h; the ligatures ﬀ ﬁ ﬂ ﬃ ﬄ ﬅ ﬆ are spelt out; full-width
//     ASCII becomes ASCII;
//   - combining accents (U+0300 to U+036F, text typed decomposed) vanish;
//   - Greek loses case and its accents (and ς is σ); Cyrillic loses case,
//     and ё is е;
//   - typographic marks read as typed on a keyboard: ’ ‘ ʼ are ', “ ” are ",
//     the hyphens and dashes are -, no-break spaces are spaces.
// Everything else is kept as it is: other scripts, Latin Extended
// Additional (Vietnamese letters with two marks), surrogate pairs.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct FoldedText {
    std::u16string text;
    // For each unit of `text`, the index of the source unit it came from
    // (the two units of "oe" both point at the Œ).
    std::vector<std::uint32_t> origin;
};

// The folded text and where each of its units came from.
FoldedText FoldText(std::u16string_view source);

// The folded text alone.
std::u16string FoldedForSearch(std::u16string_view source);

// True for a unit that can be part of a word: an ASCII letter or digit, or
// any unit above U+00BF that is not a space or a punctuation mark.
bool IsWordCharacter(char16_t unit);

// True for an accent that combines with the unit before it.
bool IsCombiningMark(char16_t unit);
