// The system's own collation: the lists sort exactly as Explorer and the shell sort them.
#include "base/win32/Wide.h"
#include "base/win32/WinInclude.h"
#include "platform/Collation.h"

namespace pv {

int CompareNames(std::string_view a, std::string_view b) {
    return lstrcmpW(Widen(a).c_str(), Widen(b).c_str());
}

int CompareNamesNoCase(std::string_view a, std::string_view b) {
    return lstrcmpiW(Widen(a).c_str(), Widen(b).c_str());
}

char LowerChar(char c) {
    // Only single-byte characters have a one-character case mapping in UTF-8.
    if (static_cast<unsigned char>(c) >= 0x80) {
        return c;
    }
    return static_cast<char>(reinterpret_cast<uintptr_t>(
            CharLowerA(reinterpret_cast<LPSTR>(static_cast<uintptr_t>(static_cast<unsigned char>(c))))));
}

char UpperChar(char c) {
    if (static_cast<unsigned char>(c) >= 0x80) {
        return c;
    }
    return static_cast<char>(reinterpret_cast<uintptr_t>(
            CharUpperA(reinterpret_cast<LPSTR>(static_cast<uintptr_t>(static_cast<unsigned char>(c))))));
}

}  // namespace pv
