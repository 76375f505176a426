// A translation table of the test's own, bound while the object lives: empty
// (French) until the test fills it, and gone with the test.
#pragma once

#include "base/state_slot.h"
#include "i18n/core/translation.h"

class FreshTranslations {
public:
    TranslationTable& Table() { return table_; }

private:
    TranslationTable table_;
    StateBinding<TranslationTable> binding_{table_};
};
