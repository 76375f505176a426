// Reads an arbitrary command line and checks that what it asks for is
// whole: a problem always has its text, a new note has a text that is not
// blank, an export has its file, and the request handed to the running copy
// decodes to what was encoded. Then searches a note holding the same text
// with a query taken from it, and checks that every place the search shows
// lies inside the note's text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/core/command_line.h"
#include "app/core/new_note_request.h"
#include "fuzz_text.h"
#include "search/core/note_matching.h"

namespace {

void CheckCommand(const Command& command) {
    switch (command.kind) {
    case CommandKind::Invalid:
        Check(command.problem != nullptr);
        break;
    case CommandKind::NewNote:
        Check(!command.text.empty() && command.file.empty());
        break;
    case CommandKind::Export:
        Check(!command.file.empty() && command.text.empty() && command.category.empty());
        break;
    case CommandKind::Start:
        Check(command.text.empty() && command.file.empty() && command.category.empty());
        break;
    }
    // The category travels before the first U+0000, which the command line
    // cannot hold.
    if (command.category.find(u'\0') != std::u16string::npos) return;
    const NewNoteRequest request{command.text, command.category};
    Check(DecodeNewNoteRequest(EncodeNewNoteRequest(request)) == request);
}

void CheckFolding(const std::u16string& text) {
    const FoldedText folded = FoldText(text);
    Check(folded.origin.size() == folded.text.size());
    for (std::size_t i = 0; i < folded.origin.size(); ++i) {
        Check(folded.origin[i] < text.size());
        Check(i == 0 || folded.origin[i - 1] <= folded.origin[i]);
    }
}

void CheckSearch(const std::u16string& text, const std::u16string& query) {
    const SearchableNote note = MakeSearchableNote(NoteProperties{}, text, CategoryStore{}, 1);
    for (const NoteMatch& match : FindNotes({note}, query)) {
        for (const WordHit& hit : match.hits) {
            Check(hit.field < note.fields.size());
            Check(hit.start < hit.end && hit.end <= note.fields[hit.field].source.size());
        }
        MatchedWords(note, match);
        FirstLine(note);
        CaretHit(note, match);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string text = TextFromInput(data, size);
    const std::vector<std::u16string> arguments = CommandLineArguments(text);
    CheckCommand(ParseCommand(arguments));
    CheckFolding(text);
    CheckSearch(text, arguments.empty() ? std::u16string() : arguments.back());
    return 0;
}
