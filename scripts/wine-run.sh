#!/bin/bash
# CTest's emulator for Windows test programs: the test prefix, no display (null driver).
source "$(dirname "$0")/wine-env.sh"
export WINEPREFIX="$PV_WINE/test"
unset DISPLAY
exec wine "$@"
