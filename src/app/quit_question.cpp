#include "app/quit_question.h"

#include <string>

#include "app/step_trace.h"
#include "i18n/core/translation.h"
#include "notes/note_passes.h"
#include "storage/core/lenient_number.h"
#include "storage/unsaved_files.h"
#include "ui/save_failure.h"
#include "win/wide.h"

namespace {

constexpr char16_t kCategoriesFileName[] = u"categories.txt";

struct Unsaved {
    FailedNoteSaves notes;
    bool categories = false;
    bool settings = false;  // shortcuts, sound or language
    unsigned long firstError = 0;

    bool Any() const { return notes.count > 0 || categories || settings; }
};

Unsaved FindUnsaved() {
    Unsaved unsaved;
    unsaved.notes = CountFailedNoteSaves();
    unsaved.firstError = unsaved.notes.firstError;
    for (const UnsavedFile& file : UnsavedFiles()) {
        (file.name == kCategoriesFileName ? unsaved.categories : unsaved.settings) = true;
        if (unsaved.firstError == 0) unsaved.firstError = file.error;
    }
    return unsaved;
}

std::u16string NotesLine(int count) {
    if (count == 1) return Translate(u"Une note n'a pas pu être enregistrée.");
    std::u16string line = Translate(u"%1 notes n'ont pas pu être enregistrées.");
    const std::size_t mark = line.find(u"%1");
    if (mark != std::u16string::npos) line.replace(mark, 2, DecimalText(count));
    return line;
}

std::u16string QuestionText(const Unsaved& unsaved) {
    std::u16string text;
    if (unsaved.notes.count > 0) text += NotesLine(unsaved.notes.count) + u"\n";
    if (unsaved.categories) text += std::u16string(Translate(u"Les catégories n'ont pas pu être enregistrées.")) + u"\n";
    if (unsaved.settings) text += std::u16string(Translate(u"Les paramètres n'ont pas pu être enregistrés.")) + u"\n";
    text += std::u16string(Translate(u"Raison :")) + u" " + SaveFailureReason(unsaved.firstError) + u"\n\n";
    text += std::u16string(Translate(u"Réessayer : les enregistrer de nouveau.")) + u"\n";
    text += std::u16string(Translate(u"Continuer : quitter quand même (les modifications non enregistrées seront "
                                     u"perdues).")) + u"\n";
    text += Translate(u"Annuler : ne pas quitter.");
    return text;
}

}  // namespace

bool ReadyToQuit(HWND owner, bool mayAsk) {
    for (;;) {
        TraceStep("quit: saving");
        SaveAllNotes();
        RetryUnsavedFiles();
        TraceStep("quit: saved");
        const Unsaved unsaved = FindUnsaved();
        if (!unsaved.Any() || !mayAsk) return true;
        const int answer = MessageBoxW(owner, Wide(QuestionText(unsaved)), L"Quillboard",
                                       MB_CANCELTRYCONTINUE | MB_ICONWARNING | MB_DEFBUTTON2 | MB_TOPMOST |
                                           MB_SETFOREGROUND);
        if (answer == IDCONTINUE) return true;
        if (answer != IDTRYAGAIN) return false;
    }
}

void RetryFailedSaves() {
    RetryFailedNoteSaves();
    RetryUnsavedFiles();
}
