// Redirects HKEY_CURRENT_USER to a scratch key for the life of a test, so tests neither
// see nor leave the prefix's real settings.
#pragma once

#include "base/win32/WinInclude.h"

namespace pv::test {

class RegistrySandbox {
public:
    RegistrySandbox() {
        RegDeleteTreeW(HKEY_CURRENT_USER, kScratch);
        RegCreateKeyExW(HKEY_CURRENT_USER, kScratch, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr);
        RegOverridePredefKey(HKEY_CURRENT_USER, key_);
    }
    RegistrySandbox(const RegistrySandbox&) = delete;
    RegistrySandbox& operator=(const RegistrySandbox&) = delete;
    ~RegistrySandbox() {
        RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        RegCloseKey(key_);
        RegDeleteTreeW(HKEY_CURRENT_USER, kScratch);
    }

private:
    static constexpr const wchar_t* kScratch = L"Software\\PictavoTestSandbox";
    HKEY key_ = nullptr;
};

}  // namespace pv::test
