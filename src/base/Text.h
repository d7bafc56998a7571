// Small text helpers on UTF-8 / ANSI byte strings shared by every subsystem.
#pragma once

#include <string>
#include <string_view>

namespace pv {

// ASCII-only case mapping: the program's comparisons of extensions and drive letters
// only ever concern ASCII letters, and bytes of multi-byte UTF-8 sequences must pass
// through untouched.
constexpr char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

constexpr char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsNoCase(std::string_view a, std::string_view b);

// The extension of a path as the program defines it: from the last dot of the file-name
// part (the text after the last "\"), dot included; empty when that part has no dot.
std::string_view ExtensionOf(std::string_view path);

// The text after the last "\" (the whole text when there is none).
std::string_view FileNameOf(std::string_view path);

// The text up to and including the last "\" (empty when there is none).
std::string_view FolderOf(std::string_view path);

// True when the bytes are well-formed UTF-8.
bool IsValidUtf8(std::string_view text);

}  // namespace pv
