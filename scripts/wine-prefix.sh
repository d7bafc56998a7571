#!/bin/bash
# wine-prefix.sh template      make the template prefix once (about 20 s)
# wine-prefix.sh test          fresh test prefix from the template, null display driver
# wine-prefix.sh run           prefix for running the program on a (virtual) display
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
mkdir -p "$PV_WINE"

# A prefix keeps the font list Wine found when it was made: one made before Wine's own fonts
# were installed draws the caption buttons as letters. So every prefix is stamped with the
# Wine and font packages it was made with, and made again when they change.
stamp() {
    dpkg-query -W -f='${Package} ${Version}\n' wine64 fonts-wine 2>/dev/null
    echo fonts-in-prefix
}

make_template() {
    local t="$PV_WINE_TEMPLATE"
    [[ "$(cat "$t/.ready" 2>/dev/null)" == "$(stamp)" ]] && return 0
    rm -rf "$t"
    mkdir -p "$(dirname "$t")"
    export WINEPREFIX="$t"
    DISPLAY= wineboot --init >"$t.log" 2>&1 || true
    wineserver -w
    if [[ ! -f "$t/system.reg" || ! -d "$t/drive_c/windows/system32" ]]; then
        echo "wine-prefix: wineboot failed to make $t (see $t.log)" >&2
        exit 1
    fi
    # Wine here does not look in the folder where Debian puts its own fonts (Marlett draws
    # the caption buttons, Tahoma the dialogs); the Windows fonts folder it always scans.
    cp /usr/share/wine/fonts/*.ttf "$t/drive_c/windows/Fonts/" \
        || { echo "wine-prefix: Wine's fonts are missing (package fonts-wine)" >&2; exit 1; }
    cat > "$t/drive_c/pictavo-settings.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Drivers]
"Audio"=""

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\AeDebug]
"Auto"="1"
"Debugger"=""
REG
    DISPLAY= wine regedit /S 'C:\pictavo-settings.reg' >/dev/null 2>&1 \
        || { echo "wine-prefix: importing the test settings failed" >&2; exit 1; }
    wineserver -w
    stamp > "$t/.ready"
}

copy_prefix() {
    local name="$1" driver="$2"
    local p="$PV_WINE/$name"
    make_template
    if [[ "$(cat "$p/.ready" 2>/dev/null)" == "$(stamp)" ]]; then
        return 0
    fi
    rm -rf "$p"
    cp -a "$PV_WINE_TEMPLATE" "$p"
    if [[ "$driver" == null ]]; then
        export WINEPREFIX="$p"
        printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Wine\\Drivers]\n"Graphics"="null"\n' > "$p/drive_c/null.reg"
        DISPLAY= wine regedit /S 'C:\null.reg' >/dev/null 2>&1
        wineserver -w
    fi
    stamp > "$p/.ready"
}

case "${1:-}" in
    template) make_template ;;
    test) copy_prefix test null ;;
    test-fresh) rm -rf "$PV_WINE/test"; copy_prefix test null ;;
    run) copy_prefix run x11 ;;
    *) echo "usage: $0 template|test|test-fresh|run" >&2; exit 2 ;;
esac
