#include "storage/category_storage.h"

#include "storage/categories_file.h"
#include "storage/data_directory.h"
#include "storage/text_files.h"

namespace {

std::u16string CategoriesFilePath() {
    return DataFilePath(u"categories.txt");
}

// The categories file is decoded without dropping a byte-order mark: a file
// that starts with one loses its first line, as it always has.
std::u16string ReadCategoriesText() {
    const Bytes bytes = ReadFileBytes(CategoriesFilePath());
    std::u16string text = DecodeUtf8(bytes);
    if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) text.insert(text.begin(), u'\xFEFF');
    return text;
}

}  // namespace

CategoryStore& Categories() {
    static CategoryStore store;
    return store;
}

void LoadCategories() {
    Categories() = ParseCategoriesFile(ReadCategoriesText());
}

bool SaveCategories() {
    return WriteFileAtomic(CategoriesFilePath(), EncodeUtf8(FormatCategoriesFile(Categories())));
}
