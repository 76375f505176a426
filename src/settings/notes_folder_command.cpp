#include "settings/notes_folder_command.h"

#include <algorithm>
#include <string>

#include "i18n/core/translation.h"
#include "notes/note_loading.h"
#include "notes/note_passes.h"
#include "notes/note_sync.h"
#include "settings/language_choice.h"
#include "storage/core/data_folder_rules.h"
#include "storage/data_directory.h"
#include "storage/data_folder_move.h"
#include "storage/unsaved_files.h"
#include "ui/folder_picker.h"
#include "ui/save_failure.h"
#include "win/wide.h"

namespace {

struct ProblemText {
    MoveProblem problem;
    const char16_t* text;  // French source, shown through Translate
    bool withReason;       // followed by the system's words for the error
};

constexpr ProblemText kProblemTexts[] = {
    {MoveProblem::NotAFolder, u"Le dossier choisi n'existe pas ou ne peut pas être lu :", false},
    {MoveProblem::Overlaps, u"Le dossier choisi et le dossier actuel sont l'un dans l'autre :", false},
    {MoveProblem::CannotRead, u"Ce fichier ne peut pas être lu :", true},
    {MoveProblem::CannotWrite, u"Ce fichier ne peut pas être écrit :", true},
    {MoveProblem::CopyDiffers, u"La copie de ce fichier ne correspond pas à l'original :", false},
    {MoveProblem::FileClash, u"Le dossier choisi contient déjà ce fichier, avec un autre contenu :", false},
    {MoveProblem::PointerNotSaved, u"Le choix du dossier ne peut pas être enregistré :", true},
};

std::u16string Text(const char16_t* french) {
    return Translate(french);
}

void Tell(HWND owner, const std::u16string& text, UINT icon) {
    MessageBoxW(owner, Wide(text), L"Quillboard", icon | MB_TOPMOST);
}

void TellMoved(HWND owner, const std::u16string& oldFolder) {
    Tell(owner,
         Text(u"Les notes ont été copiées et vérifiées ; elles sont maintenant enregistrées dans :") + u"\n\n" +
             DataDirectory() + u"\n\n" +
             Text(u"L'ancien dossier n'a pas été modifié, et Quillboard ne l'utilise plus :") + u"\n\n" + oldFolder,
         MB_ICONINFORMATION);
}

void TellNotMoved(HWND owner, const MoveResult& result) {
    std::u16string text = Text(u"Les notes n'ont pas été déplacées ; rien n'a changé.") + u"\n\n";
    const auto found = std::find_if(std::begin(kProblemTexts), std::end(kProblemTexts),
                                    [&](const ProblemText& entry) { return entry.problem == result.problem; });
    if (found != std::end(kProblemTexts)) text += Text(found->text) + u"\n\n";
    text += result.file;
    if (found == std::end(kProblemTexts) || found->withReason) {
        text += u"\n\n" + Text(u"Raison :") + u" " + SaveFailureReason(result.error);
    }
    Tell(owner, text, MB_ICONWARNING);
}

bool AnythingUnsaved() {
    const auto& files = UnsavedFiles();
    const bool categories = std::any_of(files.begin(), files.end(),
                                        [](const UnsavedFile& file) { return file.name == u"categories.txt"; });
    return categories || CountFailedNoteSaves().count > 0;
}

bool UserTakesTheNotesThere(HWND owner, const std::u16string& folder, const std::u16string& oldFolder) {
    const std::u16string question =
        Text(u"Le dossier choisi contient déjà des notes de Quillboard :") + u"\n\n" + folder +
        u"\n\n" + Text(u"Oui : utiliser les notes de ce dossier. Celles affichées maintenant n'y sont pas copiées ; "
                       u"elles restent telles quelles dans :") +
        u"\n\n" + oldFolder + u"\n\n" +
        Text(u"Non : ne rien changer (pour y déplacer les notes affichées, choisissez un dossier sans notes).");
    return MessageBoxW(owner, Wide(question), L"Quillboard",
                       MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2 | MB_TOPMOST) == IDYES;
}

// The notes on the screen give way to those of the folder, once the old
// folder holds everything they showed.
bool SwitchToTheNotesThere(HWND owner, const std::u16string& folder) {
    SaveAllNotes();  // their windows close: the old folder must hold what they showed
    if (AnythingUnsaved()) {
        Tell(owner,
             Text(u"Des notes ou les catégories n'ont pas pu être enregistrées : le dossier n'a pas été changé, pour "
                  u"ne pas les perdre."),
             MB_ICONWARNING);
        return false;
    }
    if (!UseFolderWithItsNotes(folder)) {
        const unsigned long error = GetLastError();
        TellNotMoved(owner, {MoveOutcome::Failed, MoveProblem::PointerNotSaved,
                             MachineFilePath(kDataFolderPointerFile), error});
        return false;
    }
    ReloadNotesFromDataFolder(GetModuleHandleW(nullptr));
    return true;
}

}  // namespace

bool ChangeNotesFolder(HWND owner) {
    std::u16string picked;
    if (!PickFolder(owner, Text(u"Choisir le dossier des notes"), DataDirectory(), picked)) return false;
    const std::u16string oldFolder = DataDirectory();
    // No save first: the old folder stays byte for byte as it was, and the
    // notes on the screen save to the new folder from now on, as they always
    // save (a change not yet saved reaches the new folder only).
    const MoveResult result = MoveDataFolder(picked);
    bool changed = false;
    switch (result.outcome) {
        case MoveOutcome::Moved:
            TellMoved(owner, oldFolder);
            changed = true;
            break;
        case MoveOutcome::TargetHoldsNotes:
            changed = UserTakesTheNotesThere(owner, FullFolderPath(picked), oldFolder) &&
                      SwitchToTheNotesThere(owner, picked);
            break;
        case MoveOutcome::Failed:
            TellNotMoved(owner, result);
            break;
        case MoveOutcome::SameFolder:
            break;
    }
    if (changed) {
        EnumerateLanguages();       // the translation files of the new folder
        StartWatchingDataFolder();  // changes made there by others show at once
    }
    return changed;
}
