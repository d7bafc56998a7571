// String collation the way the Windows shell sorts names: lstrcmpA, lstrcmpiA and
// CharUpperA/CharLowerA of one character. Portable implementation natively; the system's
// own on Windows.
#pragma once

#include <string_view>

namespace pv {

// <0, 0, >0 like lstrcmpA (word sort, case as the tie breaker: "b" before "B").
int CompareNames(std::string_view a, std::string_view b);
// Like lstrcmpiA (case ignored entirely).
int CompareNamesNoCase(std::string_view a, std::string_view b);
// One character through the platform's case mapping for the current code page.
char LowerChar(char c);
char UpperChar(char c);

}  // namespace pv
