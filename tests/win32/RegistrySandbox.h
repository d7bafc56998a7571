// Redirects HKEY_CURRENT_USER to a scratch key for the life of a test, so tests neither
// see nor leave the prefix's real settings.
#pragma once

#include <string>

#include "base/win32/WinInclude.h"

namespace pv::test {

class RegistrySandbox {
public:
    // One scratch key per process: CTest runs several test processes in one Wine prefix.
    RegistrySandbox() : scratch_(L"Software\\PictavoTestSandbox-" + std::to_wstring(GetCurrentProcessId())) {
        RegDeleteTreeW(HKEY_CURRENT_USER, scratch_.c_str());
        RegCreateKeyExW(HKEY_CURRENT_USER, scratch_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr);
        RegOverridePredefKey(HKEY_CURRENT_USER, key_);
    }

    RegistrySandbox(const RegistrySandbox&) = delete;
    RegistrySandbox& operator=(const RegistrySandbox&) = delete;

    ~RegistrySandbox() {
        RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        RegCloseKey(key_);
        RegDeleteTreeW(HKEY_CURRENT_USER, scratch_.c_str());
    }

private:
    std::wstring scratch_;
    HKEY key_ = nullptr;
};

}  // namespace pv::test
