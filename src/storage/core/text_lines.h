// The lines of a data file's text as every reader of the program takes them:
// split at each LF (a final LF does not start another line), every CR at the
// end of a line removed.
#pragma once

#include <functional>
#include <string_view>

void ForEachLine(std::u16string_view text, const std::function<void(std::u16string_view)>& visit);

// The line without the CR characters at its end (all of them).
std::u16string_view WithoutTrailingCarriageReturns(std::u16string_view line);
