// The one place the program reads the clock; everything else is given the
// time as a value.
#pragma once

#include "entries/core/due_text.h"

// The current local date and time, to the minute.
DueParts LocalNow();
