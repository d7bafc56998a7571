#!/bin/bash
# Thumbnail speed beside the floor and the peers, on one folder of real JPEG photos:
#   bench/thumbs_bench.sh [BUILD_DIR]      (default build/native; needs bin/pictavo-cli)
# Corpus: the photographs of Debian's mate-backgrounds and lomiri-wallpapers packages plus
# copies re-encoded at 1 to 24 MP, in build/bench/thumbs (never in the repository).
# Floor: libjpeg-turbo's own 1/8 decode of the same files in one process (bench/jpeg_floor.c);
# djpeg -scale 1/8 per file is shown beside it. Peers: Pillow's draft mode, ImageMagick with
# a size hint, vipsthumbnail. Each row is the best of three runs (wall, CPU = user + system,
# peak resident memory). Targets: one worker CPU <= 1.03 x the floor's; workers on every core
# wall <= 0.6 x the floor's wall; peak memory independent of the folder's size.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/native}
cli=$build/bin/pictavo-cli
work=$root/build/bench/thumbs
corpus=$work/corpus
[ -x "$cli" ] || { echo "no $cli: build the native preset first" >&2; exit 1; }

need=()
for pkg in mate-backgrounds lomiri-wallpapers libvips-tools python3-pil imagemagick libjpeg-turbo-progs \
    libjpeg62-turbo-dev; do
    dpkg -s "$pkg" >/dev/null 2>&1 || need+=("$pkg")
done
if [ ${#need[@]} -gt 0 ]; then
    apt-get install -y --no-install-recommends "${need[@]}" >/dev/null
fi

mkdir -p "$corpus"
if [ ! -f "$corpus/.done" ]; then
    echo "making the corpus..." >&2
    mapfile -t photos < <(find /usr/share/backgrounds /usr/share/wallpapers -iname '*.jpg' -size +100k 2>/dev/null | sort)
    n=0
    for p in "${photos[@]}"; do
        cp "$p" "$corpus/$(printf 'orig_%03d' $n).jpg"
        n=$((n + 1))
    done
    # Re-encoded copies: every photo once more at one of 1, 4, 12 and 24 MP, in turn, until
    # the folder holds at least 160 files.
    sizes=(1152x864 2304x1728 4000x3000 6000x4000)
    i=0
    while [ "$(ls "$corpus" | wc -l)" -lt 160 ]; do
        for p in "${photos[@]}"; do
            s=${sizes[$((i % 4))]}
            convert "$p" -resize "$s!" -quality $((80 + i % 15)) -sampling-factor 2x2 \
                "$corpus/$(printf 'sized_%03d_%s' $i "$s").jpg"
            i=$((i + 1))
            [ "$(ls "$corpus" | wc -l)" -ge 160 ] && break
        done
    done
    touch "$corpus/.done"
fi
mapfile -t files < <(find "$corpus" -name '*.jpg' | sort)
# The same photos twice over (hard links in two subfolders): memory must not grow with them.
double=$work/double
rm -rf "$double" && mkdir -p "$double/a" "$double/b"
for f in "${files[@]}"; do
    ln "$f" "$double/a/" 2>/dev/null || cp "$f" "$double/a/"
    ln "$f" "$double/b/" 2>/dev/null || cp "$f" "$double/b/"
done

gcc -O2 -o "$work/jpeg_floor" "$root/bench/jpeg_floor.c" -ljpeg

cat >"$work/pillow_draft.py" <<'EOF'
import sys
from PIL import Image
for name in sys.argv[1:]:
    with Image.open(name) as im:
        im.draft("RGB", (100, 101))
        im.thumbnail((100, 101), Image.NEAREST)
EOF

# Runs a command three times; prints "wall cpu rss_kb" of the fastest run.
measure() {
    local best=""
    for _ in 1 2 3; do
        /usr/bin/time -o "$work/time.txt" -f "%e %U %S %M" "$@" >/dev/null 2>&1 || true
        local wall user sys rss cpu
        read -r wall user sys rss <"$work/time.txt"
        cpu=$(echo "$user + $sys" | bc)
        if [ -z "$best" ] || (($(echo "$wall < ${best%% *}" | bc))); then
            best="$wall $cpu $rss"
        fi
    done
    echo "$best"
}

mp=$(identify -format '%w %h\n' "${files[@]}" 2>/dev/null | awk '{s += $1 * $2} END {printf "%.0f", s / 1e6}')
echo "corpus: ${#files[@]} JPEG files, $mp MP in all, $(du -sh "$corpus" | cut -f1)"
echo

cores=$(nproc)
declare -A rows
rows[floor]=$(measure "$work/jpeg_floor" "${files[@]}")
rows[djpeg]=$(measure bash -c 'for f in "$@"; do djpeg -scale 1/8 -outfile /dev/null "$f"; done' _ "${files[@]}")
rows[one]=$(measure "$cli" thumbs "$corpus" --workers 1)
rows[all]=$(measure "$cli" thumbs "$corpus" --workers "$cores")
rows[double]=$(measure "$cli" thumbs "$double" --workers 1)
rows[pillow]=$(measure /usr/bin/python3 "$work/pillow_draft.py" "${files[@]}")
rows[magick]=$(measure bash -c 'for f in "$@"; do convert -define jpeg:size=200x202 "$f" -thumbnail 100x101 null:; done' _ "${files[@]}")
if command -v vipsthumbnail >/dev/null; then
    mkdir -p "$work/vips"
    rows[vips]=$(measure vipsthumbnail --size 100x101 -o "$work/vips/%s.jpg" "${files[@]}")
fi

read -r floorWall floorCpu _ <<<"${rows[floor]}"
printf '%-44s %8s %8s %9s %10s %9s\n' "decoder" "wall s" "CPU s" "CPU/floor" "wall/floor" "peak MB"
for key in floor djpeg one all double pillow magick vips; do
    [ -n "${rows[$key]:-}" ] || continue
    read -r wall cpu rss <<<"${rows[$key]}"
    case $key in
    floor) name="floor: libjpeg-turbo 1/8, one process" ;;
    djpeg) name="djpeg -scale 1/8, a process per file" ;;
    one) name="pictavo-cli thumbs, 1 worker" ;;
    all) name="pictavo-cli thumbs, $cores workers" ;;
    double) name="pictavo-cli thumbs, 1 worker, folder twice" ;;
    pillow) name="Pillow draft + thumbnail, one process" ;;
    magick) name="ImageMagick -thumbnail, a process per file" ;;
    vips) name="vipsthumbnail, one process" ;;
    esac
    printf '%-44s %8.2f %8.2f %9.3f %10.3f %9.1f\n' "$name" "$wall" "$cpu" \
        "$(echo "$cpu / $floorCpu" | bc -l)" "$(echo "$wall / $floorWall" | bc -l)" "$(echo "$rss / 1024" | bc -l)"
done
