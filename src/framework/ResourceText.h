// Texts from the program's string table. A command's string is "status prompt\ntool tip"; the
// tool tip is everything after the first line break and may itself span several lines.
#pragma once

#include <string>

#include "framework/WinInclude.h"

namespace pv {

// The string resource id of the running module, or empty.
std::wstring LoadResourceString(UINT id);
// The first line of a command's string: what the status bar says while a menu item is selected.
std::wstring CommandPrompt(UINT commandId);
// What follows the first line break; empty when there is none.
std::wstring CommandToolTip(UINT commandId);

}  // namespace pv
