#include "storage/category_storage.h"

#include <windows.h>

#include "storage/core/categories_file.h"
#include "storage/data_directory.h"
#include "storage/text_files.h"
#include "storage/unsaved_files.h"
#include "win/failure_log.h"
#include "win/wide.h"

namespace {

constexpr char16_t kCategoriesFileName[] = u"categories.txt";

std::u16string CategoriesFilePath() {
    return DataFilePath(kCategoriesFileName);
}

bool FileExists(const std::u16string& path) {
    return GetFileAttributesW(Wide(path)) != INVALID_FILE_ATTRIBUTES;
}

// The categories file is decoded without dropping a byte-order mark: a file
// that starts with one loses its first line, as it always has.
std::u16string DecodeCategoriesText(const Bytes& bytes) {
    std::u16string text = DecodeUtf8(bytes);
    if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) text.insert(text.begin(), u'\xFEFF');
    return text;
}

}  // namespace

CategoryStore& Categories() {
    return CurrentStorageState().categories;
}

CategoriesFileState LoadCategories() {
    const std::u16string path = CategoriesFilePath();
    Bytes bytes;
    if (TryReadFileBytes(path, bytes)) {
        Categories() = ParseCategoriesFile(DecodeCategoriesText(bytes));
        CurrentStorageState().categoriesFile = CategoriesFileState::Read;
    } else {
        Categories() = CategoryStore{};
        const DWORD error = GetLastError();
        const bool exists = FileExists(path);
        if (exists) RecordFailure(u"categories file cannot be read yet", path, error);
        CurrentStorageState().categoriesFile = exists ? CategoriesFileState::Unreadable : CategoriesFileState::Missing;
    }
    return CurrentStorageState().categoriesFile;
}

bool CategoriesFileRead() {
    return CurrentStorageState().categoriesFile != CategoriesFileState::Unreadable;
}

bool RetryUnreadCategoriesFile() {
    if (CategoriesFileRead()) return false;
    return LoadCategories() != CategoriesFileState::Unreadable;
}

bool SaveCategories() {
    if (!CategoriesFileRead()) return false;
    const bool saved = WriteFileAtomic(CategoriesFilePath(), EncodeUtf8(FormatCategoriesFile(Categories())));
    RecordFileSave(kCategoriesFileName, SaveCategories, saved, saved ? 0 : GetLastError());
    if (!saved) return false;
    CurrentStorageState().categoriesFile = CategoriesFileState::Read;
    return true;
}
