#!/bin/sh
# A longer fuzzing campaign over the reader targets: each runs for SECONDS (default 600)
# from its seeds plus the matching shared test files, then its executions and findings are
# printed. Usage: bench/fuzz_campaign.sh [SECONDS] [BUILD_DIR] [TARGET...]
# BUILD_DIR defaults to build/fuzz (cmake --preset fuzz && cmake --build --preset fuzz).
set -u
cd "$(dirname "$0")/.." || exit 1
seconds=${1:-600}
build=${2:-build/fuzz}
[ $# -ge 2 ] && shift 2 || shift $#
targets=${*:-"FuzzPcx FuzzTga FuzzPsd FuzzIco FuzzCur FuzzBmp"}
testdata=${PV_TESTDATA:-../shared/testdata}
work=$(mktemp -d "${TMPDIR:-/tmp}/pictavo-fuzz.XXXXXX")
status=0
printf '%-8s %12s %10s %8s %s\n' target executions exec/s findings artifacts
for t in $targets; do
    bin=$build/bin/$t
    if [ ! -x "$bin" ]; then
        echo "$t: $bin not built" >&2
        status=1
        continue
    fi
    format=$(echo "${t#Fuzz}" | tr 'A-Z' 'a-z')
    corpus=$work/$t
    artifacts=$work/$t-findings
    mkdir -p "$corpus" "$artifacts"
    dirs="$corpus fuzz/seeds/$t"
    [ -d "$testdata/$format" ] && dirs="$dirs $testdata/$format"
    [ -d "$testdata/synthetic/$format" ] && dirs="$dirs $testdata/synthetic/$format"
    # -fork keeps the campaign going after a finding, so every one is counted.
    "$bin" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=3072 -max_len=65536 -print_final_stats=1 \
        -fork=1 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1 \
        -artifact_prefix="$artifacts/" $dirs >"$work/$t.log" 2>&1
    # Fork mode reports "#RUNS: cov: ... exec/s N oom/timeout/crash: A/B/C" lines.
    last=$(grep -E '^#[0-9]+: ' "$work/$t.log" | tail -1)
    execs=$(echo "$last" | sed -n 's/^#\([0-9]*\):.*/\1/p')
    rate=$(echo "$last" | sed -n 's/.*exec\/s \([0-9]*\).*/\1/p')
    counted=$(echo "$last" | sed -n 's/.*oom\/timeout\/crash: \([0-9]*\)\/\([0-9]*\)\/\([0-9]*\).*/\1 \2 \3/p' |
        awk '{print $1 + $2 + $3}')
    files=$(find "$artifacts" -type f | wc -l)
    findings=${counted:-0}
    [ "$files" -gt "$findings" ] && findings=$files
    printf '%-8s %12s %10s %8s %s\n' "$t" "$execs" "${rate:-?}" "$findings" "$artifacts"
    [ "$findings" -eq 0 ] || status=1
done
echo "logs and corpora: $work"
exit $status
