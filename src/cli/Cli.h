// pictavo-cli: a developer tool over the portable core, used by tests, benchmarks and
// acceptance checks. Each subcommand is one function of the argument list.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "search/ExtensionTable.h"

namespace pv::cli {

// Exit codes shared by every subcommand.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

using Args = std::vector<std::string>;

// Runs the tool; args[0] is the subcommand. Paths arrive as the host gives them.
int Run(const Args& args);

int RunDecode(const Args& args);
int RunSearchCommand(const Args& args);
int RunFolderCommand(const Args& args);
int RunRender(const Args& args);
int RunThumb(const Args& args);
int RunThumbs(const Args& args);

// Checks the extension table's rows named in a comma-separated list ("JPG,GIF"; both WAV
// rows for "WAV"); false, with a message, for a name the table does not hold.
bool CheckExtensionRows(const std::string& list, std::array<bool, kExtensionCount>& checked);

}  // namespace pv::cli
