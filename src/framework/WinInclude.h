// Windows headers for the framework layer and the window code, with the program's settings.
#pragma once

// windows.h first: the control headers build on it.
// clang-format off
#include "base/win32/WinInclude.h"

#include <commctrl.h>
#include <windowsx.h>
// clang-format on
