// Reads arbitrary bytes as a note file's raw bytes, the way the note reader
// does before it parses them: the byte-order mark, UTF-16 in either byte order
// after an FF FE or FE FF mark, and NUL characters made visible. UTF-16
// decoding must lose nothing (unpaired surrogates and all), since a note
// from another editor is shown from it; only a lone last byte is marked.
// UTF-8 decoding goes through Windows and is not built here.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "fuzz_text.h"
#include "storage/core/text_encoding.h"

namespace {

constexpr char16_t kReplacementCharacter = u'\uFFFD';

ByteOrderMark ExpectedMark(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF")) return ByteOrderMark::Utf8;
    if (bytes.starts_with("\xFF\xFE")) return ByteOrderMark::Utf16LittleEndian;
    if (bytes.starts_with("\xFE\xFF")) return ByteOrderMark::Utf16BigEndian;
    return ByteOrderMark::None;
}

// The text's code units back as bytes, two each, in the given order.
std::string EncodeUtf16(const std::u16string& text, bool bigEndian) {
    std::string bytes;
    for (const char16_t unit : text) {
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        bytes.push_back(bigEndian ? high : low);
        bytes.push_back(bigEndian ? low : high);
    }
    return bytes;
}

// The bytes with each whole pair swapped; a lone last byte stays.
std::string SwapPairs(std::string_view bytes) {
    std::string swapped(bytes);
    for (std::size_t i = 0; i + 1 < swapped.size(); i += 2) std::swap(swapped[i], swapped[i + 1]);
    return swapped;
}

void CheckUtf16(std::string_view bytes, bool bigEndian) {
    const std::u16string text = DecodeUtf16(bytes, bigEndian);
    Check(text.size() == (bytes.size() + 1) / 2);
    const std::size_t wholeUnits = bytes.size() / 2;
    Check(EncodeUtf16(text.substr(0, wholeUnits), bigEndian) == bytes.substr(0, wholeUnits * 2));
    if (bytes.size() % 2 != 0) Check(text.back() == kReplacementCharacter);
    Check(DecodeUtf16(SwapPairs(bytes), !bigEndian) == text);
}

void CheckVisibleNuls(const std::u16string& text) {
    const std::u16string shown = WithVisibleNuls(text);
    Check(shown.size() == text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        Check(shown[i] == (text[i] == u'\0' ? kVisibleNul : text[i]));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ByteOrderMark mark = DetectByteOrderMark(bytes);
    Check(mark == ExpectedMark(bytes));

    CheckUtf16(bytes, false);
    CheckUtf16(bytes, true);

    // As a note file is read: the text after a UTF-16 mark, with its NULs shown.
    if (mark == ByteOrderMark::Utf16LittleEndian || mark == ByteOrderMark::Utf16BigEndian) {
        const bool bigEndian = mark == ByteOrderMark::Utf16BigEndian;
        CheckVisibleNuls(DecodeUtf16(bytes.substr(2), bigEndian));
    }
    CheckVisibleNuls(TextFromBytes(data, size));
    return 0;
}
