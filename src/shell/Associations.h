// Associating file types with Pictavo: the strings the shell keys carry, the keys each
// ticked type gets, the checks made before anything is written, and the ticks as they are
// stored. The registry itself is written by win32/AssociationWriter.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Settings.h"
#include "search/ExtensionTable.h"

namespace pv {

// Where the installer puts Pictavo when the user keeps its choice.
inline constexpr std::string_view kDefaultInstallFolder = "C:\\Program Files\\Pictavo\\";

// The two strings every associated type carries, made from the program's real path.
struct AssociationStrings {
    std::string icon;     // "<path>,1"
    std::string command;  // "\"<path>\" \"%1\""
};

// Both the program and the file are quoted: an unquoted path with blanks is resolved
// through "C:\Program.exe" first, and an unquoted file name with blanks arrives cut.
AssociationStrings AssociationStringsFor(std::string_view programPath);

// The command the shell runs for `file`: every %1 of `command` replaced by the file.
std::string ExpandShellCommand(std::string_view command, std::string_view file);

// The verb Pictavo adds beside "Open".
inline constexpr std::string_view kViewVerb = "View with Pictavo";

// One default value to write: `key` is relative to the classes root.
struct KeyDefault {
    std::string key;
    std::string value;

    friend bool operator==(const KeyDefault&, const KeyDefault&) = default;
};

// The type key `type` (the table's extension text, no dot) as it is written after its old
// contents are deleted: its own name as default, the icon, the Open verb and the View verb.
std::vector<KeyDefault> TypeKeyPlan(std::string_view type, const AssociationStrings& strings);

// The extension key the shell looks a file up by: "." and the type in lower case. The type
// is listed under its OpenWithProgids so it is offered in "Open with"; it becomes the
// extension's default only when no other program's type is the default.
std::string DottedKeyOf(std::string_view type);

inline constexpr std::string_view kOpenWithProgids = "OpenWithProgids";

// True when `currentDefault` (the extension key's default now, empty when it has none)
// may be replaced by `type` without taking the extension from another program.
bool MayTakeDefault(std::string_view currentDefault, std::string_view type);

// The lengths the shell keys allow: the icon and command strings at most 251 characters,
// twice the type's length at most 255.
bool FitsAssociationLengths(std::string_view type, const AssociationStrings& strings);

// The table's extension texts of the ticked rows, in table order (WAV may come twice).
std::vector<std::string> TickedTypes(const std::array<bool, kExtensionCount>& ticks);

// AssociationList: 36 little-endian 32-bit flags, 1 ticked. A missing value, or one of
// another type or length, ticks nothing.
std::vector<uint8_t> PackAssociationList(const std::array<bool, kExtensionCount>& ticks);
std::array<bool, kExtensionCount> UnpackAssociationList(const std::optional<RawValue>& stored);

// The messages of the association dialog, exactly as the user sees them.
struct AssociationMessage {
    const char* text;
    const char* caption;
};

inline constexpr AssociationMessage kNothingTicked = {"   Please, Select one or more extension(s)!   ", "Pictavo"};
inline constexpr AssociationMessage kCannotDelete = {
        "Can not recursively delete the registry key\t\n(You may not have permission to WRITE into registry)\t\n"
        "Mission aborted\t",
        "Access Violation"};
inline constexpr AssociationMessage kCannotCreate = {
        "Can not gain WRITE accesss to the registry\t\nPlease try to login windows with more permissions\t",
        "Access Violation"};
inline constexpr AssociationMessage kPathTooLong = {
        "Can not associate path longer than 255 characters\t\nTo associate - Put this file in a shorter path on your "
        "hard drive and try again\t",
        "Error - Path is too long"};

// What the user is told when some ticked types stay with the program that opens them now.
std::string KeptDefaultsText(const std::vector<std::string>& dottedKeys);

}  // namespace pv
