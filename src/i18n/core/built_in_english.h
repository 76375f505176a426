// The English translation compiled into the program.
#pragma once

#include "i18n/core/translation.h"

// Stores every built-in English pair into the table, replacing the value of a
// key that is already there.
void FillBuiltInEnglish(TranslationTable& table);
