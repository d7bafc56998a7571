#include "shell/Associations.h"

#include "base/Text.h"

namespace pv {

namespace {

constexpr size_t kMaxShellString = 251;
constexpr size_t kMaxDoubledType = 255;
constexpr size_t kFlagBytes = 4;

}  // namespace

AssociationStrings AssociationStringsFor(std::string_view programPath) {
    const std::string path(programPath);
    return {path + ",1", "\"" + path + "\" \"%1\""};
}

std::string ExpandShellCommand(std::string_view command, std::string_view file) {
    std::string out;
    for (size_t i = 0; i < command.size(); ++i) {
        if (command[i] == '%' && i + 1 < command.size() && command[i + 1] == '1') {
            out += file;
            ++i;
        } else {
            out += command[i];
        }
    }
    return out;
}

std::vector<KeyDefault> TypeKeyPlan(std::string_view type, const AssociationStrings& strings) {
    const std::string t(type);
    return {{t, t},
            {t + "\\DefaultIcon", strings.icon},
            {t + "\\Shell\\Open\\Command", strings.command},
            {t + "\\Shell\\" + std::string(kViewVerb) + "\\Command", strings.command}};
}

std::string DottedKeyOf(std::string_view type) {
    std::string key = ".";
    for (char c : type) {
        key += AsciiLower(c);
    }
    return key;
}

bool MayTakeDefault(std::string_view currentDefault, std::string_view type) {
    return currentDefault.empty() || EqualsNoCase(currentDefault, type);
}

bool FitsAssociationLengths(std::string_view type, const AssociationStrings& strings) {
    return strings.command.size() <= kMaxShellString && strings.icon.size() <= kMaxShellString &&
           2 * type.size() <= kMaxDoubledType;
}

std::vector<std::string> TickedTypes(const std::array<bool, kExtensionCount>& ticks) {
    std::vector<std::string> types;
    for (size_t i = 0; i < kExtensionCount; ++i) {
        if (ticks[i]) {
            types.emplace_back(ExtensionTable[i].extension);
        }
    }
    return types;
}

std::vector<uint8_t> PackAssociationList(const std::array<bool, kExtensionCount>& ticks) {
    std::vector<uint8_t> block(kExtensionCount * kFlagBytes, 0);
    for (size_t i = 0; i < kExtensionCount; ++i) {
        block[i * kFlagBytes] = ticks[i] ? 1 : 0;
    }
    return block;
}

std::array<bool, kExtensionCount> UnpackAssociationList(const std::optional<RawValue>& stored) {
    std::array<bool, kExtensionCount> ticks{};
    if (!stored || stored->type != ValueType::Binary || stored->data.size() != kExtensionCount * kFlagBytes) {
        return ticks;
    }
    for (size_t i = 0; i < kExtensionCount; ++i) {
        const uint8_t* f = &stored->data[i * kFlagBytes];
        const uint32_t flag = f[0] | (uint32_t{f[1]} << 8) | (uint32_t{f[2]} << 16) | (uint32_t{f[3]} << 24);
        ticks[i] = flag == 1;
    }
    return ticks;
}

std::string KeptDefaultsText(const std::vector<std::string>& dottedKeys) {
    std::string list;
    for (const std::string& k : dottedKeys) {
        list += (list.empty() ? "" : ", ") + k;
    }
    return "Another program opens " + list +
           " files now; it stays their default.\nPictavo was added to their \"Open with\" list, where you can "
           "choose it.";
}

}  // namespace pv
