#include "entries/core/entry_text.h"

std::u16string SingleLineEntryText(std::u16string_view typed) {
    std::u16string text;
    text.reserve(typed.size());
    for (std::size_t i = 0; i < typed.size(); ++i) {
        const char16_t c = typed[i];
        if (c == u'\r' && i + 1 < typed.size() && typed[i + 1] == u'\n') continue;  // the LF gives the space
        text.push_back(c == u'\r' || c == u'\n' ? u' ' : c);
    }
    return text;
}
