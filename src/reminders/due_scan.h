// The due-entry scan, run at start-up and every 30 seconds: each entry of a
// scheduled note whose minute has come, not done and not yet announced, is
// announced once by a toast. The same scan repaints every note when the day
// has changed since the previous one.
#pragma once

#include "entries/core/due_text.h"

// The scan at the local time now: ScanDueEntriesAt(LocalNow()).
void ScanDueEntries();

// The scan at a given local time. The day-change repaint always runs; the
// announcements do not while a modal dialog runs (the first scan after it
// closes makes them). An entry is marked notified only once its toast is on
// the screen, so one that could not be shown is tried again at the next
// scan; a note with an entry marked is saved once, after its entries. One
// scan announces at most as many entries as the toast stack shows at once,
// oldest due first; the rest wait for the next scans.
void ScanDueEntriesAt(const DueParts& now);
