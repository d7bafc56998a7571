#include "shell/win32/AssociationWriter.h"

// clang-format off
#include "framework/WinInclude.h"
#include <shlobj.h>
// clang-format on

#include <algorithm>

#include "base/win32/Handles.h"
#include "base/win32/Wide.h"

namespace pv {

namespace {

constexpr const wchar_t* kUserClasses = L"Software\\Classes";

UniqueKey OpenKey(HKEY parent, const std::string& name, REGSAM access) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(parent, Widen(name).c_str(), 0, access, &key) != ERROR_SUCCESS) {
        return UniqueKey();
    }
    return UniqueKey(key);
}

UniqueKey CreateKey(HKEY parent, const std::string& name) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(parent, Widen(name).c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
        return UniqueKey();
    }
    return UniqueKey(key);
}

bool SetString(HKEY key, const wchar_t* name, const std::string& value) {
    const std::wstring w = Widen(value);
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(w.c_str()),
                          static_cast<DWORD>((w.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

// A key's default value; empty when the key or the value is missing or not a string.
std::string ReadDefault(HKEY root, const std::string& name) {
    const UniqueKey key = OpenKey(root, name, KEY_READ);
    if (!key) {
        return {};
    }
    DWORD type = 0;
    DWORD bytes = 0;
    if (RegQueryValueExW(key.get(), nullptr, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS || type != REG_SZ) {
        return {};
    }
    std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(key.get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &bytes) !=
        ERROR_SUCCESS) {
        return {};
    }
    value.resize(wcsnlen(value.c_str(), value.size()));
    return Narrow(value);
}

AssociationFailure WriteTypeKey(HKEY classes, const std::string& type, const AssociationStrings& strings) {
    if (OpenKey(classes, type, KEY_READ)) {
        // Given a subkey, RegDeleteTree removes it with everything below it.
        if (RegDeleteTreeW(classes, Widen(type).c_str()) != ERROR_SUCCESS || OpenKey(classes, type, KEY_READ)) {
            return AssociationFailure::CannotDelete;
        }
    }
    for (const KeyDefault& write : TypeKeyPlan(type, strings)) {
        const UniqueKey key = CreateKey(classes, write.key);
        if (!key || !SetString(key.get(), nullptr, write.value)) {
            return AssociationFailure::CannotCreate;
        }
    }
    return AssociationFailure::None;
}

// The extension key: the type joins OpenWithProgids; it becomes the default only when
// `currentDefault` (what the shell uses now) belongs to no other program. False when it
// stays with another program.
bool WriteExtensionKey(HKEY classes, const std::string& type, const std::string& currentDefault) {
    const std::string dotted = DottedKeyOf(type);
    const UniqueKey progids = CreateKey(classes, dotted + "\\" + std::string(kOpenWithProgids));
    if (progids) {
        RegSetValueExW(progids.get(), Widen(type).c_str(), 0, REG_NONE, nullptr, 0);
    }
    if (!MayTakeDefault(currentDefault, type)) {
        return false;
    }
    if (const UniqueKey key = CreateKey(classes, dotted)) {
        SetString(key.get(), nullptr, type);
    }
    return true;
}

}  // namespace

AssociationResult WriteAssociations(const std::vector<std::string>& types, const AssociationStrings& strings) {
    AssociationResult result;
    const UniqueKey classes = CreateKey(HKEY_CURRENT_USER, Narrow(kUserClasses));
    if (!classes) {
        result.failure = AssociationFailure::CannotCreate;
        return result;
    }
    std::vector<std::string> written;
    for (const std::string& type : types) {
        // Checked before the old key goes: a refused type loses nothing.
        if (!FitsAssociationLengths(type, strings)) {
            result.failure = AssociationFailure::TooLong;
            break;
        }
        const std::string currentDefault = ReadDefault(HKEY_CLASSES_ROOT, DottedKeyOf(type));
        result.failure = WriteTypeKey(classes.get(), type, strings);
        if (result.failure != AssociationFailure::None) {
            break;
        }
        if (!WriteExtensionKey(classes.get(), type, currentDefault)) {
            const std::string dotted = DottedKeyOf(type);
            if (std::find(result.keptDefaults.begin(), result.keptDefaults.end(), dotted) ==
                result.keptDefaults.end()) {
                result.keptDefaults.push_back(dotted);
            }
        }
        written.push_back(type);
    }
    // Some systems do not merge the user's classes into the classes the shell reads; there
    // the same keys go to the shared classes too, where the user may write them.
    if (!written.empty() &&
        ReadDefault(HKEY_CLASSES_ROOT, written.front() + "\\Shell\\Open\\Command") != strings.command) {
        for (const std::string& type : written) {
            const std::string currentDefault = ReadDefault(HKEY_CLASSES_ROOT, DottedKeyOf(type));
            if (WriteTypeKey(HKEY_CLASSES_ROOT, type, strings) == AssociationFailure::None) {
                WriteExtensionKey(HKEY_CLASSES_ROOT, type, currentDefault);
            }
        }
    }
    if (!written.empty()) {
        SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
    }
    return result;
}

std::string RunningProgramPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) {
            return {};
        }
        if (n < path.size()) {
            path.resize(n);
            return Narrow(path);
        }
        if (path.size() >= 32768) {
            return {};
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace pv
