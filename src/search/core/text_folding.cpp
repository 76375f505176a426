#include "search/core/text_folding.h"

#include <array>

namespace {

using namespace std::string_view_literals;

// What one source unit folds to: none (a combining accent), one, or up to
// three units (ﬃ).
struct Folded {
    std::array<char16_t, 3> units{};
    std::uint8_t count = 0;
};

constexpr Folded One(char16_t unit) { return Folded{{unit, 0, 0}, 1}; }
constexpr Folded Two(char16_t first, char16_t second) { return Folded{{first, second, 0}, 2}; }
constexpr Folded Three(char16_t a, char16_t b, char16_t c) { return Folded{{a, b, c}, 3}; }

// U+00C0..U+00FF, '\0' where the letter spells out as two letters or is not
// a letter (× and ÷ stay as they are).
constexpr std::u16string_view kLatin1Letters = u"aaaaaa\0ceeeeiiiidnooooo\0ouuuuy\0\0aaaaaa\0ceeeeiiiidnooooo\0ouuuuy\0y"sv;
// U+0100..U+017F, '\0' for Ĳ ĳ Œ œ.
constexpr std::u16string_view kLatinExtendedALetters =
    u"aaaaaaccccccccdd"
    u"ddeeeeeeeeeegggg"
    u"gggghhhhiiiiiiii"
    u"ii\0\0jjkkklllllll"
    u"lllnnnnnnnnnoooo"
    u"oo\0\0rrrrrrssssss"
    u"ssttttttuuuuuuuu"
    u"uuuuwwyyyzzzzzzs"sv;
static_assert(kLatin1Letters.size() == 64 && kLatinExtendedALetters.size() == 128);

constexpr char16_t kFirstLatin1Letter = 0x00C0;
constexpr char16_t kFirstLatinExtendedA = 0x0100;
constexpr char16_t kLastLatinExtendedA = 0x017F;

Folded FoldLatin1(char16_t unit) {
    switch (unit) {
    case 0x00C6: case 0x00E6: return Two(u'a', u'e');  // Æ æ
    case 0x00DE: case 0x00FE: return Two(u't', u'h');  // Þ þ
    case 0x00DF: return Two(u's', u's');               // ß
    default: break;
    }
    const char16_t letter = kLatin1Letters[unit - kFirstLatin1Letter];
    return One(letter != 0 ? letter : unit);
}

Folded FoldLatinExtendedA(char16_t unit) {
    switch (unit) {
    case 0x0132: case 0x0133: return Two(u'i', u'j');  // Ĳ ĳ
    case 0x0152: case 0x0153: return Two(u'o', u'e');  // Œ œ
    default: break;
    }
    return One(kLatinExtendedALetters[unit - kFirstLatinExtendedA]);
}

// Latin Extended-B: only the letters of Romanian and Vietnamese.
Folded FoldLatinExtendedB(char16_t unit) {
    switch (unit) {
    case 0x01A0: case 0x01A1: return One(u'o');  // Ơ ơ
    case 0x01AF: case 0x01B0: return One(u'u');  // Ư ư
    case 0x0218: case 0x0219: return One(u's');  // Ș ș
    case 0x021A: case 0x021B: return One(u't');  // Ț ț
    default: return One(unit);
    }
}

// Greek capitals, accented vowels and the final sigma, to plain small letters.
Folded FoldGreek(char16_t unit) {
    switch (unit) {
    case 0x0386: case 0x03AC: return One(0x03B1);                // ά → α
    case 0x0388: case 0x03AD: return One(0x03B5);                // έ → ε
    case 0x0389: case 0x03AE: return One(0x03B7);                // ή → η
    case 0x038A: case 0x03AF: case 0x0390: case 0x03AA: case 0x03CA: return One(0x03B9);  // ί ΐ ϊ → ι
    case 0x038C: case 0x03CC: return One(0x03BF);                // ό → ο
    case 0x038E: case 0x03CD: case 0x03B0: case 0x03AB: case 0x03CB: return One(0x03C5);  // ύ ΰ ϋ → υ
    case 0x038F: case 0x03CE: return One(0x03C9);                // ώ → ω
    case 0x03C2: return One(0x03C3);                             // ς → σ
    default: break;
    }
    if (unit >= 0x0391 && unit <= 0x03A9) return One(static_cast<char16_t>(unit + 0x20));
    return One(unit);
}

Folded FoldCyrillic(char16_t unit) {
    if (unit == 0x0401 || unit == 0x0451) return One(0x0435);  // Ё ё → е
    if (unit >= 0x0400 && unit <= 0x040F) return One(static_cast<char16_t>(unit + 0x50));
    if (unit >= 0x0410 && unit <= 0x042F) return One(static_cast<char16_t>(unit + 0x20));
    return One(unit);
}

// Quotes, hyphens, dashes and spaces as a keyboard types them.
Folded FoldPunctuation(char16_t unit) {
    switch (unit) {
    case 0x2018: case 0x2019: return One(u'\'');
    case 0x201C: case 0x201D: return One(u'"');
    case 0x2010: case 0x2011: case 0x2012: case 0x2013: case 0x2014: return One(u'-');
    case 0x2007: case 0x202F: return One(u' ');
    default: return One(unit);
    }
}

Folded FoldLigature(char16_t unit) {
    switch (unit) {
    case 0xFB00: return Two(u'f', u'f');
    case 0xFB01: return Two(u'f', u'i');
    case 0xFB02: return Two(u'f', u'l');
    case 0xFB03: return Three(u'f', u'f', u'i');
    case 0xFB04: return Three(u'f', u'f', u'l');
    case 0xFB05: case 0xFB06: return Two(u's', u't');
    default: return One(unit);
    }
}

char16_t LowerAscii(char16_t unit) {
    return unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit + (u'a' - u'A')) : unit;
}

