// Each feature registers the frame commands it carries out, from its own file.
#pragma once

#include <memory>

namespace pv {

class CMainFrame;
class CommandTable;
class PictureFeatures;
class KeywordFeature;

// New, Open, Save As, Exit, the auto-browse option, Help and About.
void RegisterFileCommands(CMainFrame& frame, CommandTable& table);
// Zoom, scaling filter, fit to window, bars, full screen, Toggle, Resize and the effects.
void RegisterViewCommands(CMainFrame& frame, CommandTable& table);
// Next, Previous and Begin.
void RegisterListCommands(CMainFrame& frame, CommandTable& table);
// Thumbnails, Report, Select All, Clear All Selections, the sort keys and the sort dialog.
void RegisterThumbCommands(CMainFrame& frame, CommandTable& table);
// Associations and the file-manager choice (the options dialog), go to the file manager.
void RegisterShellCommands(CMainFrame& frame, CommandTable& table);
// Folders, the recent files and their drop-down.
void RegisterSearchCommands(CMainFrame& frame, CommandTable& table);
// Copy, Paste, Capture, Set As Wallpaper, Page Setup, Print and Print Preview; the frame keeps
// what they share and calls it from its layout, messages and end.
// Save Files List, Open Files List, Copy Selected Files and Delete Selected Files.
void RegisterSelectedFilesCommands(CMainFrame& frame, CommandTable& table);
std::unique_ptr<PictureFeatures> RegisterPictureCommands(CMainFrame& frame, CommandTable& table);

// Keywords and Names List, the keyword bar, the word pane's commands and its close button.
std::unique_ptr<KeywordFeature> RegisterKeywordCommands(CMainFrame& frame, CommandTable& table);

}  // namespace pv
