#include "storage/core/bin_rules.h"

#include "storage/core/note_file.h"

namespace {

constexpr std::u16string_view kPrefix = u"note_";
constexpr std::u16string_view kSuffix = u".txt";
constexpr std::size_t kIdDigits = 16;

std::u16string_view Trimmed(std::u16string_view text) {
    const auto isSpace = [](char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\0'; };
    while (!text.empty() && isSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace

std::u16string BinFileName(const BinName& name) {
    std::u16string text = NoteFileName(name.noteId);
    text.resize(text.size() - kSuffix.size());
    text += u'_';
    text += MomentDigits(name.deletedAt);
    text += CopySuffix(name.copy);
    text += kSuffix;
    return text;
}

std::optional<BinName> ParseBinFileName(std::u16string_view fileName) {
    const std::size_t stampStart = kPrefix.size() + kIdDigits + 1;
    if (fileName.size() < stampStart + 13 + kSuffix.size() || !fileName.starts_with(kPrefix) ||
        !fileName.ends_with(kSuffix) || fileName[stampStart - 1] != u'_') {
        return std::nullopt;
    }
    const std::u16string noteName = std::u16string(fileName.substr(0, stampStart - 1)) + std::u16string(kSuffix);
    if (!IsCanonicalNoteFileName(noteName)) return std::nullopt;
    BinName name;
    name.noteId = NoteIdFromFileName(noteName);
    if (!ParseMomentDigits(fileName.substr(stampStart, 13), name.deletedAt)) return std::nullopt;
    std::u16string_view rest = fileName.substr(stampStart + 13);
    rest.remove_suffix(kSuffix.size());
    const std::optional<int> copy = ParseCopySuffix(rest);
    if (!copy) return std::nullopt;
    name.copy = *copy;
    return name;
}

bool IsBinFileExpired(const Moment& deletedAt, const Moment& now) {
    const std::int64_t days = DayNumber(now) - DayNumber(deletedAt);
    if (days != kBinKeepDays) return days > kBinKeepDays;
    return Moment{0, 0, 0, now.hour, now.minute} >= Moment{0, 0, 0, deletedAt.hour, deletedAt.minute};
}

std::u16string FirstLineOf(const std::u16string& body) {
    std::u16string_view rest = body;
    while (!rest.empty()) {
        const std::size_t end = rest.find(u'\n');
        const std::u16string_view line = Trimmed(rest.substr(0, end));
        if (!line.empty()) return std::u16string(line);
        if (end == std::u16string_view::npos) break;
        rest.remove_prefix(end + 1);
    }
    return {};
}
