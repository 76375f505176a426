#include "app/core/command_line.h"

#include <cstddef>
#include <utility>

namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

struct Cursor {
    std::u16string_view text;
    std::size_t at = 0;

    bool AtEnd() const { return at >= text.size(); }
    char16_t Peek(std::size_t ahead = 0) const { return at + ahead < text.size() ? text[at + ahead] : u'\0'; }
    void SkipBlanks() {
        while (!AtEnd() && IsBlank(Peek())) ++at;
    }
};

// The program's name: quotes group, nothing escapes.
void SkipProgramName(Cursor& cursor) {
    bool quoted = false;
    while (!cursor.AtEnd() && (quoted || !IsBlank(cursor.Peek()))) {
        if (cursor.Peek() == u'"') quoted = !quoted;
        ++cursor.at;
    }
}

// A run of backslashes: literal, unless a quote follows. Then each pair is one
// backslash, and an odd one makes the quote literal; after an even run the
// quote is left to group.
void ReadBackslashes(Cursor& cursor, std::u16string& argument) {
    std::size_t count = 0;
    while (cursor.Peek() == u'\\') {
        ++count;
        ++cursor.at;
    }
    if (cursor.Peek() != u'"') {
        argument.append(count, u'\\');
        return;
    }
    argument.append(count / 2, u'\\');
    if (count % 2 == 1) {
        argument.push_back(u'"');
        ++cursor.at;
    }
}

std::u16string ReadArgument(Cursor& cursor) {
    std::u16string argument;
    bool quoted = false;
    while (!cursor.AtEnd() && (quoted || !IsBlank(cursor.Peek()))) {
        const char16_t c = cursor.Peek();
        if (c == u'\\') {
            ReadBackslashes(cursor, argument);
        } else if (c == u'"') {
            if (quoted && cursor.Peek(1) == u'"') {
                argument.push_back(u'"');
                cursor.at += 2;
            } else {
                quoted = !quoted;
                ++cursor.at;
            }
        } else {
            argument.push_back(c);
            ++cursor.at;
        }
    }
    return argument;
}

constexpr char16_t kNewSwitch[] = u"new";
constexpr char16_t kCategorySwitch[] = u"category";
constexpr char16_t kExportSwitch[] = u"export";

char16_t LowerAscii(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + (u'a' - u'A')) : c;
}

bool LooksLikeSwitch(const std::u16string& argument) {
    return !argument.empty() && (argument[0] == u'/' || argument[0] == u'-');
}

bool IsSwitch(const std::u16string& argument, std::u16string_view name) {
    if (!LooksLikeSwitch(argument) || argument.size() != name.size() + 1) return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (LowerAscii(argument[i + 1]) != name[i]) return false;
    }
    return true;
}

bool IsBlankText(const std::u16string& text) {
    for (const char16_t c : text) {
        if (!IsBlank(c) && c != u'\r' && c != u'\n') return false;
    }
    return true;
}

Command Problem(const char16_t* problem, std::u16string detail = {}) {
    Command command;
    command.kind = CommandKind::Invalid;
    command.problem = problem;
    command.detail = std::move(detail);
    return command;
}

// A switch and the value after it, as they are met.
struct SwitchValue {
    const char16_t* name;
    const char16_t* missing;  // the problem when the value is missing or blank
    std::u16string* value;
    bool given = false;
};

}  // namespace

std::vector<std::u16string> CommandLineArguments(std::u16string_view commandLine) {
    Cursor cursor{commandLine};
    SkipProgramName(cursor);
    std::vector<std::u16string> arguments;
    for (cursor.SkipBlanks(); !cursor.AtEnd(); cursor.SkipBlanks()) arguments.push_back(ReadArgument(cursor));
    return arguments;
}

Command ParseCommand(const std::vector<std::u16string>& arguments) {
    Command command;
    SwitchValue switches[] = {
        {kNewSwitch, u"Il manque le texte de la note après /new.", &command.text},
        {kCategorySwitch, u"Il manque le nom de la catégorie après /category.", &command.category},
        {kExportSwitch, u"Il manque le nom du fichier après /export.", &command.file},
    };
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::u16string& argument = arguments[i];
        SwitchValue* matched = nullptr;
        for (SwitchValue& candidate : switches) {
            if (IsSwitch(argument, candidate.name)) matched = &candidate;
        }
        if (!matched) {
            if (LooksLikeSwitch(argument)) return Problem(u"Option inconnue :", argument);
            return Problem(u"Argument en trop :", argument);
        }
        if (matched->given) return Problem(u"Option donnée deux fois :", argument);
        if (i + 1 >= arguments.size() || IsBlankText(arguments[i + 1])) return Problem(matched->missing);
        matched->given = true;
        *matched->value = arguments[++i];
    }
    const bool newNote = switches[0].given;
    const bool category = switches[1].given;
    const bool exporting = switches[2].given;
    if (newNote && exporting) return Problem(u"/new et /export ne s'emploient pas ensemble.");
    if (category && !newNote) return Problem(u"/category ne s'emploie qu'avec /new.");
    if (newNote) command.kind = CommandKind::NewNote;
    if (exporting) command.kind = CommandKind::Export;
    return command;
}

std::vector<const char16_t*> UsageLines() {
    return {
        u"Emploi :",
        u"Quillboard.exe /new \"texte\" [/category \"catégorie\"]",
        u"Quillboard.exe /export fichier.md",
    };
}
