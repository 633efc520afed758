// The uninstall procedure: confirmation, the removal phases, restart question.
#pragma once

#include "win32.h"

// The module instance, set by WinMain before UninstallProduct runs; used to
// load the texts of the message boxes.
extern HINSTANCE g_hInstance;

// Asks whether to uninstall; on Yes removes the product and then asks whether
// to restart Windows, requesting the restart on Yes. Always returns 0.
int UninstallProduct();
