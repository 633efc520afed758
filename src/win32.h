// The Win32 declarations the program uses. The host unit tests put a test
// double of the same name earlier on the include path.
#pragma once
#include <windows.h>
