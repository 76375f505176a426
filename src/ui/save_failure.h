// Telling the user that something could not be written to the disk.
#pragma once

#include <windows.h>

#include <string>

// Why a save failed, as the user reads it: the system's own words for the
// error, or the translated "Erreur" and its number when the system has none.
std::u16string SaveFailureReason(unsigned long error);

// A warning over `owner`: the French sentence `what` names what was not
// saved ("Les catégories n'ont pas pu être enregistrées."), then the reason,
// then that the change stays in place and is tried again.
void WarnNotSaved(HWND owner, const char16_t* what, unsigned long error);
