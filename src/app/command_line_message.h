// Telling the user of a command line (/new, /export) what went wrong. The
// program has no console of its own: a script run from a console, or one
// whose error output goes to a file, gets the text there and no window to
// answer; a launcher or a shortcut, which has neither, gets a message box,
// the only way the user would learn why nothing happened.
#pragma once

#include <string>

void TellCommandLineUser(const std::u16string& text);
