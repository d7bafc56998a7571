#!/bin/bash
# Prepares a Debian 12 machine (run as root) to build and test Pictavo. Cheap to run
# again: it installs only missing packages, cross-builds libjpeg-turbo for Windows once,
# and makes the Wine prefix template once.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
export DEBIAN_FRONTEND=noninteractive

fail() {
    echo "setup: $*" >&2
    exit 1
}

PACKAGES=(
    cmake ninja-build g++ clang libclang-rt-14-dev clang-format
    googletest libgtest-dev libbenchmark-dev
    libjpeg62-turbo-dev libjpeg-turbo-progs
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
    wine wine64 fonts-wine xvfb x11-utils nasm imagemagick dpkg-dev python3 python3-pil giflib-tools nsis
)

missing=()
for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    echo "setup: installing ${missing[*]}"
    apt-get update -qq || fail "apt-get update failed"
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null \
        || fail "installing ${missing[*]} failed"
fi

# --- libjpeg-turbo for Windows, from Debian's own source of the native version ---------
# It lives outside the build tree, so cleaning build/ does not take it away.
source "$ROOT/scripts/wine-env.sh"   # PV_DEPS: the cache outside the build tree
DEPS="$PV_DEPS"
JPEG_VERSION="$(dpkg-query -W -f='${Version}' libjpeg62-turbo-dev)"
JPEG_OUT="$DEPS/libjpeg-turbo-mingw"

# A source package needs a deb-src entry. Mirror the binary entries of Debian's own
# repositories (those signed by Debian's archive key, or by the system's keys when no key is
# named); third-party repositories often publish no sources and would break the update.
add_debian_sources() {
    rm -f /etc/apt/sources.list.d/pictavo-src*
    local out=/etc/apt/sources.list.d/pictavo-src.sources f
    : > "$out"
    for f in /etc/apt/sources.list.d/*.sources; do
        [[ -f "$f" && "$f" != "$out" ]] || continue
        awk -v RS= -v ORS='\n\n' '/(^|\n)Types:[^\n]*deb/ && (!/Signed-By:/ || /Signed-By:[^\n]*debian-archive-keyring/) {
            sub(/Types:[^\n]*/, "Types: deb-src"); print }' "$f" >> "$out"
    done
    if [[ -f /etc/apt/sources.list ]]; then
        grep -E '^deb ' /etc/apt/sources.list | grep -vE 'signed-by=' \
            | sed 's/^deb /deb-src /' > /etc/apt/sources.list.d/pictavo-src.list || true
        grep -E '^deb .*signed-by=[^] ]*debian-archive-keyring' /etc/apt/sources.list \
            | sed 's/^deb /deb-src /' >> /etc/apt/sources.list.d/pictavo-src.list || true
    fi
    apt-get update -qq || fail "apt-get update failed after adding Debian's source entries"
}

if [[ "$(cat "$JPEG_OUT/.version" 2>/dev/null)" != "$JPEG_VERSION" ]]; then
    echo "setup: cross-building libjpeg-turbo $JPEG_VERSION for Windows into $JPEG_OUT"
    if ! apt-cache showsrc "libjpeg-turbo=$JPEG_VERSION" 2>/dev/null | grep -q '^Package:'; then
        add_debian_sources
    fi
    SRC="$DEPS/src"
    BUILD="$DEPS/libjpeg-build"
    rm -rf "$SRC" "$JPEG_OUT" "$BUILD"
    mkdir -p "$SRC"
    (cd "$SRC" && apt-get source -qq "libjpeg-turbo=$JPEG_VERSION") >"$DEPS/apt-source.log" 2>&1 \
        || fail "apt-get source libjpeg-turbo=$JPEG_VERSION failed (see $DEPS/apt-source.log)"
    SRCDIR="$(find "$SRC" -maxdepth 1 -mindepth 1 -type d -name 'libjpeg-turbo*' | head -1)"
    [[ -n "$SRCDIR" ]] || fail "no libjpeg-turbo source folder under $SRC"
    cmake -S "$SRCDIR" -B "$BUILD" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-posix.cmake" -DCMAKE_CROSSCOMPILING_EMULATOR= \
        -DCMAKE_SYSTEM_PROCESSOR=AMD64 -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$JPEG_OUT" \
        -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_SIMD=ON -DREQUIRE_SIMD=ON \
        -DCMAKE_ASM_NASM_COMPILER=nasm -Wno-dev >/dev/null || fail "configuring libjpeg-turbo failed"
    cmake --build "$BUILD" -j2 --target install >/dev/null || fail "building libjpeg-turbo failed"
    # Some versions install into lib64 or name the archive after the import library.
    if [[ ! -f "$JPEG_OUT/lib/libjpeg.a" ]]; then
        mkdir -p "$JPEG_OUT/lib"
        cp "$(find "$JPEG_OUT" -name 'libjpeg.a' | head -1)" "$JPEG_OUT/lib/libjpeg.a" \
            || fail "libjpeg.a missing after the build"
    fi
    echo "$JPEG_VERSION" > "$JPEG_OUT/.version"
    rm -rf "$SRC" "$BUILD"
fi

# --- Wine prefix template: no Mono/Gecko prompts, no audio, no crash debugger ----------
"$ROOT/scripts/wine-prefix.sh" template || fail "making the Wine prefix template failed"
echo "setup: ready"
