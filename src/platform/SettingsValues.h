// Typed reads and writes over a SettingsKey in the one pattern every caller wants: a reader
// overwrites its variable only when the stored value has the expected type and shape, so the
// variable keeps its default otherwise; a writer never reports failure (a value that cannot
// be stored is simply not stored).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Settings.h"

namespace pv {

// A 32-bit number into `value`; true when it was read.
bool ReadDwordInto(const SettingsKey& key, const std::string& name, int32_t& value);
// A string into `value` when it fits a buffer of `bufferBytes` bytes with its terminating
// zero (a longer one is refused whole, never cut); true when it was read.
bool ReadStringInto(const SettingsKey& key, const std::string& name, std::string& value, size_t bufferBytes);
// A binary value of exactly `size` bytes; nothing for any other type or length.
std::optional<std::vector<uint8_t>> ReadBinaryExact(const SettingsKey& key, const std::string& name, size_t size);

// Little-endian 16- and 32-bit fields of a binary value.
uint16_t LoadU16(const std::vector<uint8_t>& data, size_t at);
uint32_t LoadU32(const std::vector<uint8_t>& data, size_t at);
void StoreU16(std::vector<uint8_t>& data, uint16_t value);
void StoreU32(std::vector<uint8_t>& data, uint32_t value);

// The program's stored paths (OpenFile, TreeFullPath) carry their first character in lower
// case: a path on drive C is stored as "c:\...". Only an ASCII letter changes; a first byte
// of a multi-byte character is left alone.
std::string FirstCharLower(std::string text);

// The recent-files list's key: "Recent Document List" under the program's MRU key.
inline constexpr const char* kRecentFilesKey = "Software\\Norel\\Pictavo\\MRU\\Recent Document List";

}  // namespace pv
