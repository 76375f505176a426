// Reads arbitrary "dossier.txt" text: the folder it names is one line, and
// written back as the pointer it names the very same folder again.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_text.h"
#include "storage/core/data_folder_rules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string folder = FolderFromPointerText(TextFromInput(data, size));
    Check(folder.find_first_of(u"\r\n") == std::u16string::npos);
    Check(FolderFromPointerText(folder) == folder);
    Check(WithoutEndSeparators(folder) == folder);
    (void)IsFullFolderPath(folder);
    return 0;
}
