// GDI+ is started once per process, by whichever comes first (the splash or
// the note window class), and never shut down: windows that draw with it
// live until the process ends.
#pragma once

// Starts GDI+ if it is not running yet. False when it could not be started;
// drawing code then skips its anti-aliased parts.
bool EnsureGdiplusStarted();
