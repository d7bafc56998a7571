#include "app/FrameSettings.h"

#include <vector>

#include "platform/Settings.h"
#include "platform/SettingsValues.h"

namespace pv {

namespace {

int32_t LoadI32(const std::vector<uint8_t>& d, size_t at) {
    return static_cast<int32_t>(static_cast<uint32_t>(d[at]) | static_cast<uint32_t>(d[at + 1]) << 8 |
                                static_cast<uint32_t>(d[at + 2]) << 16 | static_cast<uint32_t>(d[at + 3]) << 24);
}

void StoreI32(std::vector<uint8_t>& d, int32_t v) {
    auto u = static_cast<uint32_t>(v);
    for (int i = 0; i < 4; ++i) {
        d.push_back(static_cast<uint8_t>(u >> (8 * i)));
    }
}

void ReadInto(const SettingsKey& key, const char* name, int32_t& value) {
    if (auto v = key.ReadDword(name)) {
        value = static_cast<int32_t>(*v);
    }
}

}  // namespace

FrameStartSettings ReadFrameStartSettings() {
    FrameStartSettings s;
    std::unique_ptr<SettingsKey> key = OpenSettingsKey(kProgramKey);
    if (!key) {
        return s;
    }
    if (auto raw = key->ReadRaw("WindowRect"); raw && raw->type == ValueType::Binary && raw->data.size() == 16) {
        StoredRect r{LoadI32(raw->data, 0), LoadI32(raw->data, 4), LoadI32(raw->data, 8), LoadI32(raw->data, 12)};
        // An empty or inside-out rectangle would give a window nobody can see or grab.
        if (r.Width() > 0 && r.Height() > 0) {
            s.windowRect = r;
        }
    }
    ReadInto(*key, "ThumbsMode", s.thumbsMode);
    ReadInto(*key, "FitToWindow", s.fitToWindow);
    ReadInto(*key, "FarComm", s.farComm);
    ReadInto(*key, "TotalComm", s.totalComm);
    return s;
}

void WriteFrameCloseSettings(const StoredRect& windowRect, int32_t thumbsMode, int32_t fitToWindow) {
    std::unique_ptr<SettingsKey> key = CreateSettingsKey(kProgramKey);
    if (!key) {
        return;
    }
    std::vector<uint8_t> rect;
    StoreI32(rect, windowRect.left);
    StoreI32(rect, windowRect.top);
    StoreI32(rect, windowRect.right);
    StoreI32(rect, windowRect.bottom);
    key->WriteBinary("WindowRect", rect);
    key->WriteDword("ThumbsMode", static_cast<uint32_t>(thumbsMode));
    key->WriteDword("FitToWindow", static_cast<uint32_t>(fitToWindow));
}

std::string ReadOpenFile() {
    std::string value;
    if (std::unique_ptr<SettingsKey> key = OpenSettingsKey(kProgramKey)) {
        ReadStringInto(*key, "OpenFile", value, 260);
    }
    return value;
}

void WriteOpenFile(const std::string& path) {
    if (std::unique_ptr<SettingsKey> key = CreateSettingsKey(kProgramKey)) {
        key->WriteString("OpenFile", path);
    }
}

void WriteFolderArgumentRoot(const std::string& folder) {
    std::string root = folder;
    if (root.empty() || root.back() != '\\') {
        root += '\\';
    }
    if (std::unique_ptr<SettingsKey> key = CreateSettingsKey(kProgramKey)) {
        key->WriteString("TreeFullPath", FirstCharLower(root));
    }
}

void WriteCheckRunAuto(int32_t value) {
    if (std::unique_ptr<SettingsKey> key = CreateSettingsKey(kProgramKey)) {
        key->WriteDword("CheckRunAuto", static_cast<uint32_t>(value));
    }
}

StoredRect CentreOnWorkArea(const WorkArea& area, int32_t width, int32_t height) {
    auto place = [](int32_t lo, int32_t hi, int32_t size) {
        int32_t start = lo + (hi - lo) / 2 - size / 2;
        if (start + size > hi) {
            start = hi - size;
        }
        if (start < lo) {
            start = lo;
        }
        return start;
    };
    int32_t left = place(area.left, area.right, width);
    int32_t top = place(area.top, area.bottom, height);
    return {left, top, left + width, top + height};
}

}  // namespace pv
