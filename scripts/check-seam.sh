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

# Layers include only themselves and the layers below them (the build enforces the same
# through each layer's include root; this names the offending line).
declare -A allowed=(
    [base]="base"
    [platform]="base platform"
    [framework]="base framework"
    [imaging]="base platform imaging"
    [search]="base platform search"
    [view]="base platform imaging framework view"
    [thumbs]="base platform imaging search framework view thumbs"
    [shell]="base platform imaging search framework view thumbs shell"
    [app]="base platform imaging search framework view thumbs shell app"
    [cli]="base platform imaging search view thumbs shell app cli"
)
bad=0
while IFS=: read -r file line text; do
    layer="${file#src/}"
    layer="${layer%%/*}"
    target="$(sed -E 's/.*#include[[:space:]]*"([a-z]+)\/.*/\1/' <<<"$text")"
    [[ -n "${allowed[$layer]:-}" ]] || continue
    if [[ " ${allowed[$layer]} " != *" $target "* ]]; then
        echo "$file:$line: layer '$layer' includes '$target' above it: $text"
        bad=1
    fi
done < <(grep -rnE '#include[[:space:]]*"[a-z]+/' src)
if ((bad)); then
    exit 1
fi
echo "layers: every include points down"

# Handles close themselves: the release functions are called only by the holders in
# src/base/win32/Handles.h, so no routine can forget one on an early return.
releases='\b(CloseHandle|FindClose|DeleteObject|DeleteDC|ReleaseDC|RegCloseKey|EndPaint|GlobalFree|GlobalUnlock|DestroyIcon|DestroyMenu|DestroyAcceleratorTable|ImageList_Destroy|CoUninitialize)[[:space:]]*\(|->Release\(\)'
bare="$(grep -rnE "$releases" src | grep -v '^src/base/win32/Handles\.h:' || true)"
if [[ -n "$bare" ]]; then
    echo "release calls outside src/base/win32/Handles.h (use a holder):"
    echo "$bare"
    exit 1
fi
echo "handles: every release goes through a holder"
