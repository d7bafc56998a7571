// pictavo-cli: a developer tool over the portable core, used by tests, benchmarks and
// acceptance checks. Each subcommand is one function of the argument list.
#pragma once

#include <string>
#include <vector>

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

}  // namespace pv::cli
