// What the restore window's lists show, one row a note or a backup, as
// columns separated by tabs: the window draws each column in its place.
#pragma once

#include <string>

#include "storage/core/backup_rules.h"
#include "storage/core/category_store.h"
#include "storage/core/moment.h"
#include "storage/core/note_record.h"

// A note: its first line (the translated "(note vide)" when it has none; a
// scheduled note's first entry stands in for its text), its category as
// the store names it, and a moment (when it was deleted, or last changed).
std::u16string NoteRowText(const NoteFields& fields, const CategoryStore& categories, const Moment& moment);

// A backup: when it was made, its number of notes, and "avant restauration"
// for the notes as they were before a whole day was restored.
std::u16string BackupRowText(const BackupName& name, int noteCount);