// Full-width ASCII (U+FF01..U+FF5E) to ASCII.
Folded FoldFullWidth(char16_t unit) {
    return One(LowerAscii(static_cast<char16_t>(unit - 0xFF01 + 0x21)));
}

Folded FoldUnit(char16_t unit) {
    if (unit < 0x80) return One(LowerAscii(unit));
    if (unit == 0x00A0) return One(u' ');
    if (unit >= kFirstLatin1Letter && unit <= 0x00FF) return FoldLatin1(unit);
    if (unit >= kFirstLatinExtendedA && unit <= kLastLatinExtendedA) return FoldLatinExtendedA(unit);
    if (unit <= 0x024F) return FoldLatinExtendedB(unit);
    if (unit == 0x02BC) return One(u'\'');  // ʼ
    if (IsCombiningMark(unit)) return Folded{};
    if (unit >= 0x0386 && unit <= 0x03CE) return FoldGreek(unit);
    if (unit >= 0x0400 && unit <= 0x045F) return FoldCyrillic(unit);
    if (unit >= 0x2000 && unit <= 0x206F) return FoldPunctuation(unit);
    if (unit >= 0xFB00 && unit <= 0xFB06) return FoldLigature(unit);
    if (unit >= 0xFF01 && unit <= 0xFF5E) return FoldFullWidth(unit);
    return One(unit);
}

}  // namespace

FoldedText FoldText(std::u16string_view source) {
    FoldedText folded;
    folded.text.reserve(source.size());
    folded.origin.reserve(source.size());
    for (std::size_t i = 0; i < source.size(); ++i) {
        const Folded unit = FoldUnit(source[i]);
        for (std::uint8_t k = 0; k < unit.count; ++k) {
            folded.text.push_back(unit.units[k]);
            folded.origin.push_back(static_cast<std::uint32_t>(i));
        }
    }
    return folded;
}

std::u16string FoldedForSearch(std::u16string_view source) {
    std::u16string folded;
    folded.reserve(source.size());
    for (const char16_t c : source) {
        const Folded unit = FoldUnit(c);
        folded.append(unit.units.data(), unit.count);
    }
    return folded;
}

bool IsWordCharacter(char16_t unit) {
    if (unit < 0x80) {
        return (unit >= u'0' && unit <= u'9') || (unit >= u'a' && unit <= u'z') || (unit >= u'A' && unit <= u'Z');
    }
    if (unit <= 0x00BF || unit == 0x00D7 || unit == 0x00F7) return false;  // Latin-1 signs, × ÷
    if (unit >= 0x2000 && unit <= 0x206F) return false;                     // general punctuation
    if (unit >= 0x3000 && unit <= 0x303F) return false;                     // CJK punctuation
    if (unit >= 0xFF01 && unit <= 0xFF0F) return false;                     // full-width signs
    return true;
}

bool IsCombiningMark(char16_t unit) {
    return unit >= 0x0300 && unit <= 0x036F;
}
