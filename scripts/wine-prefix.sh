#!/bin/bash
# wine-prefix.sh template      make the template prefix once (about 20 s)
# wine-prefix.sh test          fresh test prefix from the template, null display driver
# wine-prefix.sh run           prefix for running the program on a (virtual) display
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
mkdir -p "$PV_WINE"

make_template() {
    local t="$PV_WINE_TEMPLATE"
    [[ -f "$t/.ready" ]] && return 0
    rm -rf "$t"
    mkdir -p "$(dirname "$t")"
    export WINEPREFIX="$t"
    if ! DISPLAY= wineboot --init >"$t.log" 2>&1 || [[ ! -f "$t/system.reg" ]]; then
        echo "wine-prefix: wineboot failed to make $t (see $t.log)" >&2
        exit 1
    fi
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
    touch "$t/.ready"
}

copy_prefix() {
    local name="$1" driver="$2"
    local p="$PV_WINE/$name"
    make_template
    if [[ -f "$p/.ready" ]]; then
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
    touch "$p/.ready"
}

case "${1:-}" in
    template) make_template ;;
    test) copy_prefix test null ;;
    test-fresh) rm -rf "$PV_WINE/test"; copy_prefix test null ;;
    run) copy_prefix run x11 ;;
    *) echo "usage: $0 template|test|test-fresh|run" >&2; exit 2 ;;
esac
