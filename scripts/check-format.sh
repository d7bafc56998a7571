#!/bin/bash
# The tree follows .clang-format: a drifting file fails the test command.
# `bash scripts/check-format.sh --fix` rewrites the drifting files instead.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
cd "$ROOT"
mapfile -t files < <(git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'fuzz/*.cpp' 'fuzz/*.h' \
    'bench/*.cpp' 'bench/*.h')
if [[ "${1:-}" == --fix ]]; then
    clang-format -i "${files[@]}"
    exit 0
fi
if ! clang-format --dry-run --Werror "${files[@]}" 2>/tmp/pictavo-format.$$; then
    grep -o '^[^:]*\.\(cpp\|h\)' /tmp/pictavo-format.$$ | sort -u | sed 's/^/format drift: /'
    rm -f /tmp/pictavo-format.$$
    echo "run 'bash scripts/check-format.sh --fix'"
    exit 1
fi
rm -f /tmp/pictavo-format.$$
echo "format: ${#files[@]} files follow .clang-format"
