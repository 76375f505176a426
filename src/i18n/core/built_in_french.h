// The French shown on screen, compiled into the program.
#pragma once

#include "i18n/core/translation.h"

// Stores every built-in French pair into the table, replacing the value of a
// key that is already there. The keys are the program's source texts, some
// of them written without accents long ago and kept so that translation
// files keep working; the values are French as a French reader expects it,
// with a no-break space before ":", ";", "?" and "!".
void FillBuiltInFrench(TranslationTable& table);
