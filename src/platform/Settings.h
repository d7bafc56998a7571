// A registry-shaped settings store: keys under the current user holding named values
// with types. On Windows it is the registry; natively an in-memory store (tests set it up).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace pv {

enum class ValueType : uint32_t {
    String = 1,
    Binary = 3,
    Dword = 4
};

struct RawValue {
    ValueType type = ValueType::Binary;
    std::vector<uint8_t> data;
};

class SettingsKey {
public:
    SettingsKey() = default;
    SettingsKey(const SettingsKey&) = delete;
    SettingsKey& operator=(const SettingsKey&) = delete;
    virtual ~SettingsKey() = default;

    // A 32-bit number; nothing when missing or of another type or length.
    [[nodiscard]] virtual std::optional<uint32_t> ReadDword(const std::string& name) const = 0;
    // A string value without its terminating zero; nothing when missing or not a string.
    [[nodiscard]] virtual std::optional<std::string> ReadString(const std::string& name) const = 0;
    // Any value with its stored type and length.
    [[nodiscard]] virtual std::optional<RawValue> ReadRaw(const std::string& name) const = 0;

    virtual bool WriteDword(const std::string& name, uint32_t value) = 0;
    virtual bool WriteString(const std::string& name, const std::string& value) = 0;
    virtual bool WriteBinary(const std::string& name, const std::vector<uint8_t>& value) = 0;
    virtual bool DeleteValue(const std::string& name) = 0;
};

// The program's key under the current user.
inline constexpr const char* kProgramKey = "Software\\Norel\\Pictavo";

// Opens a key under the current user for reading; null when it does not exist.
std::unique_ptr<SettingsKey> OpenSettingsKey(const std::string& path);
// Opens a key for writing, creating it (and its parents) when missing; null on failure.
std::unique_ptr<SettingsKey> CreateSettingsKey(const std::string& path);

// Native only: forgets every key, so each test starts from an empty store.
void ResetMemorySettingsForTests();

}  // namespace pv
