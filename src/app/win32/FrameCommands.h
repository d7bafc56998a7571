// Each feature registers the frame commands it carries out, from its own file.
#pragma once

#include <memory>

namespace pv {

class CMainFrame;
class CommandTable;
class ShellFeatures;

// New, Open, Save As, Exit, the auto-browse option, Help and About.
void RegisterFileCommands(CMainFrame& frame, CommandTable& table);
// Zoom, scaling filter, fit to window, bars, full screen, Toggle, Resize and the effects.
void RegisterViewCommands(CMainFrame& frame, CommandTable& table);
// Next, Previous, Begin and the sort keys.
void RegisterListCommands(CMainFrame& frame, CommandTable& table);
// Copy, Paste, Capture, Set As Wallpaper, Page Setup, Print and Print Preview; the frame keeps
// what they share and calls it from its layout, messages and end.
std::unique_ptr<ShellFeatures> RegisterShellCommands(CMainFrame& frame, CommandTable& table);

}  // namespace pv
