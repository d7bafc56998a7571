#!/bin/bash
# The same search over one real folder, natively and through FindFirstFile under Wine,
# must find the same records in the same order (names, sizes, modification times).
# Usage: compare-search.sh NATIVE_CLI WINDOWS_CLI
set -euo pipefail
native="$1"
windows="$2"
if [[ ! -x "$native" ]]; then
    echo "native pictavo-cli not built ($native): build the native preset first"
    exit 77
fi
root="$(mktemp -d /tmp/pictavo-compare.XXXXXX)"
trap 'rm -rf "$root"' EXIT
mkdir -p "$root/Фото 2003/пляж" "$root/b-sub/deeper/deepest" "$root/A folder.jpg" "$root/写真"
make() { head -c "$2" /dev/zero > "$root/$1"; touch -d "$3" "$root/$1"; }
make "a.jpg" 10 "2003-07-14 10:30:00"
make "B.JPG" 20 "2004-01-02 03:04:05"
make "b.jpg.txt" 5 "2004-01-02 03:04:05"
make "ab.gif" 30 "2005-05-05 05:05:05"
make "a-b.gif" 31 "2005-05-05 05:05:06"
make "_x.bmp" 40 "2006-06-06 06:06:06"
make "2003 summer.jpeg" 50 "2007-07-07 07:07:07"
make "noext" 60 "2007-07-07 07:07:07"
make "Фото 2003/Лето.jpg" 70 "2008-08-08 08:08:08"
make "Фото 2003/пляж/море.JPG" 80 "2009-09-09 09:09:09"
make "写真/桜.jpg" 90 "2010-10-10 10:10:10"
make "b-sub/deeper/deepest/last.jfif" 100 "2011-11-11 11:11:11"
make "A folder.jpg/inside.jpg" 110 "2012-12-12 12:12:12"

columns() { tr -d '\r' | awk -F'\t' 'NF >= 7 { print $1 "\t" $2 "\t" $3 "\t" $7 }'; }
args=(--ext JPG,JPEG,JFIF,GIF,BMP --sort "Name")
"$native" search "$root/" "${args[@]}" | columns > "$root.native"
winroot="Z:$(echo "$root" | tr '/' '\\')\\"
"$(dirname "$0")/../../scripts/wine-run.sh" "$windows" search "$winroot" "${args[@]}" | columns > "$root.windows"
trap 'rm -rf "$root" "$root.native" "$root.windows"' EXIT
[[ -n "${PV_SHOW:-}" ]] && cat "$root.native"
if ! diff -u "$root.native" "$root.windows"; then
    echo "native and Windows searches differ"
    exit 1
fi
count="$(wc -l < "$root.native")"
if ((count != 11)); then
    echo "expected 11 records, found $count:"
    cat "$root.native"
    exit 1
fi
echo "1 passed, 0 failed"
