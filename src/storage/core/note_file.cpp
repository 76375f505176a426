#include "storage/core/note_file.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "storage/core/lenient_number.h"
#include "storage/core/text_lines.h"

namespace {

constexpr std::u16string_view kSeparatorLine = u"---";
constexpr std::u16string_view kEntryPrefix = u"ENTRY|";
constexpr std::u16string_view kColourKey = u"COLOR=";
constexpr std::u16string_view kPinKey = u"PIN=";
constexpr std::u16string_view kClashKey = u"CLASH=";
constexpr std::u16string_view kLineBreak = u"\r\n";

// Colours of the files written before notes took any RGB colour; an index
// outside the palette falls back to the first one.
constexpr std::array<ColourRef, 4> kLegacyPalette = {
    kNoteYellow,
    0x00AFF0CD,  // green
    0x00E4D2FF,  // pink
    0x00FFE4C8,  // blue
};

// Header keys whose value is any int32.
struct IntegerKey {
    std::u16string_view key;
    std::int32_t NoteFields::*field;
};
constexpr std::array<IntegerKey, 6> kIntegerKeys = {{
    {u"X=", &NoteFields::x},
    {u"Y=", &NoteFields::y},
    {u"W=", &NoteFields::width},
    {u"H=", &NoteFields::height},
    {u"CAT=", &NoteFields::categoryId},
    {u"SUBCAT=", &NoteFields::subcategoryId},
}};

// Header keys holding an enumeration 0..count-1; anything else reads as 0.
template <typename Enumeration>
struct EnumerationKey {
    std::u16string_view key;
    Enumeration NoteFields::*field;
    std::uint32_t count;
};
constexpr std::array<EnumerationKey<DockEdge>, 2> kDockKeys = {{
    {u"LASTDOCK=", &NoteFields::lastDock, 4},
    {u"DOCK=", &NoteFields::dock, 4},
}};
constexpr EnumerationKey<NoteType> kTypeKey{u"TYPE=", &NoteFields::type, 3};

// The current entry line has five numeric fields; the older one had no
// done date. Five '|' or more after the prefix means the current form.
constexpr std::ptrdiff_t kPipesOfCurrentEntryForm = 5;

// On a match, `value` is the rest of the line after the key.
bool MatchKey(std::u16string_view line, std::u16string_view key, std::u16string_view& value) {
    if (line.substr(0, key.size()) != key) return false;
    value = line.substr(key.size());
    return true;
}

ColourRef ReadColour(std::u16string_view value) {
    if (!value.empty() && value.front() == u'#') {
        const std::uint32_t rgb = ReadHexUnsigned32(value.substr(1));
        const std::uint32_t red = (rgb >> 16) & 0xFF;
        const std::uint32_t green = (rgb >> 8) & 0xFF;
        const std::uint32_t blue = rgb & 0xFF;
        return blue << 16 | green << 8 | red;
    }
    const std::int32_t index = ReadInt32(value);
    const bool inPalette = index >= 0 && static_cast<std::size_t>(index) < kLegacyPalette.size();
    return inPalette ? kLegacyPalette[static_cast<std::size_t>(index)] : kLegacyPalette[0];
}

std::int32_t ReadEnumeration(std::u16string_view value, std::uint32_t count) {
    // Compared unsigned, so that negative values are out of range too.
    const auto number = static_cast<std::uint32_t>(ReadInt32(value));
    return number < count ? static_cast<std::int32_t>(number) : 0;
}

// Cuts the next '|'-terminated field off the front of `rest`; the last field
// takes all that is left.
std::u16string_view TakeField(std::u16string_view& rest) {
    const std::size_t pipe = rest.find(u'|');
    if (pipe == std::u16string_view::npos) {
        const std::u16string_view field = rest;
        rest = {};
        return field;
    }
    const std::u16string_view field = rest.substr(0, pipe);
    rest.remove_prefix(pipe + 1);
    return field;
}

// 32-bit entry fields are read as 64-bit numbers and keep their low 32 bits.
std::int32_t ReadLow32(std::u16string_view field) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(ReadInt64(field)));
}

