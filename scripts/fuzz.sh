#!/bin/bash
# fuzz.sh [SECONDS]: runs every fuzz target of build/fuzz for SECONDS each (default 10),
# seeded from fuzz/seeds/<Target>/ and the matching shared test-data folder. Prints the
# executions per target; exits non-zero when any target finds a crash, leak or hang.
set -uo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
SECONDS_PER_TARGET="${1:-10}"
BIN="$ROOT/build/fuzz/bin"
WORK="$ROOT/build/fuzz/run"
TESTDATA="$ROOT/../shared/testdata"
status=0
shopt -s nullglob
targets=("$BIN"/Fuzz*)
if ((${#targets[@]} == 0)); then
    echo "fuzz: no targets built (cmake --preset fuzz && cmake --build --preset fuzz)" >&2
    exit 1
fi
for target in "${targets[@]}"; do
    name="$(basename "$target")"
    format="$(echo "${name#Fuzz}" | tr '[:upper:]' '[:lower:]')"
    corpus="$WORK/$name/corpus"
    artifacts="$WORK/$name/artifacts/"
    mkdir -p "$corpus" "$artifacts"
    seeds=()
    [[ -d "$ROOT/fuzz/seeds/$name" ]] && seeds+=("$ROOT/fuzz/seeds/$name")
    [[ -d "$TESTDATA/$format" ]] && seeds+=("$TESTDATA/$format")
    log="$WORK/$name/log.txt"
    "$target" -max_total_time="$SECONDS_PER_TARGET" -timeout=10 -rss_limit_mb=4096 -print_final_stats=1 \
        -artifact_prefix="$artifacts" "$corpus" "${seeds[@]}" >"$log" 2>&1
    rc=$?
    execs="$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$')"
    if ((rc != 0)); then
        echo "fuzz: $name FAILED after ${execs:-?} executions (see $log)"
        grep -m3 -E 'ERROR|SUMMARY' "$log"
        status=1
    else
        echo "fuzz: $name ok, ${execs:-?} executions in ${SECONDS_PER_TARGET}s"
    fi
done
exit $status
