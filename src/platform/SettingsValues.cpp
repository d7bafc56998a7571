#include "platform/SettingsValues.h"

namespace pv {

bool ReadDwordInto(const SettingsKey& key, const std::string& name, int32_t& value) {
    if (std::optional<uint32_t> v = key.ReadDword(name)) {
        value = static_cast<int32_t>(*v);
        return true;
    }
    return false;
}

bool ReadStringInto(const SettingsKey& key, const std::string& name, std::string& value, size_t bufferBytes) {
    std::optional<std::string> v = key.ReadString(name);
    if (!v || v->size() + 1 > bufferBytes) {
        return false;
    }
    value = std::move(*v);
    return true;
}

std::optional<std::vector<uint8_t>> ReadBinaryExact(const SettingsKey& key, const std::string& name, size_t size) {
    std::optional<RawValue> raw = key.ReadRaw(name);
    if (!raw || raw->type != ValueType::Binary || raw->data.size() != size) {
        return std::nullopt;
    }
    return std::move(raw->data);
}

uint16_t LoadU16(const std::vector<uint8_t>& data, size_t at) {
    return static_cast<uint16_t>(data[at] | data[at + 1] << 8);
}

uint32_t LoadU32(const std::vector<uint8_t>& data, size_t at) {
    return static_cast<uint32_t>(data[at]) | static_cast<uint32_t>(data[at + 1]) << 8 |
           static_cast<uint32_t>(data[at + 2]) << 16 | static_cast<uint32_t>(data[at + 3]) << 24;
}

void StoreU16(std::vector<uint8_t>& data, uint16_t value) {
    data.push_back(static_cast<uint8_t>(value));
    data.push_back(static_cast<uint8_t>(value >> 8));
}

void StoreU32(std::vector<uint8_t>& data, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        data.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
}

std::string FirstCharLower(std::string text) {
    if (!text.empty() && text[0] >= 'A' && text[0] <= 'Z') {
        text[0] = static_cast<char>(text[0] - 'A' + 'a');
    }
    return text;
}

}  // namespace pv
