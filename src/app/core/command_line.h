// The program's command line, for launchers and scripts:
//   Quillboard.exe                                      starts as always
//   Quillboard.exe /new "text" [/category "name"]       a new note with the text
//   Quillboard.exe /export FILE                         every note, as Markdown
// Switches may start with '/' or '-', in any case, in any order; the
// argument that follows a switch is its value, whatever it looks like.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The arguments after the program's name, split as the C runtime of Windows
// splits a command line: white space separates them; double quotes group,
// and "" inside quotes is one quote; backslashes are literal except before
// a quote, where each pair gives one backslash and an odd one escapes the
// quote. The program's name (the first argument) ends at the first white
// space outside quotes, and a backslash never escapes there.
std::vector<std::u16string> CommandLineArguments(std::u16string_view commandLine);

enum class CommandKind {
    Start,    // no argument: the program as always
    NewNote,  // text, and category when given
    Export,   // file
    Invalid,  // problem, detail
};

struct Command {
    CommandKind kind = CommandKind::Start;
    std::u16string text;
    std::u16string category;  // empty: not filed
    std::u16string file;
    const char16_t* problem = nullptr;  // French source text, shown through Translate
    std::u16string detail;              // the argument it is about, when there is one
};

Command ParseCommand(const std::vector<std::u16string>& arguments);

// The lines that say how to call the program, French source texts shown
// through Translate after a problem.
std::vector<const char16_t*> UsageLines();
