#include "platform/FullPath.h"

#include <vector>

#include "platform/FileSystem.h"

namespace pv {

namespace {

std::string WithBackslashes(std::string path) {
    for (char& c : path) {
        if (c == '/') {
            c = '\\';
        }
    }
    return path;
}

bool HasDrive(const std::string& p) {
    return p.size() >= 2 && p[1] == ':' && ((p[0] >= 'A' && p[0] <= 'Z') || (p[0] >= 'a' && p[0] <= 'z'));
}

}  // namespace

// Both platforms accept "/" where the program writes "\\".
std::string ProgramPathFromHost(const std::string& hostPath) {
    return WithBackslashes(hostPath);
}

std::string FoldFullPath(const std::string& input, const std::string& currentFolder) {
    const std::string path = WithBackslashes(input);
    const std::string cwd = WithBackslashes(currentFolder);

    // Split into a root ("C:\" or "\") and the segments that follow it.
    std::string root;
    std::string rest;
    if (HasDrive(path)) {
        root = path.substr(0, 2) + "\\";
        rest = path.substr(2);
        if (rest.empty() || rest[0] != '\\') {
            // "C:name" is relative to the current folder when it is on that drive.
            if (HasDrive(cwd) && (cwd[0] | 0x20) == (path[0] | 0x20)) {
                root = cwd.substr(0, 3);
                rest = cwd.substr(3) + "\\" + rest;
            }
        }
    } else if (!path.empty() && path[0] == '\\') {
        root = HasDrive(cwd) ? cwd.substr(0, 3) : "\\";
        rest = path;
    } else {
        root = HasDrive(cwd) ? cwd.substr(0, 3) : "\\";
        rest = (HasDrive(cwd) ? cwd.substr(2) : cwd) + "\\" + path;
    }

    std::vector<std::string> parts;
    size_t i = 0;
    while (i <= rest.size()) {
        size_t j = rest.find('\\', i);
        if (j == std::string::npos) {
            j = rest.size();
        }
        std::string seg = rest.substr(i, j - i);
        if (seg == "..") {
            if (!parts.empty()) {
                parts.pop_back();
            }
        } else if (!seg.empty() && seg != ".") {
            parts.push_back(seg);
        }
        i = j + 1;
    }

    std::string out = root;
    for (size_t k = 0; k < parts.size(); ++k) {
        if (k != 0) {
            out += '\\';
        }
        out += parts[k];
    }
    const bool trailing = !path.empty() && path.back() == '\\';
    if (trailing && !parts.empty()) {
        out += '\\';
    }
    return out;
}

}  // namespace pv
