// FAR Manager's user menu: Pictavo adds "Browse with Pictavo" once per user, so FAR can hand
// it the folder and file under the cursor.
#pragma once

#include <string>
#include <string_view>

namespace pv {

inline constexpr std::string_view kFarMainMenuKey = "Software\\Far\\UserMenu\\MainMenu";
inline constexpr std::string_view kFarLabel = "Browse with Pictavo";

// The command FAR runs: the program and FAR's "current folder, file name" symbols, both
// quoted so that blanks in either arrive whole.
std::string FarCommandFor(std::string_view programPath);

enum class FarOutcome {
    NoFar,    // FAR's menu key is missing: nothing written, FarComm stays 0
    Found,    // the entry is there already
    Written,  // the entry was written into the first free ItemN
    NoFreeSlot
};

// Looks through Item0, Item1, ... for the entry; writes it into the first free slot when
// missing. FarComm = 1 when the entry was found or written.
FarOutcome InstallFarMenuEntry(std::string_view programPath);

}  // namespace pv
