// Each feature registers the frame commands it carries out, from its own file.
#pragma once

namespace pv {

class CMainFrame;
class CommandTable;

// New, Open, Save As, Exit, the auto-browse option, Help and About.
void RegisterFileCommands(CMainFrame& frame, CommandTable& table);
// Zoom, scaling filter, fit to window, bars, full screen, Toggle, Resize and the effects.
void RegisterViewCommands(CMainFrame& frame, CommandTable& table);
// Next, Previous, Begin and the sort keys.
void RegisterListCommands(CMainFrame& frame, CommandTable& table);
// Folders, the recent files and their drop-down.
void RegisterSearchCommands(CMainFrame& frame, CommandTable& table);

}  // namespace pv
