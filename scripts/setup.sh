#!/bin/bash
# Prepares a Debian 12 machine (run as root) to build and test Pictavo. Cheap to run
# again: it installs only missing packages, cross-builds libjpeg-turbo for Windows once,
# and makes the Wine prefix template once.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
DEPS="$ROOT/build/deps"
export DEBIAN_FRONTEND=noninteractive

PACKAGES=(
    cmake ninja-build g++ clang libclang-rt-14-dev clang-format
    googletest libgtest-dev libbenchmark-dev
    libjpeg62-turbo-dev libjpeg-turbo-progs
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
    wine wine64 xvfb x11-utils nasm imagemagick dpkg-dev python3 python3-pil giflib-tools
)

missing=()
for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    echo "setup: installing ${missing[*]}"
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# --- libjpeg-turbo for Windows, from Debian's own source of the native version ---------
JPEG_VERSION="$(dpkg-query -W -f='${Version}' libjpeg62-turbo-dev)"
JPEG_OUT="$DEPS/libjpeg-turbo-mingw"
if [[ "$(cat "$JPEG_OUT/.version" 2>/dev/null)" != "$JPEG_VERSION" ]]; then
    echo "setup: cross-building libjpeg-turbo $JPEG_VERSION for Windows"
    # A source package needs a deb-src entry: mirror the machine's own binary sources.
    if ! grep -rqs '^Types:.*deb-src\|^deb-src ' /etc/apt/sources.list /etc/apt/sources.list.d/; then
        for f in /etc/apt/sources.list.d/*.sources; do
            [[ -f "$f" ]] || continue
            sed 's/^Types: deb$/Types: deb-src/' "$f" > "/etc/apt/sources.list.d/pictavo-src-$(basename "$f")"
        done
        if [[ -f /etc/apt/sources.list ]]; then
            sed -n 's/^deb /deb-src /p' /etc/apt/sources.list > /etc/apt/sources.list.d/pictavo-src.list
        fi
        apt-get update -qq
    fi
    SRC="$DEPS/src"
    rm -rf "$SRC" "$JPEG_OUT" "$DEPS/libjpeg-build"
    mkdir -p "$SRC"
    (cd "$SRC" && apt-get source -qq "libjpeg-turbo=$JPEG_VERSION" >/dev/null 2>&1)
    SRCDIR="$(find "$SRC" -maxdepth 1 -mindepth 1 -type d -name 'libjpeg-turbo*' | head -1)"
    cmake -S "$SRCDIR" -B "$DEPS/libjpeg-build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-posix.cmake" -DCMAKE_CROSSCOMPILING_EMULATOR= \
        -DCMAKE_SYSTEM_PROCESSOR=AMD64 -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$JPEG_OUT" \
        -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_SIMD=ON -DREQUIRE_SIMD=ON \
        -DCMAKE_ASM_NASM_COMPILER=nasm -Wno-dev >/dev/null
    cmake --build "$DEPS/libjpeg-build" -j2 --target install >/dev/null
    # Some versions install into lib64 or name the archive after the import library.
    if [[ ! -f "$JPEG_OUT/lib/libjpeg.a" ]]; then
        mkdir -p "$JPEG_OUT/lib"
        cp "$(find "$JPEG_OUT" -name 'libjpeg.a' | head -1)" "$JPEG_OUT/lib/libjpeg.a"
    fi
    echo "$JPEG_VERSION" > "$JPEG_OUT/.version"
    rm -rf "$SRC" "$DEPS/libjpeg-build"
fi

# --- Wine prefix template: no Mono/Gecko prompts, no audio, no crash debugger ----------
"$ROOT/scripts/wine-prefix.sh" template
echo "setup: ready"
