// Resource ids and the program version, shared by quillboard.rc and the C++
// code. Plain macros only: the resource compiler reads this file too.
#ifndef QUILLBOARD_RESOURCE_IDS_H
#define QUILLBOARD_RESOURCE_IDS_H

// The program icon: the tray icon, the executable's icon in Explorer.
#define IDI_QUILLBOARD 101

// The 1024 x 1024 PNG logo drawn on the splash window (an RT_RCDATA blob).
#define IDR_LOGO_PNG 102

#define QB_VERSION_MAJOR 1
#define QB_VERSION_MINOR 0
#define QB_VERSION_PATCH 0
#define QB_VERSION_BUILD 0
#define QB_VERSION_STRING "1.0.0"

#endif
