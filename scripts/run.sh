#!/bin/bash
# Sets up, builds and starts Pictavo.exe on the bundled sample picture. On Linux it runs
# under Wine in the project's own prefix, installed at C:\Program Files\Pictavo. Without
# a display it starts a virtual one, waits for the frame, saves a screenshot, prints
# where it is and closes the program.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
cd "$ROOT"

bash scripts/setup.sh
cmake --preset windows >/dev/null
SETUP=build/windows/Pictavo-setup.exe
if command -v makensis >/dev/null 2>&1; then
    cmake --build --preset windows --target installer
else
    cmake --build --preset windows --target Pictavo
fi

bash scripts/wine-prefix.sh run
source scripts/wine-env.sh
export WINEPREFIX="$PV_WINE/run"
INSTALL="$WINEPREFIX/drive_c/Program Files/Pictavo"
# Installed with the installer, silently, as a user would install it; skipped when the
# installed program is already this build (a run then starts in a second or two). Called
# once the display is known: Wine's windows need one, even a silent installer's.
install_pictavo() {
    if [[ -f "$SETUP" ]]; then
        if ! cmp -s build/windows/setup/Pictavo.exe "$INSTALL/Pictavo.exe" \
            || ! cmp -s build/windows/setup/Pictavo.html "$INSTALL/Pictavo.html"; then
            echo "run: installing Pictavo with $SETUP"
            wine "$SETUP" /S || { echo "run: the installer failed" >&2; exit 1; }
        fi
    else
        echo "run: makensis is missing, so there is no installer: copying Pictavo into place instead"
        mkdir -p "$INSTALL"
        cp build/windows/bin/Pictavo.exe build/windows/bin/Pictavo.html "$INSTALL/"
    fi
    [[ -f "$INSTALL/Pictavo.exe" ]] || { echo "run: Pictavo.exe is not in $INSTALL" >&2; exit 1; }
}
SAMPLES="$WINEPREFIX/drive_c/users/Public/Pictures/Pictavo samples"
mkdir -p "$SAMPLES"
cp samples/* "$SAMPLES/"
SAMPLE='C:\users\Public\Pictures\Pictavo samples\sunset.bmp'
EXE='C:\Program Files\Pictavo\Pictavo.exe'

if [[ -n "${DISPLAY:-}" ]]; then
    install_pictavo
    echo "run: starting Pictavo on $DISPLAY"
    exec wine "$EXE" "$SAMPLE"
fi

# No display: a private virtual one, a Wine desktop on it (so the frame has its title
# bar), a screenshot once the frame is up, then a normal close.
OUT="$ROOT/build/run"
mkdir -p "$OUT"
DISPLAY_NUM=91
while [[ -e /tmp/.X11-unix/X$DISPLAY_NUM || -e /tmp/.X$DISPLAY_NUM-lock ]]; do DISPLAY_NUM=$((DISPLAY_NUM + 1)); done
Xvfb ":$DISPLAY_NUM" -screen 0 1280x1024x24 -nolisten tcp >"$OUT/xvfb.log" 2>&1 &
XVFB_PID=$!
trap 'kill $XVFB_PID 2>/dev/null || true' EXIT
export DISPLAY=":$DISPLAY_NUM"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

wineserver -p >/dev/null 2>&1 || true
install_pictavo
wine explorer /desktop=Pictavo,1280x1024 "$EXE" "$SAMPLE" >"$OUT/wine.log" 2>&1 &
WINE_PID=$!
up=0
for _ in $(seq 300); do
    if xwininfo -root -tree 2>/dev/null | grep -q '"Pictavo": ("pictavo.exe"'; then
        up=1
        break
    fi
    sleep 0.2
done
sleep 2  # let the frame finish painting
SHOT="$OUT/screenshot.png"
import -window root "$SHOT"
if ((up)); then
    echo "run: Pictavo is up; screenshot saved to $SHOT"
else
    echo "run: the Pictavo frame did not appear; screenshot of the display saved to $SHOT" >&2
fi
# The close request must come from inside the same Wine desktop to reach the frame.
wine explorer /desktop=Pictavo,1280x1024 taskkill /im Pictavo.exe >/dev/null 2>&1 || true
for _ in $(seq 50); do xwininfo -root -tree 2>/dev/null | grep -q '("pictavo.exe"' || break; sleep 0.2; done
wine reg query 'HKCU\Software\Norel\Pictavo' 2>/dev/null | tr -d '\r' | sed -n 's/^ \+/run: stored /p' || true
wineserver -k >/dev/null 2>&1 || true
wait "$WINE_PID" 2>/dev/null || true
((up))
