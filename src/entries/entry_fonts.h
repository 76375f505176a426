// The fonts of the entry editor and the picker's hour and minute fields.
// Created on first use and never freed: they live as long as the process.
#pragma once

#include <windows.h>

// The 18-pixel "Segoe UI" font of the editor's text field; the stock GUI
// font when it cannot be created.
HFONT EntryTextFont();

// The 14-pixel "Segoe UI" font of the date, hour and minute fields; the
// stock GUI font when it cannot be created.
HFONT FieldFont();
