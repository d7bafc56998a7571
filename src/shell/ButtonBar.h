// Total Commander's button bar: Pictavo adds itself as a button once per user, so the file
// manager can hand it the folder and file under the cursor.
#pragma once

#include <string>
#include <string_view>

namespace pv {

// Where Total Commander keeps its bar, as Pictavo expects it.
inline constexpr std::string_view kTotalCommanderBar = "C:\\WINCMD\\default.bar";

enum class BarOutcome {
    Rewritten,       // the new text holds Pictavo's button
    AlreadyPresent,  // the bar mentions Pictavo already: left as it is
    NotUnderstood    // no Buttoncount, or no key of its last button: left as it is
};

struct BarRewrite {
    BarOutcome outcome = BarOutcome::NotUnderstood;
    std::string text;  // the whole new bar when rewritten
};

// The bar with Pictavo's button (icon and program `programPath`, parameters %P%N, start
// folder `folder`). When the last button is an empty gap, Pictavo takes its place and a new
// gap closes the bar; a real last button is kept and Pictavo follows it, again closed by a
// gap. Everything else keeps its bytes and its line ends (CR LF or LF).
BarRewrite AddPictavoButton(std::string_view bar, std::string_view programPath, std::string_view folder);

// Reads the bar at `barPath`, adds the button and replaces the file as a whole (a failure
// never leaves it cut); then TotalComm = 1. A missing or unreadable bar, one that mentions
// Pictavo, or one not understood changes nothing and leaves TotalComm as it is, so a later
// start tries again.
BarOutcome InstallTotalCommanderButton(const std::string& barPath,
                                       std::string_view programPath,
                                       std::string_view folder);

}  // namespace pv
