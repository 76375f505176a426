#include "storage/category_storage.h"

#include <windows.h>

#include <utility>

#include "storage/core/categories_file.h"
#include "storage/data_directory.h"
#include "storage/text_files.h"
#include "storage/unsaved_files.h"
#include "win/failure_log.h"
#include "win/random_number.h"
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
    StorageState& state = CurrentStorageState();
    Bytes bytes;
    FileVersion version;
    if (ReadFileWithVersion(path, bytes, version)) {
        state.categories = ParseCategoriesFile(DecodeCategoriesText(bytes));
        state.categoriesFile = CategoriesFileState::Read;
    } else {
        state.categories = CategoryStore{};
        const DWORD error = GetLastError();
        const bool exists = FileExists(path);
        if (exists) RecordFailure(u"categories file cannot be read yet", path, error);
        state.categoriesFile = exists ? CategoriesFileState::Unreadable : CategoriesFileState::Missing;
    }
    state.categoriesVersion = version;
    return state.categoriesFile;
}

bool CategoriesFileRead() {
    return CurrentStorageState().categoriesFile != CategoriesFileState::Unreadable;
}

bool RetryUnreadCategoriesFile() {
    if (CategoriesFileRead()) return false;
    return LoadCategories() != CategoriesFileState::Unreadable;
}

namespace {

bool SavesPending() {
    for (const UnsavedFile& file : UnsavedFiles()) {
        if (file.name == kCategoriesFileName) return true;
    }
    return false;
}

// Their categories, read from a file, merged into ours; false when the file
// cannot be read.
bool MergeFromFile(const std::u16string& path, FileVersion* version) {
    Bytes bytes;
    FileVersion read;
    if (!ReadFileWithVersion(path, bytes, read)) return false;
    StorageState& state = CurrentStorageState();
    CategoryMerge merge = MergeCategoryStores(state.categories, ParseCategoriesFile(DecodeCategoriesText(bytes)),
                                              NextCategoryIdSpread());
    state.categories = std::move(merge.store);
    state.filingMoves.insert(state.filingMoves.end(), merge.moves.begin(), merge.moves.end());
    if (version) *version = read;
    return true;
}

}  // namespace

bool SaveCategories() {
    if (!CategoriesFileRead()) return false;
    const std::u16string path = CategoriesFilePath();
    StorageState& state = CurrentStorageState();
    const FileVersion now = FileVersionOf(path);
    if (now.exists && now != state.categoriesVersion) (void)MergeFromFile(path, nullptr);
    FileVersion written;
    const bool saved = WriteFileAtomic(path, EncodeUtf8(FormatCategoriesFile(state.categories)), &written);
    RecordFileSave(kCategoriesFileName, SaveCategories, saved, saved ? 0 : GetLastError());
    if (!saved) return false;
    state.categoriesFile = CategoriesFileState::Read;
    state.categoriesVersion = written;
    return true;
}

bool CatchUpWithOutsideCategories() {
    const std::u16string path = CategoriesFilePath();
    StorageState& state = CurrentStorageState();
    const FileVersion now = FileVersionOf(path);
    if (now == state.categoriesVersion || !CategoriesFileRead()) return false;
    if (!now.exists) {
        // Deleted outside: the store stays, and is written back only with
        // the next change of its own.
        state.categoriesVersion = now;
        return false;
    }
    if (!SavesPending()) return LoadCategories() == CategoriesFileState::Read;
    FileVersion read;
    if (!MergeFromFile(path, &read)) return false;
    state.categoriesVersion = read;
    (void)SaveCategories();  // our changes, now with theirs
    return true;
}

bool MergeCategoriesClashCopy(const std::u16string& fileName) {
    if (!CategoriesFileRead()) return false;
    const std::u16string path = DataFilePath(fileName);
    if (!MergeFromFile(path, nullptr)) return false;
    if (!SaveCategories()) return true;  // the copy stays until the merge is saved
    if (!DeleteFileW(Wide(path))) RecordFailure(u"cannot remove a merged clash copy", path, GetLastError());
    return true;
}

std::vector<FilingMove> TakeFilingMoves() {
    return std::exchange(CurrentStorageState().filingMoves, {});
}

std::uint32_t NextCategoryIdSpread() {
    const IdSpreadSource source = CurrentStorageState().categoryIdSpread;
    return source ? source() : RandomNumber();
}
