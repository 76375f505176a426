// Resource ids, shared by quillboard.rc and the C++ code. Plain macros only:
// the resource compiler reads this file too.
#ifndef QUILLBOARD_RESOURCE_IDS_H
#define QUILLBOARD_RESOURCE_IDS_H

// The program icon: the tray icon, the executable's icon in Explorer.
#define IDI_QUILLBOARD 101

// The 1024 x 1024 PNG logo drawn on the splash window (an RT_RCDATA blob).
#define IDR_LOGO_BMP 102

#endif
