// What the items of the program's owner-drawn popup menus show.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The text of each item of an owner-drawn menu, empty for a separator or an
// item without the program's record.
std::vector<std::u16string> OwnerDrawnMenuTexts(HMENU menu);
