// "Go to the file manager": which program starts, with what, in which folder.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pv {

// The FileManager choice: the options dialog's radio buttons, in order.
enum FileManagerChoice : int32_t {
    kExplorer = 0,
    kTotalCommander = 1,
    kFarManager = 2
};

struct FileManagerStart {
    std::string name;  // as the user knows the program
    std::string program;
    std::string parameters;
    std::string folder;  // the working folder: the file's folder, "\" kept
};

// What starts for `choice` on the file `fullPath`; nothing for an unknown choice. Explorer
// gets the file selected (quoted: blanks and commas in it are its own); Total Commander
// opens the file's folder in an already running instance; FAR starts in that folder.
std::optional<FileManagerStart> FileManagerStartFor(int32_t choice, std::string_view fullPath);

// Said when the program could not be started: the frame then stays open.
std::string FileManagerFailedText(const FileManagerStart& start);

}  // namespace pv
