// The lines of a data file's text as every reader of the program takes them:
// split at each LF (a final LF does not start another line), every CR at the
// end of a line removed.
#pragma once

#include <functional>
#include <string>
#include <string_view>

void ForEachLine(std::u16string_view text, const std::function<void(std::u16string_view)>& visit);

// The line without the CR characters at its end (all of them).
std::u16string_view WithoutTrailingCarriageReturns(std::u16string_view line);

// The text with every line break as CR LF, the only one a note's edit box
// shows as a break: a lone LF (from the clipboard of another system, a
// script) or a lone CR becomes CR LF; CR LF stays.
std::u16string WithCrLfLineBreaks(std::u16string_view text);
