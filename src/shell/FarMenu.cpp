#include "shell/FarMenu.h"

#include <memory>

#include "platform/Settings.h"

namespace pv {

namespace {

// FAR numbers its items without gaps; a menu this long is not one to extend.
constexpr int kMaxFarItems = 1000;

}  // namespace

std::string FarCommandFor(std::string_view programPath) {
    return "\"" + std::string(programPath) + "\" \"!\\!.!\"";
}

FarOutcome InstallFarMenuEntry(std::string_view programPath) {
    const std::string menu(kFarMainMenuKey);
    if (!OpenSettingsKey(menu)) {
        return FarOutcome::NoFar;
    }
    FarOutcome outcome = FarOutcome::NoFreeSlot;
    for (int i = 0; i < kMaxFarItems; ++i) {
        const std::string item = menu + "\\Item" + std::to_string(i);
        std::unique_ptr<SettingsKey> existing = OpenSettingsKey(item);
        if (existing) {
            if (existing->ReadString("Label").value_or(std::string()) == kFarLabel) {
                outcome = FarOutcome::Found;
                break;
            }
            continue;
        }
        std::unique_ptr<SettingsKey> key = CreateSettingsKey(item);
        if (!key) {
            return FarOutcome::NoFreeSlot;
        }
        key->WriteString("Command0", FarCommandFor(programPath));
        key->WriteString("HotKey", "F2");
        key->WriteString("Label", std::string(kFarLabel));
        key->WriteDword("SubMenu", 0);
        outcome = FarOutcome::Written;
        break;
    }
    if (outcome == FarOutcome::NoFreeSlot) {
        return outcome;
    }
    if (std::unique_ptr<SettingsKey> key = CreateSettingsKey(kProgramKey)) {
        key->WriteDword("FarComm", 1);
    }
    return outcome;
}

}  // namespace pv
