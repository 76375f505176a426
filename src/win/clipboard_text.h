// Reading the text on the clipboard.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

// The clipboard's text (CF_UNICODETEXT, which the system also makes from the
// other text formats), up to its first NUL; nothing when it holds no text or
// cannot be opened (another program holds it).
std::optional<std::u16string> ReadClipboardText(HWND owner);
