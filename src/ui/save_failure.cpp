#include "ui/save_failure.h"

#include "i18n/core/translation.h"
#include "storage/core/lenient_number.h"
#include "win/system_error.h"
#include "win/wide.h"

std::u16string SaveFailureReason(unsigned long error) {
    const std::u16string systemText = SystemErrorText(error);
    if (!systemText.empty()) return systemText;
    return std::u16string(Translate(u"Erreur")) + u" " + DecimalText(error);
}

void WarnNotSaved(HWND owner, const char16_t* what, unsigned long error) {
    const std::u16string message = std::u16string(Translate(what)) + u"\n\n" + Translate(u"Raison :") + u" " +
                                   SaveFailureReason(error) + u"\n\n" +
                                   Translate(u"La modification reste en place ; Quillboard réessaiera de l'enregistrer "
                                             u"toutes les 30 secondes et avant de quitter.");
    MessageBoxW(owner, Wide(message), L"Quillboard", MB_ICONWARNING | MB_TOPMOST);
}
