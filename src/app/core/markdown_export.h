// Every note as one Markdown file (/export on the command line), readable as
// it is and in any Markdown viewer:
//
//   # Travail                           a heading per category, in the store's order,
//                                       when it holds a note
//   Appeler Marc au 06 12 34 56 78␠␠    the notes filed under the category itself first,
//   avant vendredi                      oldest first; each line of a text kept as a line
//
//   ---                                 between two notes of the same heading
//
//   Second note
//
//   ## Réunions                         then each subcategory's notes under its own heading
//
//   - [ ] Préparer l'ordre du jour (2025-03-14 09:30)    a scheduled note's entries as a
//   - [x] Envoyer le compte rendu (2025-03-10)           task list, in the note's order,
//   - [ ] Réserver la salle                              ticked when done, with their date
//
//   # Non-catégorisé                    the notes filed under no category, last
//
// Details: lines end with CR LF, and the file with one; every line of a
// note's text but its last ends with two spaces, Markdown's line break; a
// blank line stays one blank line (runs of them, and blank lines around the
// text, are dropped); trailing white space is dropped; a line that would
// read as a heading or a rule ('#' first, or only '-', '=', '*', '_') starts
// with a backslash. Due dates are year-month-day and the hour, which is left
// out at midnight (a date typed without an hour). A note with nothing to
// show (a blank text, no entry) is left out; a file without a note is empty.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "storage/core/category_store.h"
#include "storage/core/note_record.h"

struct ExportedNote {
    std::uint64_t id = 0;  // its order: older notes first
    NoteProperties properties;
    std::u16string text;
};

std::u16string NotesAsMarkdown(const std::vector<ExportedNote>& notes, const CategoryStore& store);
