#include "app/core/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Arguments = std::vector<std::u16string>;

std::string Printable(const std::u16string& text) {
    return testing::PrintToString(text);
}

}  // namespace

TEST(CommandLine, ArgumentsAreSplitAsTheWindowsRuntimeSplitsThem) {
    const struct {
        std::u16string line;
        Arguments arguments;
    } cases[] = {
        {u"Quillboard.exe", {}},
        {u"\"C:\\Program Files\\Quillboard.exe\"", {}},
        {u"\"C:\\Program Files\\Quillboard.exe\" /new x", {u"/new", u"x"}},
        {u"C:\\Q\\Quillboard.exe   /new\t\"Appeler Marc\"  ", {u"/new", u"Appeler Marc"}},
        {u"Q.exe /new \"Il a dit \"\"oui\"\"\"", {u"/new", u"Il a dit \"oui\""}},
        {u"Q.exe /new \"a \\\"b\\\" c\"", {u"/new", u"a \"b\" c"}},
        {u"Q.exe /export C:\\Notes\\", {u"/export", u"C:\\Notes\\"}},
        {u"Q.exe /export \"C:\\Mes notes\\\\\"", {u"/export", u"C:\\Mes notes\\"}},
        {u"Q.exe a\\\\\\\"b", {u"a\\\"b"}},
        {u"Q.exe \"\"", {u""}},
        {u"Q.exe ab\"c d\"e", {u"abc de"}},
        {u"Q.exe /new \"non fermé", {u"/new", u"non fermé"}},
        {u"Q.exe /new Réunion", {u"/new", u"Réunion"}},
        {u"", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(CommandLineArguments(c.line), c.arguments) << Printable(c.line);
}

TEST(CommandLine, GoodArgumentsGiveTheirCommand) {
    const struct {
        Arguments arguments;
        CommandKind kind;
        std::u16string text;
        std::u16string category;
        std::u16string file;
    } cases[] = {
        {{}, CommandKind::Start, u"", u"", u""},
        {{u"/new", u"Appeler Marc"}, CommandKind::NewNote, u"Appeler Marc", u"", u""},
        {{u"/NEW", u"x", u"/Category", u"Travail"}, CommandKind::NewNote, u"x", u"Travail", u""},
        {{u"-category", u"Travail > Réunions", u"-new", u"x"}, CommandKind::NewNote, u"x", u"Travail > Réunions", u""},
        // The value after a switch is taken as it is, even when it looks like one.
        {{u"/new", u"/export"}, CommandKind::NewNote, u"/export", u"", u""},
        {{u"/export", u"notes.md"}, CommandKind::Export, u"", u"", u"notes.md"},
        {{u"/Export", u"C:\\Mes notes\\tout.md"}, CommandKind::Export, u"", u"", u"C:\\Mes notes\\tout.md"},
    };
    for (const auto& c : cases) {
        const Command command = ParseCommand(c.arguments);
        EXPECT_EQ(command.kind, c.kind) << testing::PrintToString(c.arguments);
        EXPECT_EQ(command.text, c.text);
        EXPECT_EQ(command.category, c.category);
        EXPECT_EQ(command.file, c.file);
        EXPECT_EQ(command.problem, nullptr);
    }
}

TEST(CommandLine, BadArgumentsSayWhatIsWrongAndWithWhat) {
    const struct {
        Arguments arguments;
        std::u16string problem;
        std::u16string detail;
    } cases[] = {
        {{u"/nouveau", u"x"}, u"Option inconnue :", u"/nouveau"},
        {{u"/new", u"x", u"-q"}, u"Option inconnue :", u"-q"},
        {{u"/"}, u"Option inconnue :", u"/"},
        {{u"/new"}, u"Il manque le texte de la note après /new.", u""},
        {{u"/new", u""}, u"Il manque le texte de la note après /new.", u""},
        {{u"/new", u"  \t"}, u"Il manque le texte de la note après /new.", u""},
        {{u"/new", u"x", u"/category"}, u"Il manque le nom de la catégorie après /category.", u""},
        {{u"/export"}, u"Il manque le nom du fichier après /export.", u""},
        {{u"/export", u" "}, u"Il manque le nom du fichier après /export.", u""},
        {{u"notes.md"}, u"Argument en trop :", u"notes.md"},
        {{u"/new", u"Appeler", u"Marc"}, u"Argument en trop :", u"Marc"},
        {{u"/export", u"a.md", u"b.md"}, u"Argument en trop :", u"b.md"},
        {{u"/new", u"x", u"/new", u"y"}, u"Option donnée deux fois :", u"/new"},
        {{u"/new", u"x", u"/export", u"a.md"}, u"/new et /export ne s'emploient pas ensemble.", u""},
        {{u"/category", u"Travail"}, u"/category ne s'emploie qu'avec /new.", u""},
        {{u"/category", u"Travail", u"/export", u"a.md"}, u"/category ne s'emploie qu'avec /new.", u""},
    };
    for (const auto& c : cases) {
        const Command command = ParseCommand(c.arguments);
        EXPECT_EQ(command.kind, CommandKind::Invalid) << testing::PrintToString(c.arguments);
        ASSERT_NE(command.problem, nullptr) << testing::PrintToString(c.arguments);
        EXPECT_EQ(std::u16string(command.problem), c.problem) << testing::PrintToString(c.arguments);
        EXPECT_EQ(command.detail, c.detail) << testing::PrintToString(c.arguments);
    }
}
