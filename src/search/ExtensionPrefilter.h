// A 1024-entry table that rules out most names with one lookup before any string compare:
// entry h is set when a selected extension's first three characters hash to h.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace pv {

class ExtensionPrefilter {
public:
    static constexpr size_t kSize = 1024;

    // The hash of an extension's first three characters (missing ones count as 0), taken as
    // 8-bit values: (c3 + 4 * (c2 + 2 * (c1 mod 64))) mod 1024.
    static constexpr uint32_t Hash(unsigned char c1, unsigned char c2, unsigned char c3) {
        return (c3 + 4u * (c2 + 2u * (c1 % 64u))) % 1024u;
    }

    // The hash of an extension text as given (the selected texts are upper case already).
    static uint32_t HashOf(std::string_view extension);
    // The hash of a name's extension, its characters upper-cased by the platform first.
    static uint32_t HashOfUpper(std::string_view extension);

    void Clear() { flags_.fill(0); }

    void Add(std::string_view extension) { flags_[HashOf(extension)] = 1; }

    [[nodiscard]] bool MayMatch(std::string_view extension) const { return flags_[HashOfUpper(extension)] != 0; }

private:
    std::array<uint32_t, kSize> flags_{};
};

}  // namespace pv
