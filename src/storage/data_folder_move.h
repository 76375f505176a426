// Moving the notes to another folder: every file that belongs with them is
// copied, each copy is checked byte for byte against its source, and only
// then does the program switch to the new folder. The old folder is left as
// it was; a failure leaves everything as it was.
#pragma once

#include <string>

enum class MoveOutcome {
    Moved,             // copied, checked, switched
    SameFolder,        // the folder chosen is the data folder already: nothing to do
    TargetHoldsNotes,  // the folder already holds notes (synced from another machine): nothing done
    Failed,            // nothing changed; MoveResult says why
};

enum class MoveProblem {
    None,
    NotAFolder,      // `file` is not a folder that can be listed
    Overlaps,        // one folder lies inside the other, where a copy would write into the old folder
    CannotRead,      // `file` could not be read (`error`)
    CannotWrite,     // `file` could not be written (`error`)
    CopyDiffers,     // the copy `file` does not hold the bytes of its source
    FileClash,       // `file` already exists in the folder chosen, with other bytes
    PointerNotSaved, // the choice could not be recorded (`error`)
};

struct MoveResult {
    MoveOutcome outcome = MoveOutcome::Failed;
    MoveProblem problem = MoveProblem::None;
    std::u16string file{};
    unsigned long error = 0;
};

// The folder as a full path without a separator at its end (but for a
// drive's root), as it is compared and recorded.
std::u16string FullFolderPath(const std::u16string& folder);

// Moves the notes' files from the data folder to `folder` (see the top of
// this file), as they are on the disk; the notes on the screen save to the
// new folder afterwards, as they always save. A folder that already holds
// notes is not written to: its notes are not the ones on the screen
// (UseFolderWithItsNotes).
[[nodiscard]] MoveResult MoveDataFolder(const std::u16string& folder);

// Whether a folder already holds Quillboard's notes: a categories file or a
// note file.
bool HoldsNotes(const std::u16string& folder);

// Switches to a folder that already holds notes, copying nothing: records
// the choice and makes it the data folder. False (GetLastError() tells why)
// when the choice could not be recorded; nothing changed then.
[[nodiscard]] bool UseFolderWithItsNotes(const std::u16string& folder);
