// Windows headers for the framework layer and the window code, with the program's settings.
#pragma once

#include <commctrl.h>
#include <windowsx.h>

#include "base/win32/WinInclude.h"
