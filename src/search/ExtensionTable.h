// The 36 extensions the search and association dialogs offer. Process-wide: the checked
// flags keep the last state shown in a dialog.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace pv {

struct ExtensionRow {
    int32_t checked;
    int32_t typeId;
    int32_t mediaKind;        // 0 picture, 1 QuickTime, 2 MIDI, 3 MPEG, 4 Windows media, 5 sound
    const char* extension;    // upper case, no dot
    const char* description;  // as the dialogs show it, leading blank included
};

inline constexpr size_t kExtensionCount = 36;

extern std::array<ExtensionRow, kExtensionCount> ExtensionTable;

}  // namespace pv
