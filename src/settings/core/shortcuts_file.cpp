#include "settings/core/shortcuts_file.h"

#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

#include "storage/core/lenient_number.h"
#include "storage/core/text_lines.h"

namespace {

constexpr char16_t kFieldSeparator = u'|';
constexpr std::u16string_view kLineBreak = u"\r\n";

// The blanks the C library skips before a number.
bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r';
}

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

struct Cursor {
    std::u16string_view text;
    std::size_t position = 0;

    char16_t Peek() const { return position < text.size() ? text[position] : u'\0'; }
};

struct Magnitude {
    bool negative = false;
    std::uint64_t value = 0;
    bool overflow = false;  // passed `limit`; value is then meaningless
};

// Blanks, an optional sign and at least one digit; nothing when no digit
// follows. Stops at the first character that is not a digit.
std::optional<Magnitude> ReadMagnitude(Cursor& cursor, std::uint64_t limit) {
    while (IsBlank(cursor.Peek())) ++cursor.position;
    Magnitude result;
    if (cursor.Peek() == u'+' || cursor.Peek() == u'-') {
        result.negative = cursor.Peek() == u'-';
        ++cursor.position;
    }
    if (!IsDigit(cursor.Peek())) return std::nullopt;
    while (IsDigit(cursor.Peek())) {
        const auto digit = static_cast<std::uint64_t>(cursor.Peek() - u'0');
        if (result.overflow || result.value > (limit - digit) / 10) {
            result.overflow = true;
        } else {
            result.value = result.value * 10 + digit;
        }
        ++cursor.position;
    }
    return result;
}

// "%d": saturates at the ends of the signed range.
std::optional<std::int32_t> ReadSigned(Cursor& cursor) {
    constexpr std::uint64_t kMax = std::numeric_limits<std::int32_t>::max();
    const std::optional<Magnitude> read = ReadMagnitude(cursor, kMax + 1);
    if (!read) return std::nullopt;
    if (read->negative) {
        if (read->overflow) return std::numeric_limits<std::int32_t>::min();
        return static_cast<std::int32_t>(-static_cast<std::int64_t>(read->value));
    }
    if (read->overflow || read->value > kMax) return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(read->value);
}

// "%u": too many digits give the maximum whatever the sign; otherwise a
// '-' negates modulo 2^32.
std::optional<std::uint32_t> ReadUnsigned(Cursor& cursor) {
    constexpr std::uint32_t kMax = std::numeric_limits<std::uint32_t>::max();
    const std::optional<Magnitude> read = ReadMagnitude(cursor, kMax);
    if (!read) return std::nullopt;
    if (read->overflow) return kMax;
    const auto value = static_cast<std::uint32_t>(read->value);
    return read->negative ? static_cast<std::uint32_t>(0u - value) : value;
}

bool ReadSeparator(Cursor& cursor) {
    if (cursor.Peek() != kFieldSeparator) return false;
    ++cursor.position;
    return true;
}

struct BindingLine {
    std::int32_t id = 0;
    std::uint32_t modifiers = 0;
    std::uint32_t key = 0;
};

std::optional<BindingLine> ReadBindingLine(std::u16string_view line) {
    Cursor cursor{line};
    const std::optional<std::int32_t> id = ReadSigned(cursor);
    if (!id || !ReadSeparator(cursor)) return std::nullopt;
    const std::optional<std::uint32_t> modifiers = ReadUnsigned(cursor);
    if (!modifiers || !ReadSeparator(cursor)) return std::nullopt;
    const std::optional<std::uint32_t> key = ReadUnsigned(cursor);
    if (!key) return std::nullopt;
    return BindingLine{*id, *modifiers, *key};
}

using RowsRead = std::array<bool, kShortcutCount>;

void ApplyLine(std::u16string_view line, ShortcutTable& table, RowsRead& read) {
    const std::optional<BindingLine> binding = ReadBindingLine(line);
    if (!binding) return;
    for (std::size_t i = 0; i < table.size(); ++i) {
        Shortcut& shortcut = table[i];
        if (CommandNumber(shortcut.id) != binding->id) continue;
        read[i] = true;
        // A key held with neither Ctrl nor Alt is what people type: bound, it
        // would swallow that key in every program (or in every note). The
        // settings window refuses it; so does the file.
        const bool typedKey = (binding->modifiers & (kModifierCtrl | kModifierAlt)) == 0;
        shortcut.modifiers = typedKey ? 0 : binding->modifiers;
        shortcut.key = typedKey ? 0 : binding->key;
        return;
    }
}

bool SameBinding(const Shortcut& a, const Shortcut& b) {
    return a.key != 0 && a.key == b.key && a.modifiers == b.modifiers;
}

// A row the file does not name holds its default, which the user may have
// given another row since.
void UnbindDefaultsTakenByTheFile(ShortcutTable& table, const RowsRead& read) {
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (read[i]) continue;
        for (std::size_t other = 0; other < table.size(); ++other) {
            if (!read[other] || !SameBinding(table[i], table[other])) continue;
            table[i].modifiers = 0;
            table[i].key = 0;
            break;
        }
    }
}

}  // namespace

void ParseShortcutsFile(const std::u16string& text, ShortcutTable& table) {
    RowsRead read{};
    ForEachLine(text, [&table, &read](std::u16string_view line) { ApplyLine(line, table, read); });
    UnbindDefaultsTakenByTheFile(table, read);
}

std::u16string FormatShortcutsFile(const ShortcutTable& table) {
    std::u16string out;
    for (const Shortcut& shortcut : table) {
        out += DecimalText(CommandNumber(shortcut.id));
        out.push_back(kFieldSeparator);
        out += DecimalText(shortcut.modifiers);
        out.push_back(kFieldSeparator);
        out += DecimalText(shortcut.key);
        out += kLineBreak;
    }
    return out;
}
