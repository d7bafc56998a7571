// The settings store on Windows: the registry under HKEY_CURRENT_USER. Strings are
// stored as UTF-16 (REG_SZ), so values written in a legacy code page still read right.
#include "base/win32/Handles.h"
#include "base/win32/Wide.h"
#include "base/win32/WinInclude.h"
#include "platform/Settings.h"

namespace pv {

namespace {

class RegistryKey final : public SettingsKey {
public:
    explicit RegistryKey(UniqueKey key) : key_(std::move(key)) {}

    std::optional<uint32_t> ReadDword(const std::string& name) const override {
        auto v = ReadRaw(name);
        if (!v || v->type != ValueType::Dword || v->data.size() != 4) {
            return std::nullopt;
        }
        return static_cast<uint32_t>(v->data[0]) | static_cast<uint32_t>(v->data[1]) << 8 |
               static_cast<uint32_t>(v->data[2]) << 16 | static_cast<uint32_t>(v->data[3]) << 24;
    }

    std::optional<std::string> ReadString(const std::string& name) const override {
        std::wstring wname = Widen(name);
        DWORD type = 0;
        DWORD size = 0;
        if (RegQueryValueExW(key_.get(), wname.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
            (type != REG_SZ && type != REG_EXPAND_SZ)) {
            return std::nullopt;
        }
        std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
        DWORD got = static_cast<DWORD>(text.size() * sizeof(wchar_t));
        if (RegQueryValueExW(key_.get(), wname.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &got) !=
            ERROR_SUCCESS) {
            return std::nullopt;
        }
        text.resize(got / sizeof(wchar_t));
        if (auto zero = text.find(L'\0'); zero != std::wstring::npos) {
            text.resize(zero);
        }
        return Narrow(text);
    }

    std::optional<RawValue> ReadRaw(const std::string& name) const override {
        std::wstring wname = Widen(name);
        DWORD type = 0;
        DWORD size = 0;
        if (RegQueryValueExW(key_.get(), wname.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
            return std::nullopt;
        }
        RawValue v;
        v.type = static_cast<ValueType>(type);
        v.data.resize(size);
        if (size != 0 &&
            RegQueryValueExW(key_.get(), wname.c_str(), nullptr, &type, v.data.data(), &size) != ERROR_SUCCESS) {
            return std::nullopt;
        }
        v.data.resize(size);
        return v;
    }

    bool WriteDword(const std::string& name, uint32_t value) override {
        DWORD v = value;
        return RegSetValueExW(key_.get(), Widen(name).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v),
                              sizeof v) == ERROR_SUCCESS;
    }

    bool WriteString(const std::string& name, const std::string& value) override {
        std::wstring w = Widen(value);
        return RegSetValueExW(key_.get(), Widen(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(w.c_str()),
                              static_cast<DWORD>((w.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
    }

    bool WriteBinary(const std::string& name, const std::vector<uint8_t>& value) override {
        return RegSetValueExW(key_.get(), Widen(name).c_str(), 0, REG_BINARY, value.data(),
                              static_cast<DWORD>(value.size())) == ERROR_SUCCESS;
    }

    bool DeleteValue(const std::string& name) override {
        return RegDeleteValueW(key_.get(), Widen(name).c_str()) == ERROR_SUCCESS;
    }

private:
    UniqueKey key_;
};

}  // namespace

std::unique_ptr<SettingsKey> OpenSettingsKey(const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, Widen(path).c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) {
        return nullptr;
    }
    return std::make_unique<RegistryKey>(UniqueKey(key));
}

std::unique_ptr<SettingsKey> CreateSettingsKey(const std::string& path) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, Widen(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return nullptr;
    }
    return std::make_unique<RegistryKey>(UniqueKey(key));
}

void ResetMemorySettingsForTests() {}

}  // namespace pv
