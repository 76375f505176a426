// The stack of reminder toasts in the top-right corner of a work area: how
// many fit, which old ones make room for a new one, and where each slot lies.
// A toast's slot is its index in the list of open toasts, oldest first; slot 0
// is the top one. After a toast closes, the one at index i moves to slot i.
#pragma once

#include <cstdint>

#include "base/rect.h"

constexpr std::int32_t kToastWidth = 310;
constexpr std::int32_t kToastHeight = 76;

// How many toasts stack in the work area's height below the top margin;
// at least 1, so that a new toast always has a slot.
int ToastCapacity(const Rect& workArea);

// How many of the oldest toasts close before a new one is added, so that at
// most capacity - 1 remain and the new one takes a free slot.
int ToastsToEvict(int currentCount, int capacity);

// The rectangle of the toast in a slot: 12 pixels from the work area's right
// and top edges, slots 84 pixels apart. It always lies wholly inside the work
// area: where the work area is too narrow or too short, or the slot lies
// below its bottom, the toast slides toward the left or top edge (the margins
// give way first), and only a work area smaller than a toast cuts the
// rectangle to the work area's size.
Rect ToastSlotRect(const Rect& workArea, int slot);

// The top-left corner of ToastSlotRect: where a toast is moved when the stack
// closes up.
Point ToastSlotOrigin(const Rect& workArea, int slot);