void ParseEntry(std::u16string_view rest, std::vector<NoteEntry>& entries) {
    const bool hasDoneDate = std::count(rest.begin(), rest.end(), u'|') >= kPipesOfCurrentEntryForm;
    NoteEntry entry;
    entry.id = ReadLow32(TakeField(rest));
    entry.due = ReadInt64(TakeField(rest));
    entry.done = ReadLow32(TakeField(rest));
    entry.notified = ReadLow32(TakeField(rest));
    if (hasDoneDate) entry.doneDate = ReadInt64(TakeField(rest));
    entry.text = std::u16string(rest);
    if (entry.due != 0 || !entry.text.empty()) entries.push_back(std::move(entry));
}

void ParseHeaderLine(std::u16string_view line, NoteFields& fields) {
    std::u16string_view value;
    for (const IntegerKey& key : kIntegerKeys) {
        if (MatchKey(line, key.key, value)) {
            fields.*key.field = ReadInt32(value);
            return;
        }
    }
    if (MatchKey(line, kClashKey, value)) {
        fields.clash = ReadInt32(value) != 0;
        return;
    }
    if (MatchKey(line, kPinKey, value)) {
        fields.pinned = ReadInt32(value) != 0;
        return;
    }
    if (MatchKey(line, kColourKey, value)) {
        fields.colour = ReadColour(value);
        return;
    }
    for (const EnumerationKey<DockEdge>& key : kDockKeys) {
        if (MatchKey(line, key.key, value)) {
            fields.*key.field = static_cast<DockEdge>(ReadEnumeration(value, key.count));
            return;
        }
    }
    if (MatchKey(line, kTypeKey.key, value)) {
        fields.type = static_cast<NoteType>(ReadEnumeration(value, kTypeKey.count));
        return;
    }
    if (MatchKey(line, kEntryPrefix, value)) ParseEntry(value, fields.entries);
    // Anything else (unknown keys, blank lines, comments) is ignored.
}

void AppendHexByte(std::u16string& out, std::uint32_t byte) {
    constexpr std::u16string_view kHexDigits = u"0123456789ABCDEF";
    out.push_back(kHexDigits[(byte >> 4) & 0xF]);
    out.push_back(kHexDigits[byte & 0xF]);
}

void AppendHeaderLine(std::u16string& out, std::u16string_view key, std::int64_t value) {
    out += key;
    out += DecimalText(value);
    out += kLineBreak;
}

// right - left as the 32-bit value Windows would write; wraps instead of
// overflowing for rectangles far off every screen.
std::int32_t WrappingDifference(std::int32_t high, std::int32_t low) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(high) -
                                     static_cast<std::uint32_t>(low));
}

void AppendColourLine(std::u16string& out, ColourRef colour) {
    out += kColourKey;
    out.push_back(u'#');
    AppendHexByte(out, colour & 0xFF);          // red
    AppendHexByte(out, (colour >> 8) & 0xFF);   // green
    AppendHexByte(out, (colour >> 16) & 0xFF);  // blue
    out += kLineBreak;
}

void AppendHeader(std::u16string& out, const NoteProperties& note, const Rect& floatingRect) {
    AppendHeaderLine(out, u"X=", floatingRect.left);
    AppendHeaderLine(out, u"Y=", floatingRect.top);
    AppendHeaderLine(out, u"W=", WrappingDifference(floatingRect.right, floatingRect.left));
    AppendHeaderLine(out, u"H=", WrappingDifference(floatingRect.bottom, floatingRect.top));
    AppendColourLine(out, note.colour);
    AppendHeaderLine(out, u"CAT=", note.categoryId);
    AppendHeaderLine(out, u"SUBCAT=", note.subcategoryId);
    AppendHeaderLine(out, kPinKey, note.pinned ? 1 : 0);
    AppendHeaderLine(out, u"DOCK=", note.dock);
    AppendHeaderLine(out, u"LASTDOCK=", note.lastDock);
    AppendHeaderLine(out, u"TYPE=", note.type);
    if (note.clash) AppendHeaderLine(out, kClashKey, 1);  // absent otherwise: older files stay as they are
}

