#include "framework/ResourceText.h"

namespace pv {

std::wstring LoadResourceString(UINT id) {
    const wchar_t* text = nullptr;
    // With a zero length LoadStringW hands back a pointer into the resource itself.
    int n = LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
    return n > 0 && text != nullptr ? std::wstring(text, static_cast<size_t>(n)) : std::wstring();
}

std::wstring CommandPrompt(UINT commandId) {
    std::wstring s = LoadResourceString(commandId);
    size_t br = s.find(L'\n');
    return br == std::wstring::npos ? s : s.substr(0, br);
}

std::wstring CommandToolTip(UINT commandId) {
    std::wstring s = LoadResourceString(commandId);
    size_t br = s.find(L'\n');
    return br == std::wstring::npos ? std::wstring() : s.substr(br + 1);
}

}  // namespace pv
