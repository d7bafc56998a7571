// Native settings store: keys in memory for the life of the process. Natively the store
// only serves tests and the command-line tool; the real program keeps its settings in
// the Windows registry.
#include <map>
#include <mutex>

#include "platform/Settings.h"

namespace pv {

namespace {

using Values = std::map<std::string, RawValue>;

struct Store {
    std::mutex mutex;
    std::map<std::string, Values> keys;
};

Store& GetStore() {
    static Store store;
    return store;
}

std::string KeyName(const std::string& path) {
    std::string k = path;
    for (char& c : k) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return k;
}

class MemoryKey final : public SettingsKey {
public:
    explicit MemoryKey(std::string name) : name_(std::move(name)) {}

    std::optional<uint32_t> ReadDword(const std::string& name) const override {
        auto v = ReadRaw(name);
        if (!v || v->type != ValueType::Dword || v->data.size() != 4) {
            return std::nullopt;
        }
        return static_cast<uint32_t>(v->data[0]) | static_cast<uint32_t>(v->data[1]) << 8 |
               static_cast<uint32_t>(v->data[2]) << 16 | static_cast<uint32_t>(v->data[3]) << 24;
    }

    std::optional<std::string> ReadString(const std::string& name) const override {
        auto v = ReadRaw(name);
        if (!v || v->type != ValueType::String) {
            return std::nullopt;
        }
        std::string s(v->data.begin(), v->data.end());
        if (auto zero = s.find('\0'); zero != std::string::npos) {
            s.resize(zero);
        }
        return s;
    }

    std::optional<RawValue> ReadRaw(const std::string& name) const override {
        Store& store = GetStore();
        std::lock_guard lock(store.mutex);
        auto key = store.keys.find(name_);
        if (key == store.keys.end()) {
            return std::nullopt;
        }
        auto value = key->second.find(KeyName(name));
        if (value == key->second.end()) {
            return std::nullopt;
        }
        return value->second;
    }

    bool WriteDword(const std::string& name, uint32_t value) override {
        return Write(name, {ValueType::Dword,
                            {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                             static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)}});
    }

    bool WriteString(const std::string& name, const std::string& value) override {
        RawValue v{ValueType::String, std::vector<uint8_t>(value.begin(), value.end())};
        v.data.push_back(0);
        return Write(name, std::move(v));
    }

    bool WriteBinary(const std::string& name, const std::vector<uint8_t>& value) override {
        return Write(name, {ValueType::Binary, value});
    }

    bool DeleteValue(const std::string& name) override {
        Store& store = GetStore();
        std::lock_guard lock(store.mutex);
        return store.keys[name_].erase(KeyName(name)) != 0;
    }

private:
    bool Write(const std::string& name, RawValue value) {
        Store& store = GetStore();
        std::lock_guard lock(store.mutex);
        store.keys[name_][KeyName(name)] = std::move(value);
        return true;
    }

    std::string name_;
};

}  // namespace

std::unique_ptr<SettingsKey> OpenSettingsKey(const std::string& path) {
    Store& store = GetStore();
    std::lock_guard lock(store.mutex);
    if (store.keys.find(KeyName(path)) == store.keys.end()) {
        return nullptr;
    }
    return std::make_unique<MemoryKey>(KeyName(path));
}

std::unique_ptr<SettingsKey> CreateSettingsKey(const std::string& path) {
    Store& store = GetStore();
    std::lock_guard lock(store.mutex);
    store.keys[KeyName(path)];
    return std::make_unique<MemoryKey>(KeyName(path));
}

void ResetMemorySettingsForTests() {
    Store& store = GetStore();
    std::lock_guard lock(store.mutex);
    store.keys.clear();
}

}  // namespace pv