void AppendEntryLine(std::u16string& out, const NoteEntry& entry) {
    out += kEntryPrefix;
    for (const std::int64_t number : {std::int64_t{entry.id}, entry.due, std::int64_t{entry.done},
                                      std::int64_t{entry.notified}, entry.doneDate}) {
        out += DecimalText(number);
        out.push_back(u'|');
    }
    // An entry owns exactly one line: a line feed in its text would end the
    // line early and let the rest be read back as header keys or as the
    // separator, so it is written as a space.
    const std::size_t textStart = out.size();
    out += entry.text;
    std::replace(out.begin() + static_cast<std::ptrdiff_t>(textStart), out.end(), u'\n', u' ');
    out += kLineBreak;
}

bool EqualsIgnoringAsciiCase(std::u16string_view text, std::u16string_view lowerCase) {
    const auto lower = [](char16_t c) {
        return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c;
    };
    return text.size() == lowerCase.size() &&
           std::equal(text.begin(), text.end(), lowerCase.begin(),
                      [&](char16_t a, char16_t b) { return lower(a) == b; });
}

bool IsHexDigit(char16_t c) {
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

constexpr std::u16string_view kFileNamePrefix = u"note_";
constexpr std::u16string_view kFileNameSuffix = u".txt";
constexpr std::size_t kIdDigits = 16;

}  // namespace

NoteFields DefaultNoteFields() { return NoteFields{}; }

void ParseNoteFile(const std::u16string& text, NoteFields& fields) {
    fields.body.clear();
    const std::u16string_view all = text;
    bool inBody = false;
    bool firstBodyLine = true;
    ForEachLine(all, [&](std::u16string_view line) {
        if (inBody) {
            if (!firstBodyLine) fields.body += kLineBreak;
            fields.body += line;
            firstBodyLine = false;
        } else if (line == kSeparatorLine) {
            inBody = true;
        } else {
            ParseHeaderLine(line, fields);
        }
    });
    // The body is written with nothing after it, so a line feed ending the
    // file is the body's own last line break: keep it, or a note ending with
    // an empty line would lose one more line at every load.
    if (inBody && !firstBodyLine && !all.empty() && all.back() == u'\n') fields.body += kLineBreak;
}

std::u16string FormatNoteFile(const NoteProperties& note, const Rect& floatingRect,
                              const std::u16string& body) {
    std::u16string out;
    AppendHeader(out, note, floatingRect);
    for (const NoteEntry& entry : note.entries) AppendEntryLine(out, entry);
    out += kSeparatorLine;
    out += kLineBreak;
    out += body;
    return out;
}

std::u16string NoteFileName(std::uint64_t id) {
    constexpr std::u16string_view kHexDigits = u"0123456789ABCDEF";
    std::u16string name(kFileNamePrefix);
    for (int shift = static_cast<int>(kIdDigits - 1) * 4; shift >= 0; shift -= 4) {
        name.push_back(kHexDigits[(id >> shift) & 0xF]);
    }
    name += kFileNameSuffix;
    return name;
}

std::uint64_t NoteIdFromFileName(std::u16string_view fileName) {
    if (fileName.size() < kFileNamePrefix.size()) return 0;
    return ReadHexUnsigned64(fileName.substr(kFileNamePrefix.size()));
}

bool IsCanonicalNoteFileName(std::u16string_view fileName) {
    constexpr std::size_t kNameLength = kFileNamePrefix.size() + kIdDigits + kFileNameSuffix.size();
    if (fileName.size() != kNameLength) return false;
    const std::u16string_view prefix = fileName.substr(0, kFileNamePrefix.size());
    const std::u16string_view digits = fileName.substr(kFileNamePrefix.size(), kIdDigits);
    const std::u16string_view suffix = fileName.substr(kFileNamePrefix.size() + kIdDigits);
    return EqualsIgnoringAsciiCase(prefix, kFileNamePrefix) &&
           std::all_of(digits.begin(), digits.end(), IsHexDigit) &&
           EqualsIgnoringAsciiCase(suffix, kFileNameSuffix);
}
