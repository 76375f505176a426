// The text of a note file as the program writes it, for tests that store a
// note or compare a saved one byte for byte. Each field starts at what a
// new note has; a test names only what its note has otherwise.
#pragma once

#include <string>
#include <vector>

struct NoteFileLines {
    int x = 120;
    int y = 120;
    int width = 240;
    int height = 200;
    std::string colour = "FFF6A0";  // RRGGBB, as after "COLOR=#"
    int category = 0;
    int subcategory = 0;
    int pinned = 0;
    int dock = 0;
    int lastDock = 0;
    int type = 0;
    std::vector<std::string> entries{};  // each as after "ENTRY|"
    std::string body{};
};

// Every header line in the program's order, the entry lines, "---", then the
// body, lines ending with CR LF.
std::string NoteFileText(const NoteFileLines& note);
