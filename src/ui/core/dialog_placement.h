// Where a dialog goes: wholly inside the work area of its owner's monitor,
// so that no button of it is ever off the screen.
#pragma once

#include "base/rect.h"

// The desired rectangle moved (never resized) so that it lies inside the
// work area: pushed left and up when it passes the right or bottom edge,
// then right and down when it passes the left or top edge, so that the
// top-left corner wins when the dialog is larger than the work area.
Rect KeepInsideWorkArea(const Rect& desired, const Rect& workArea);
