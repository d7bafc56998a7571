// The command line of Pictavo.exe: one optional file or folder, maybe in quotes.
#pragma once

#include <string>
#include <string_view>

namespace pv {

// What follows the program name: a quoted name is skipped up to and including its
// closing quote, an unquoted one up to the first character of code 32 or below; then
// every character of code 1 to 32 is skipped.
std::string_view CommandTailFrom(std::string_view commandLine);

// The path an argument names: a leading quote is dropped and the text cut at the next
// quote (further words are ignored); unquoted text is taken whole, blanks included.
std::string ArgumentPath(std::string_view tail);

enum class ArgumentKind {
    File,
    Folder
};

struct ArgumentTarget {
    ArgumentKind kind = ArgumentKind::File;
    std::string fullPath;  // the argument made a full path (the text itself if that failed)
};

// File or folder: a folder is a path whose listing finds at least one entry, or a drive
// root ("X:\") that cannot be listed. Everything else, an empty folder included, is a
// file (the file road reports what it cannot read).
ArgumentTarget DecideArgument(std::string_view tail);

// True for "X:\" exactly.
bool IsDriveRoot(std::string_view fullPath);

}  // namespace pv
