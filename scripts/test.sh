#!/bin/bash
# Sets up, builds every configuration and runs every test: native, native under
# AddressSanitizer/UndefinedBehaviorSanitizer, Windows under Wine, and a short fuzz run.
set -uo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
cd "$ROOT"
FUZZ_SECONDS="${PV_FUZZ_SECONDS:-10}"

bash scripts/setup.sh || exit 1

failed=()
LOG="$ROOT/build/test-summary.log"
mkdir -p "$ROOT/build"
: > "$LOG"
step() {
    local name="$1"
    shift
    echo "=== $name"
    if ! "$@"; then
        failed+=("$name")
    fi
}

build() {
    cmake --preset "$1" >/dev/null && cmake --build --preset "$1"
}

windows_tests() {
    bash scripts/wine-prefix.sh test-fresh || return 1
    source scripts/wine-env.sh
    export WINEPREFIX="$PV_WINE/test"
    unset DISPLAY
    wineserver -p >/dev/null 2>&1   # keep one server warm for the whole run
    wine cmd /c exit >/dev/null 2>&1
    # The desktop process starts with the first window and inherits that test's output, so
    # ctest would count it as running until the last test ends: start it here, detached.
    (setsid wine explorer.exe /desktop </dev/null >/dev/null 2>&1 &)
    run_ctest windows
    local rc=$?
    wineserver -k >/dev/null 2>&1
    return $rc
}

step "seam check" bash scripts/check-seam.sh
step "format check" bash scripts/check-format.sh
step "build native" build native
step "build asan" build asan
step "build windows" build windows
step "build fuzz" build fuzz
# A test that could not run is no pass: a skip fails its step.
run_ctest() {
    local out rc
    out="$(mktemp)"
    ctest --preset "$1" 2>&1 | tee "$out"
    rc=${PIPESTATUS[0]}
    cat "$out" >> "$LOG"
    if grep -q '\*\*\*Skipped\|(Skipped)' "$out"; then
        echo "some tests of $1 did not run"
        rc=1
    fi
    rm -f "$out"
    return $rc
}

step "test native" run_ctest native
step "test asan" run_ctest asan
step "test windows (Wine)" windows_tests
step "fuzz smoke (${FUZZ_SECONDS}s per target)" bash scripts/fuzz.sh "$FUZZ_SECONDS"

# One closing line over every CTest run: "N passed, N failed".
totals="$(awk '/tests passed, [0-9]+ tests? failed out of/ {
        total += $NF; bad += $(NF-5) } END { printf "%d %d", total - bad, bad }' "$LOG")"
echo
if ((${#failed[@]})); then
    echo "FAILED: ${failed[*]}"
    echo "${totals% *} passed, ${totals#* } failed"
    exit 1
fi
echo "all builds and tests passed"
echo "${totals% *} passed, ${totals#* } failed"
