// The one place the program reads the clock; everything else is given the
// time as a value.
#pragma once

#include <cstdint>

#include "entries/core/due_text.h"
#include "storage/core/moment.h"

// The current local date and time, to the minute.
DueParts LocalNow();

// The same, as the bin and the backups count it.
Moment LocalMoment();

// A file time (UTC, in the file system's 100-nanosecond units) as the local
// moment it was; the zero moment when it cannot be converted.
Moment LocalMomentOfFileTime(std::uint64_t fileTime);
