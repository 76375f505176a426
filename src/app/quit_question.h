// Quitting without losing what could not be saved.
#pragma once

#include <windows.h>

// Saves every note and every unsaved file. When something still could not be
// written and `mayAsk`, asks the user (over `owner`) whether to try again,
// quit anyway or stay, naming what is unsaved; asks again after each failed
// retry. True when the program should end now. Without `mayAsk` (the
// installer's request) it never waits on the user and returns true.
bool ReadyToQuit(HWND owner, bool mayAsk);

// Every note and every unsaved file whose last save failed, tried again: the
// 30-second timer's safety net.
void RetryFailedSaves();
