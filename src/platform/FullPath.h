// The portable half of GetFullPathName: folding a path against a current folder.
#pragma once

#include <string>

namespace pv {

// `path` and `currentFolder` are in the program's form. A path that starts with "\" is
// taken from the root of the current folder's drive ("\" natively); "X:" paths are
// absolute. "." and ".." segments are folded ("..", at the root, stays at the root), runs
// of separators collapse, and a trailing "\" is kept.
std::string FoldFullPath(const std::string& path, const std::string& currentFolder);

}  // namespace pv
