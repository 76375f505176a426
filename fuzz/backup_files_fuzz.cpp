// Reads arbitrary backup manifests and bin and backup names: a manifest that
// reads writes back to the very same files, and a name that reads is the
// name its parts give.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_text.h"
#include "storage/core/backup_rules.h"
#include "storage/core/bin_rules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string text = TextFromInput(data, size);
    if (const auto files = ParseManifest(text)) {
        Check(ParseManifest(FormatManifest(*files)) == files);
        (void)NoteFileCount(*files);
    }
    if (const auto name = ParseBackupFolderName(text)) Check(BackupFolderName(*name) == text);
    if (const auto name = ParseBinFileName(text)) Check(BinFileName(*name) == text);
    (void)FirstLineOf(text);
    return 0;
}
