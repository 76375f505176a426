#include "app/data_folder_at_start.h"

#include <windows.h>

#include <string>

#include "i18n/core/translation.h"
#include "settings/language_choice.h"
#include "storage/core/data_folder_rules.h"
#include "storage/data_directory.h"
#include "win/wide.h"

namespace {

bool FolderIsThere(const StartFolder& found) {
    return found.state == StartFolderState::Default || found.state == StartFolderState::Chosen;
}

void AddLine(std::u16string& text, const char16_t* french) {
    text += Translate(french);
    text += u'\n';
}

std::u16string MessageText(const StartFolder& found) {
    std::u16string text;
    AddLine(text, found.state == StartFolderState::PointerUnreadable
                      ? u"Le fichier qui indique le dossier des notes ne peut pas être lu :"
                      : u"Le dossier des notes est introuvable ou ne peut pas être lu :");
    text += u'\n';
    text += found.folder;
    text += u"\n\n";
    AddLine(text, u"Un disque débranché, un dossier de synchronisation pas encore prêt ? Quillboard n'écrit aucune "
                  u"note ailleurs, pour ne pas séparer vos notes en deux.");
    text += u'\n';
    AddLine(text, u"Réessayer : chercher le dossier de nouveau.");
    AddLine(text, u"Annuler : quitter Quillboard sans rien écrire.");
    text += u'\n';
    AddLine(text, u"Pour revenir au dossier habituel, supprimez ce fichier :");
    text += u'\n';
    return text + MachineFilePath(kDataFolderPointerFile);
}

bool UserWantsToTryAgain(const StartFolder& found) {
    const int answer = MessageBoxW(nullptr, Wide(MessageText(found)), L"Quillboard",
                                   MB_RETRYCANCEL | MB_ICONWARNING | MB_TOPMOST | MB_SETFOREGROUND);
    return answer == IDRETRY;
}

}  // namespace

bool WaitForDataFolder(StartFolder& found) {
    if (FolderIsThere(found)) return true;
    while (!FolderIsThere(found)) {
        if (!UserWantsToTryAgain(found)) return false;
        found = ReadDataFolderChoice();
    }
    // The translation files live in the data folder, which was not there
    // when the language was chosen.
    ChooseLanguageAtStart();
    return true;
}
