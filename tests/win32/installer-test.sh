#!/bin/bash
# The installer under Wine, silently: it installs the program, its help page, its uninstaller,
# the Start-menu shortcut and the Apps-and-Features entry; the silent uninstaller removes all
# of that and keeps the settings and the file types; "/S /FORGET" also removes those, and
# only what Pictavo wrote. Runs in a Wine prefix of its own. Exit 77 when makensis is
# missing (the build could not make the installer).
set -euo pipefail
SETUP="$1"
ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
if ! command -v makensis >/dev/null 2>&1; then
    echo "installer-test: makensis is missing, so there is no installer to test"
    exit 77
fi
[[ -f "$SETUP" ]] || { echo "installer-test: $SETUP was not built" >&2; exit 1; }
source "$ROOT/scripts/wine-env.sh"
bash "$ROOT/scripts/wine-prefix.sh" template >/dev/null

# Files shared with the template by hard links where they can be (Wine replaces what it
# changes), copied otherwise; the registry files, which Wine rewrites, always copied.
PREFIX="$(mktemp -d "${TMPDIR:-/tmp}/pictavo-installer-XXXXXX")"
export WINEPREFIX="$PREFIX" WINEDEBUG=-all
unset DISPLAY
cleanup() { wineserver -k >/dev/null 2>&1 || true; rm -rf "$PREFIX"; }
trap cleanup EXIT
cp -al "$PV_WINE_TEMPLATE/drive_c" "$PV_WINE_TEMPLATE/dosdevices" "$PREFIX/" 2>/dev/null \
    || { rm -rf "${PREFIX:?}"/*; cp -a "$PV_WINE_TEMPLATE/drive_c" "$PV_WINE_TEMPLATE/dosdevices" "$PREFIX/"; }
cp "$PV_WINE_TEMPLATE"/*.reg "$PV_WINE_TEMPLATE/.update-timestamp" "$PREFIX/"
printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Wine\\Drivers]\n"Graphics"="null"\n' > "$PREFIX/null.reg"
wine regedit /S 'Z:'"$(echo "$PREFIX/null.reg" | tr / '\\')" >/dev/null 2>&1
wineserver -w

failures=0
check() {  # check DESCRIPTION COMMAND...
    local what="$1"
    shift
    if "$@"; then echo "ok: $what"; else echo "FAILED: $what" >&2; failures=$((failures + 1)); fi
}
reg_value() {  # reg_value KEY NAME -> the data, or nothing
    local which=(/v "$2")
    [[ "$2" == "(Default)" ]] && which=(/ve)
    wine reg query "$1" "${which[@]}" 2>/dev/null | tr -d '\r' | awk -v n="$2" '$1 == n { $1 = ""; $2 = ""; sub(/^ +/, ""); print }'
}
has_key() { wine reg query "$1" >/dev/null 2>&1; }
no_key() { ! has_key "$1"; }
equals() { [[ "$1" == "$2" ]] || { echo "  '$1' is not '$2'" >&2; return 1; }; }

INSTALL="$PREFIX/drive_c/Program Files/Pictavo"
LINK="$PREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Pictavo.lnk"
ENTRY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Pictavo'
SETTINGS='HKCU\Software\Norel\Pictavo'
UNINSTALL='C:\Program Files\Pictavo\Uninstall.exe'

install() {
    wine "$SETUP" /S
    wineserver -w
}
# The uninstaller runs a copy of itself from the temporary folder and returns at once: the
# end of every Wine process of the prefix is the end of the uninstall.
uninstall() {
    wine "$UNINSTALL" "$@"
    wineserver -w
}
# What the program writes when it runs and the user ticks GIF and JPG, where another
# program owns JPG files and Pictavo only added itself beside it.
use_program() {
    wine reg add "$SETTINGS" /v FileManager /t REG_DWORD /d 1 /f >/dev/null
    wine reg add 'HKCU\Software\Classes\GIF\Shell\View with Pictavo\Command' /ve /d x /f >/dev/null
    wine reg add 'HKCU\Software\Classes\.gif' /ve /d GIF /f >/dev/null
    wine reg add 'HKCU\Software\Classes\.gif\OpenWithProgids' /v GIF /t REG_NONE /f >/dev/null
    wine reg add 'HKCU\Software\Classes\JPG\Shell\View with Pictavo\Command' /ve /d x /f >/dev/null
    wine reg add 'HKCU\Software\Classes\.jpg' /ve /d OtherApp.jpg /f >/dev/null
    wine reg add 'HKCU\Software\Classes\.jpg\OpenWithProgids' /v JPG /t REG_NONE /f >/dev/null
    wine reg add 'HKCU\Software\Classes\.jpg\OpenWithProgids' /v OtherApp.jpg /t REG_NONE /f >/dev/null
}

install
check "installed files" equals "$(cd "$INSTALL" && ls | tr '\n' ' ')" "Pictavo.exe Pictavo.html Uninstall.exe "
check "the installed program is the built one" cmp -s "$INSTALL/Pictavo.exe" "$(dirname "$SETUP")/setup/Pictavo.exe"
check "Start-menu shortcut" test -f "$LINK"
check "entry name" equals "$(reg_value "$ENTRY" DisplayName)" "Pictavo"
check "entry publisher" equals "$(reg_value "$ENTRY" Publisher)" "Norel"
check "entry version" equals "$(reg_value "$ENTRY" DisplayVersion)" "$(sed -n 's/^project(Pictavo VERSION \([0-9.]*\).*/\1/p' "$ROOT/CMakeLists.txt")"
check "entry uninstaller" equals "$(reg_value "$ENTRY" UninstallString)" "\"$UNINSTALL\""
check "entry size in KB" test "$(($(reg_value "$ENTRY" EstimatedSize)))" -gt 100

use_program
uninstall /S
check "silent uninstall removes the folder" test ! -e "$INSTALL"
check "silent uninstall removes the shortcut" test ! -e "$LINK"
check "silent uninstall removes the entry" no_key "$ENTRY"
check "silent uninstall keeps the settings" equals "$(reg_value "$SETTINGS" FileManager)" "0x1"
check "silent uninstall keeps the file types" has_key 'HKCU\Software\Classes\GIF'

install
uninstall /S /FORGET
check "forgetting removes the settings" no_key "$SETTINGS"
check "forgetting removes Pictavo's type" no_key 'HKCU\Software\Classes\GIF'
check "forgetting removes an extension left empty" no_key 'HKCU\Software\Classes\.gif'
check "another program keeps its default" equals "$(reg_value 'HKCU\Software\Classes\.jpg' '(Default)')" "OtherApp.jpg"
check "another program keeps its Open with entry" has_key 'HKCU\Software\Classes\.jpg\OpenWithProgids'
check "Pictavo leaves Open with" equals "$(reg_value 'HKCU\Software\Classes\.jpg\OpenWithProgids' JPG)" ""
check "nothing of the program is left" test ! -e "$INSTALL"

((failures == 0))
