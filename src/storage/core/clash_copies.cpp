#include "storage/core/clash_copies.h"

#include <algorithm>

#include "storage/core/lenient_number.h"

namespace {

constexpr std::u16string_view kNotePrefix = u"note_";
constexpr std::size_t kIdDigits = 16;
constexpr std::u16string_view kCategoriesStem = u"categories";
constexpr std::u16string_view kSuffix = u".txt";
constexpr std::u16string_view kSyncthingMark = u".sync-conflict-";

char16_t Lower(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

bool EqualIgnoringCase(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) { return Lower(x) == Lower(y); });
}

bool StartsWithIgnoringCase(std::u16string_view text, std::u16string_view start) {
    return text.size() >= start.size() && EqualIgnoringCase(text.substr(0, start.size()), start);
}

bool IsHexDigit(char16_t c) {
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// What follows the file's own stem in one of the three shapes, ".txt"
// included: ".sync-conflict-….txt", " (….txt" closed by ")", or "-….txt",
// each with something between the marks.
bool IsClashTail(std::u16string_view tail) {
    if (tail.size() < kSuffix.size() || !EqualIgnoringCase(tail.substr(tail.size() - kSuffix.size()), kSuffix)) {
        return false;
    }
    tail.remove_suffix(kSuffix.size());
    if (StartsWithIgnoringCase(tail, kSyncthingMark)) return tail.size() > kSyncthingMark.size();
    if (tail.size() > 3 && tail.substr(0, 2) == u" (" && tail.back() == u')') return true;
    return tail.size() > 1 && tail.front() == u'-';
}

}  // namespace

std::optional<std::uint64_t> NoteClashCopyId(std::u16string_view fileName) {
    const std::size_t stemLength = kNotePrefix.size() + kIdDigits;
    if (fileName.size() <= stemLength || !StartsWithIgnoringCase(fileName, kNotePrefix)) return std::nullopt;
    const std::u16string_view digits = fileName.substr(kNotePrefix.size(), kIdDigits);
    if (!std::all_of(digits.begin(), digits.end(), IsHexDigit)) return std::nullopt;
    if (!IsClashTail(fileName.substr(stemLength))) return std::nullopt;
    return ReadHexUnsigned64(digits);
}

bool IsCategoriesClashCopy(std::u16string_view fileName) {
    return StartsWithIgnoringCase(fileName, kCategoriesStem) && IsClashTail(fileName.substr(kCategoriesStem.size()));
}
