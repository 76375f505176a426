// Steps the end-to-end tests share.
#pragma once

#include "quillboard_process.h"

// Chooses "Quitter" through the tray window and expects the program to end
// with exit code 0.
void QuitThroughTray(QuillboardProcess& program);
