// The exit codes of a command line (/new, /export), for the scripts that
// run it.
#pragma once

constexpr int kCommandDone = 0;
constexpr int kCommandFailed = 1;  // the arguments were right, the work could not be done
constexpr int kCommandBadArguments = 2;
