// Reminder toasts: small translucent always-on-top windows stacked from the
// top-right corner of the work area, oldest on top. A toast closes when it is
// clicked or after 30 seconds, and the toasts below it move up.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "base/colour.h"

constexpr wchar_t kToastWindowClass[] = L"QuillboardToast";

// Timer 1 closes the toast; timer 2 puts it back on top of windows that
// became topmost after it.
constexpr UINT_PTR kToastCloseTimerId = 1;
constexpr UINT_PTR kToastTopmostTimerId = 2;

// Shows a toast with the title and the text, its accent bar in the colour,
// below the open toasts (closing the oldest when the stack is full), then
// plays the notification sound when it is enabled. True when the toast is
// on the screen; false when its window or its image could not be made, and
// then nothing changed: no toast closed, no sound.
bool ShowToast(const std::u16string& title, const std::u16string& text, ColourRef accentColour);

// How many toasts the stack shows at once on the screen a new toast goes to.
int ToastStackCapacity();

// The open toasts, oldest first: a toast's index is its slot in the stack.
const std::vector<HWND>& OpenToasts();
