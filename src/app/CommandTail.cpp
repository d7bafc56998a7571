#include "app/CommandTail.h"

#include "platform/FileSystem.h"

namespace pv {

namespace {

bool IsBlank(char c) {
    auto u = static_cast<unsigned char>(c);
    return u >= 1 && u <= 32;
}

}  // namespace

std::string_view CommandTailFrom(std::string_view line) {
    size_t i = 0;
    if (!line.empty() && line[0] == '"') {
        size_t close = line.find('"', 1);
        i = close == std::string_view::npos ? line.size() : close + 1;
    } else {
        while (i < line.size() && static_cast<unsigned char>(line[i]) > 32) {
            ++i;
        }
    }
    while (i < line.size() && IsBlank(line[i])) {
        ++i;
    }
    return line.substr(i);
}

std::string ArgumentPath(std::string_view tail) {
    if (!tail.empty() && tail[0] == '"') {
        std::string_view rest = tail.substr(1);
        return std::string(rest.substr(0, rest.find('"')));
    }
    return std::string(tail);
}

bool IsDriveRoot(std::string_view p) {
    return p.size() == 3 && p[1] == ':' && p[2] == '\\';
}

ArgumentTarget DecideArgument(std::string_view tail) {
    ArgumentTarget target;
    std::string path = ArgumentPath(tail);
    std::string full = FullPathOf(path);
    target.fullPath = full.empty() ? path : full;

    FolderListing listing;
    if (listing.Open(target.fullPath + "\\")) {
        FindRecord record;
        if (listing.Next(record)) {
            target.kind = ArgumentKind::Folder;
        }
    } else if (IsDriveRoot(target.fullPath)) {
        target.kind = ArgumentKind::Folder;
    }
    return target;
}

}  // namespace pv
