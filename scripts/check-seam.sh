#!/bin/bash
# Only win32/ folders and the framework layer may include Windows headers: the rest of the
# core must build and be tested natively.
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
cd "$ROOT"
leaks="$(grep -rlE '#include[[:space:]]*[<"]([a-z0-9]*/)?(windows|windowsx|commctrl|commdlg|shellapi|shlobj|ole2|olectl|ocidl|objbase|winuser|wingdi|winbase|vfw|mmsystem)\.h|WinInclude\.h' src \
    | grep -v '/win32/' | grep -v '^src/framework/')"
if [[ -n "$leaks" ]]; then
    echo "Windows headers outside win32/ and src/framework/:"
    echo "$leaks"
    exit 1
fi
echo "seam: no Windows header outside win32/ and src/framework/"
