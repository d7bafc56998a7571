#include "shell/ShellSettings.h"

#include <memory>

#include "platform/Settings.h"
#include "shell/Associations.h"

namespace pv {

std::array<bool, kExtensionCount> ReadAssociationList() {
    std::unique_ptr<SettingsKey> key = OpenSettingsKey(kProgramKey);
    return UnpackAssociationList(key ? key->ReadRaw("AssociationList") : std::nullopt);
}

void WriteAssociationList(const std::array<bool, kExtensionCount>& ticks) {
    if (std::unique_ptr<SettingsKey> key = CreateSettingsKey(kProgramKey)) {
        key->WriteBinary("AssociationList", PackAssociationList(ticks));
    }
}

int32_t ReadFileManager() {
    std::unique_ptr<SettingsKey> key = OpenSettingsKey(kProgramKey);
    return key ? static_cast<int32_t>(key->ReadDword("FileManager").value_or(0)) : 0;
}

void WriteFileManager(int32_t choice) {
    if (std::unique_ptr<SettingsKey> key = CreateSettingsKey(kProgramKey)) {
        key->WriteDword("FileManager", static_cast<uint32_t>(choice));
    }
}

}  // namespace pv
