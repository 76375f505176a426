// The text of an entry as the note file can keep it.
#pragma once

#include <string>
#include <string_view>

// The entry's text is the last field of its line in the note file, so '|'
// and tabs are kept as typed; only a line break (CR, LF or CR LF), which
// would end the line, becomes one space.
std::u16string SingleLineEntryText(std::u16string_view typed);
