// What the resource scripts need from the Windows headers (style and type constants),
// brought in here so the scripts themselves name no Windows header.
#pragma once

#include <commctrl.h>
#include <winuser.h>
#include <winver.h>

#include "base/ResourceIds.h"
