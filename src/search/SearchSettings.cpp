#include "search/SearchSettings.h"

#include <memory>

#include "platform/SettingsValues.h"

namespace pv {

namespace {

// The byte sizes of the buffers the values are read into, terminating zero included.
constexpr size_t kTitlePatternBytes = 128;
constexpr size_t kSortedStringBytes = 64;
constexpr size_t kSizeTextBytes = 14;
constexpr size_t kTreePathBytes = 260;

void ReadDate(const SettingsKey& key, const char* name, std::optional<DateTime>& value) {
    if (auto bytes = ReadBinaryExact(key, name, 16)) {
        // A date the picker would refuse is no date: the picker keeps its own.
        if (std::optional<DateTime> d = DateTimeFromBytes(*bytes); d && FileTimeOf(*d)) {
            value = d;
        }
    }
}

}  // namespace

ExtensionChecks ReadExtensionChecks(const ExtensionChecks& current) {
    std::unique_ptr<SettingsKey> key = OpenSettingsKey(kProgramKey);
    if (!key) {
        return current;
    }
    std::optional<std::vector<uint8_t>> flags = ReadBinaryExact(*key, "ExtensList", 4 * kExtensionCount);
    if (!flags) {
        return current;
    }
    ExtensionChecks checks{};
    for (size_t i = 0; i < kExtensionCount; ++i) {
        checks[i] = LoadU32(*flags, 4 * i) == 1;
    }
    return checks;
}

void WriteExtensionChecks(const ExtensionChecks& checks) {
    std::unique_ptr<SettingsKey> key = CreateSettingsKey(kProgramKey);
    if (!key) {
        return;
    }
    std::vector<uint8_t> flags;
    for (bool checked : checks) {
        StoreU32(flags, checked ? 1 : 0);
    }
    key->WriteBinary("ExtensList", flags);
}

void ReadSearchValues(SearchDialogValues& v, SearchDialogKind kind) {
    std::unique_ptr<SettingsKey> key = OpenSettingsKey(kProgramKey);
    if (!key) {
        return;
    }
    ReadDwordInto(*key, "CheckInclude", v.checkInclude);
    ReadDwordInto(*key, "CheckSize", v.checkSize);
    ReadDwordInto(*key, "CheckDate", v.checkDate);
    if (kind == SearchDialogKind::Tree) {
        ReadDwordInto(*key, "CheckTitle", v.checkTitle);
        ReadStringInto(*key, "TreeFullPath", v.treeFullPath, kTreePathBytes);
    } else {
        ReadDwordInto(*key, "CheckRunAuto", v.checkRunAuto);
    }
    ReadStringInto(*key, "TitlePattern", v.titlePattern, kTitlePatternBytes);
    ReadStringInto(*key, "SortedString", v.sortedString, kSortedStringBytes);
    ReadStringInto(*key, "MinSize", v.minSize, kSizeTextBytes);
    ReadStringInto(*key, "MaxSize", v.maxSize, kSizeTextBytes);
    ReadDate(*key, "DateFrom", v.dateFrom);
    ReadDate(*key, "DateTo", v.dateTo);
}

void WriteSearchValues(const SearchDialogValues& v, SearchDialogKind kind, const DateTime& from, const DateTime& to) {
    std::unique_ptr<SettingsKey> key = CreateSettingsKey(kProgramKey);
    if (!key) {
        return;
    }
    key->WriteDword("CheckInclude", static_cast<uint32_t>(v.checkInclude));
    if (kind == SearchDialogKind::Tree) {
        key->WriteDword("CheckTitle", static_cast<uint32_t>(v.checkTitle));
    }
    key->WriteDword("CheckSize", static_cast<uint32_t>(v.checkSize));
    key->WriteDword("CheckDate", static_cast<uint32_t>(v.checkDate));
    if (kind == SearchDialogKind::Browse) {
        key->WriteDword("CheckRunAuto", static_cast<uint32_t>(v.checkRunAuto));
    }
    key->WriteBinary("DateFrom", DateTimeBytes(from));
    key->WriteBinary("DateTo", DateTimeBytes(to));
    key->WriteString("SortedString", v.sortedString);
    key->WriteString("MinSize", v.minSize);
    key->WriteString("MaxSize", v.maxSize);
    key->WriteString("TitlePattern", v.titlePattern);
}

void WriteTreeFullPath(const std::string& path) {
    if (std::unique_ptr<SettingsKey> key = CreateSettingsKey(kProgramKey)) {
        key->WriteString("TreeFullPath", path);
    }
}

std::optional<DialogRect> ReadFolderRect() {
    std::unique_ptr<SettingsKey> key = OpenSettingsKey(kProgramKey);
    if (!key) {
        return std::nullopt;
    }
    std::optional<std::vector<uint8_t>> b = ReadBinaryExact(*key, "FolderRect", 16);
    if (!b) {
        return std::nullopt;
    }
    return DialogRect{static_cast<int32_t>(LoadU32(*b, 0)), static_cast<int32_t>(LoadU32(*b, 4)),
                      static_cast<int32_t>(LoadU32(*b, 8)), static_cast<int32_t>(LoadU32(*b, 12))};
}

void WriteFolderRect(const DialogRect& r) {
    if (std::unique_ptr<SettingsKey> key = CreateSettingsKey(kProgramKey)) {
        std::vector<uint8_t> b;
        for (int32_t v : {r.left, r.top, r.right, r.bottom}) {
            StoreU32(b, static_cast<uint32_t>(v));
        }
        key->WriteBinary("FolderRect", b);
    }
}

}  // namespace pv
