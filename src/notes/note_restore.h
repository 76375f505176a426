// Bringing notes back: one from the bin, one from a backup, or the whole of
// a backup in place of the notes of now.
#pragma once

#include <string>

#include "storage/backups.h"
#include "storage/core/moment.h"

// Puts a note of the bin back on the desktop where it was: its file back in
// the notes folder byte for byte, its window as the file places it (under a
// new id when a note of its id is there again). True when it shows.
[[nodiscard]] bool RestoreFromBin(const std::u16string& binFileName);

// One note of a backup as a new note beside the current ones, never over
// one of them: a new id, floating where it was (a little aside when the note
// it was a copy of is still there). True when it shows and is saved.
[[nodiscard]] bool RestoreNoteFromBackup(const Backup& backup, const std::u16string& path);

enum class WholeRestore {
    Done,
    // The notes of now could not be backed up first: nothing was changed.
    UndoNotSaved,
    // Some file could not be written: the notes shown are those on the disk.
    Incomplete,
};

// The notes and categories of a backup in place of those of now. Every note
// is saved and the notes of now are first backed up on their own (named for
// `now`, "avant-restauration"), so that the restore itself can be undone;
// notes that the backup does not hold go into the bin. The note windows are
// then made again from the files.
WholeRestore RestoreWholeBackup(const Backup& backup, const Moment& now);
