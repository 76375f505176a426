#include "storage/core/text_encoding.h"

#include <algorithm>

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LittleEndianMark = "\xFF\xFE";
constexpr std::string_view kUtf16BigEndianMark = "\xFE\xFF";
constexpr char16_t kReplacementCharacter = u'\uFFFD';

char16_t Unit(unsigned char first, unsigned char second, bool bigEndian) {
    const unsigned high = bigEndian ? first : second;
    const unsigned low = bigEndian ? second : first;
    return static_cast<char16_t>(high << 8 | low);
}

}  // namespace

ByteOrderMark DetectByteOrderMark(std::string_view bytes) {
    if (bytes.substr(0, kUtf8Mark.size()) == kUtf8Mark) return ByteOrderMark::Utf8;
    if (bytes.substr(0, kUtf16LittleEndianMark.size()) == kUtf16LittleEndianMark) {
        return ByteOrderMark::Utf16LittleEndian;
    }
    if (bytes.substr(0, kUtf16BigEndianMark.size()) == kUtf16BigEndianMark) return ByteOrderMark::Utf16BigEndian;
    return ByteOrderMark::None;
}

std::u16string DecodeUtf16(std::string_view bytesAfterMark, bool bigEndian) {
    std::u16string text;
    text.reserve(bytesAfterMark.size() / 2 + 1);
    std::size_t i = 0;
    for (; i + 1 < bytesAfterMark.size(); i += 2) {
        text.push_back(Unit(static_cast<unsigned char>(bytesAfterMark[i]),
                            static_cast<unsigned char>(bytesAfterMark[i + 1]), bigEndian));
    }
    if (i < bytesAfterMark.size()) text.push_back(kReplacementCharacter);
    return text;
}

std::u16string WithVisibleNuls(std::u16string text) {
    std::replace(text.begin(), text.end(), u'\0', kVisibleNul);
    return text;
}
