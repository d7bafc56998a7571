#!/bin/sh
# Search and sort benchmark.
#   bench/search_bench.sh [BUILD_DIR]     (default build/native; needs pictavo-cli built)
# Builds a 100 000-file tree once under /tmp (10 % pictures, files at depth 4 to 6), warms
# it, then times pictavo-cli search with the default criteria against
#   find ROOT -iname '*.jpg' -printf '%s %T@ %p\n'
# in the same run, alternating the two (median of 7 runs each). Then sorts 100 000 records
# by every key.
set -eu
HERE=$(cd "$(dirname "$0")" && pwd)
REPO=$(cd "$HERE/.." && pwd)
BUILD=${1:-$REPO/build/native}
CLI=$BUILD/bin/pictavo-cli
ROOT=${PV_BENCH_TREE:-/tmp/pv-search-bench-tree}
RUNS=9

[ -x "$CLI" ] || { echo "pictavo-cli not found in $BUILD/bin: build it first" >&2; exit 2; }
if [ ! -f "$ROOT/.complete" ]; then
    echo "building the tree under $ROOT ..."
    rm -rf "$ROOT"
    python3 "$HERE/make_search_tree.py" "$ROOT" 100000 >/dev/null
    touch "$ROOT/.complete"
fi

# Warm the caches: both programs read the same inodes.
find "$ROOT" -printf '%s %T@ %p\n' >/dev/null
"$CLI" search "$ROOT" >/dev/null

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
# Wall and CPU (user + system) milliseconds of one command; the machine may be shared, so
# both are reported.
measure() { /usr/bin/time -f '%e %U %S' -o "$TMPF" "$@" >/dev/null; awk '{printf "%d %d\n", $1 * 1000, ($2 + $3) * 1000}' "$TMPF"; }
TMPF=$(mktemp)
trap 'rm -f "$TMPF"' EXIT

CLI_WALL=""; CLI_CPU=""; FIND_WALL=""; FIND_CPU=""
i=0
while [ $i -lt $RUNS ]; do
    set -- $(measure "$CLI" search "$ROOT"); CLI_WALL="$CLI_WALL $1"; CLI_CPU="$CLI_CPU $2"
    set -- $(measure find "$ROOT" -iname '*.jpg' -printf '%s %T@ %p\n'); FIND_WALL="$FIND_WALL $1"; FIND_CPU="$FIND_CPU $2"
    i=$((i + 1))
done
cw=$(echo $CLI_WALL | tr ' ' '\n' | median); cc=$(echo $CLI_CPU | tr ' ' '\n' | median)
fw=$(echo $FIND_WALL | tr ' ' '\n' | median); fc=$(echo $FIND_CPU | tr ' ' '\n' | median)
records=$("$CLI" search "$ROOT" | tail -n 1)
entries=$(find "$ROOT" -mindepth 1 | wc -l)
echo "tree: $entries entries under $ROOT; pictavo-cli: $records"
echo "medians of $RUNS runs, milliseconds:   wall   cpu"
echo "pictavo-cli search (default criteria): $cw $cc"
echo "find -iname '*.jpg' -printf ...:       $fw $fc"
awk -v a="$cw" -v b="$fw" -v c="$cc" -v d="$fc" 'BEGIN { printf "ratio pictavo-cli / find: wall %.2f, cpu %.2f (target at most 0.70)\n", a / b, c / (d > 0 ? d : 1) }'

# Sorting: a small program over the core library of the same build.
SORT_BIN=$BUILD/bench-sort
if [ ! -x "$SORT_BIN" ] || [ "$HERE/SortBench.cpp" -nt "$SORT_BIN" ] || [ "$BUILD/libpvcore.a" -nt "$SORT_BIN" ]; then
    g++ -std=c++20 -O2 -ffp-contract=off -I"$REPO/src" "$HERE/SortBench.cpp" "$BUILD/libpvcore.a" -ljpeg -o "$SORT_BIN"
fi
"$SORT_BIN"
