// What the resource scripts need from the Windows headers (style and type constants),
// brought in here so the scripts themselves name no Windows header.
#pragma once

// clang-format off
#include <winuser.h>
#include <winver.h>
#include <commctrl.h>
// clang-format on

#include "base/ResourceIds.h"
