# Sourced by the scripts that run Windows programs: Wine never touches ~/.wine here.
PV_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
PV_WINE="$PV_ROOT/build/wine"
export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
