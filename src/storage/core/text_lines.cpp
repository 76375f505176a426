#include "storage/core/text_lines.h"

std::u16string_view WithoutTrailingCarriageReturns(std::u16string_view line) {
    while (!line.empty() && line.back() == u'\r') line.remove_suffix(1);
    return line;
}

void ForEachLine(std::u16string_view text, const std::function<void(std::u16string_view)>& visit) {
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t lineFeed = text.find(u'\n', start);
        const std::size_t end = lineFeed == std::u16string_view::npos ? text.size() : lineFeed;
        visit(WithoutTrailingCarriageReturns(text.substr(start, end - start)));
        if (lineFeed == std::u16string_view::npos) break;
        start = lineFeed + 1;
    }
}

std::u16string WithCrLfLineBreaks(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c != u'\r' && c != u'\n') {
            out.push_back(c);
            continue;
        }
        out += u"\r\n";
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    }
    return out;
}
