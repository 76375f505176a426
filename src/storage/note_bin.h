// The bin of deleted notes (storage/core/bin_rules.h): putting a note's file
// there, listing it, taking a file back out, and removing for good what has
// been there for 30 days.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "storage/core/bin_rules.h"
#include "storage/core/note_record.h"

// Takes a note's file out of the notes folder: into the bin when it holds
// something (text or entries), deleted when it holds nothing, as a note
// that never held anything leaves nothing behind. True when the file is no
// longer in the notes folder (or was not there); false when it could not be
// read, moved or deleted (held by another program): it then stays where it
// is and the failure is recorded.
[[nodiscard]] bool MoveNoteFileToBin(std::uint64_t id, const Moment& now);

struct BinItem {
    std::u16string fileName;  // in BinDirectory()
    BinName name;
    NoteFields fields;  // what the file holds
};

// The notes in the bin, the most recently deleted first; files that cannot
// be read are left out.
std::vector<BinItem> ListBin();

// Moves a file of the bin back into the notes folder, byte for byte, as the
// note it was; under a new id when `idTaken` (a note of that id is shown
// again) or its file is there again. True with its note file's name when
// it is there.
[[nodiscard]] bool TakeBackFromBin(const std::u16string& fileName, bool idTaken, std::u16string& noteFileName);

// Removes for good the files that have been in the bin for 30 days.
void RemoveExpiredBinFiles(const Moment& now);
