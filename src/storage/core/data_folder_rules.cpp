#include "storage/core/data_folder_rules.h"

#include <algorithm>

namespace {

bool IsSeparator(char16_t c) {
    return c == u'\\' || c == u'/';
}

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\xFEFF';
}

bool IsDriveRoot(std::u16string_view path) {
    return path.size() == 3 && path[1] == u':' && IsSeparator(path[2]);
}

bool IsLetter(char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

// File names differ in case only on the screen: the file system takes
// "Categories.txt" for "categories.txt".
bool SameName(std::u16string_view a, std::u16string_view b) {
    const auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char16_t x, char16_t y) { return lower(x) == lower(y); });
}

bool EndsWith(std::u16string_view text, std::u16string_view end) {
    return text.size() >= end.size() && SameName(text.substr(text.size() - end.size()), end);
}

}  // namespace

std::u16string FolderFromPointerText(std::u16string_view text) {
    std::u16string_view line = text.substr(0, text.find_first_of(u"\r\n"));
    while (!line.empty() && IsBlank(line.front())) line.remove_prefix(1);
    // "D:\Notes \" is "D:\Notes": the blanks and separators at the end go together.
    const auto endsBadly = [](std::u16string_view rest) {
        if (rest.empty()) return false;
        return IsBlank(rest.back()) || (IsSeparator(rest.back()) && rest.size() > 1 && !IsDriveRoot(rest));
    };
    while (endsBadly(line)) line.remove_suffix(1);
    return std::u16string(line);
}

std::u16string WithoutEndSeparators(std::u16string_view path) {
    while (path.size() > 1 && IsSeparator(path.back()) && !IsDriveRoot(path)) path.remove_suffix(1);
    return std::u16string(path);
}

bool IsFullFolderPath(std::u16string_view path) {
    const bool driveLetter = path.size() >= 3 && IsLetter(path[0]) && path[1] == u':' && IsSeparator(path[2]);
    const bool network = path.size() >= 3 && IsSeparator(path[0]) && IsSeparator(path[1]) && !IsSeparator(path[2]);
    return driveLetter || network;
}

bool BelongsWithTheNotes(std::u16string_view relativePath) {
    if (relativePath.empty() || EndsWith(relativePath, u".tmp")) return false;
    const std::size_t separator = relativePath.find(u'\\');
    if (separator == std::u16string_view::npos) return SameName(relativePath, u"categories.txt");
    const std::u16string_view folder = relativePath.substr(0, separator);
    const std::u16string_view name = relativePath.substr(separator + 1);
    const bool folderOfTheNotes = std::any_of(std::begin(kFoldersOfTheNotes), std::end(kFoldersOfTheNotes),
                                              [&](std::u16string_view known) { return SameName(folder, known); });
    return folderOfTheNotes && !name.empty() && name.find(u'\\') == std::u16string_view::npos;
}
