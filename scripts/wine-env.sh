# Sourced by the scripts that run Windows programs: Wine never touches ~/.wine here.
PV_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
PV_WINE="$PV_ROOT/build/wine"
# What set-up makes once per machine (the cross-built libjpeg-turbo, the Wine prefix
# template) lives outside the build tree, so cleaning build/ costs no set-up.
PV_DEPS="${PV_DEPS_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/pictavo}"
PV_WINE_TEMPLATE="$PV_DEPS/wine-template"
export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
