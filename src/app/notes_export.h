// /export on the command line: every note of the data folder, read from its
// file, written as one Markdown file (app/core/markdown_export.h). Changes
// nothing in the data folder, and needs no copy of the program to run: the
// files are what the running copy saved.
#pragma once

#include <string>

#include "storage/data_folder_choice.h"

// Writes the file and returns the exit code (new_note_handoff.h), having
// told the user what went wrong, if anything. A file inside the data folder
// is refused: it could take the place of one of the program's own files.
int ExportNotes(const std::u16string& file, const StartFolder& dataFolder);
