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
