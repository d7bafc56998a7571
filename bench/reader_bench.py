#!/usr/bin/python3
"""Reader decode speed beside Pillow, in one run.

Makes ~12-megapixel files (4000 x 3000) of every benchmarked kind in PV_BENCH_DIR
(default /tmp/pv-reader-bench), then measures on the same files:
  * pictavo-readerbench: in process, one reader object decoding repeatedly (buffers reused);
  * Pillow (Debian's python3-pil): Image.open on the bytes in memory plus load(), repeatedly;
  * one `pictavo-cli decode` per process against a process that reads the file and touches
    an output buffer of the decoded size once.
Usage: bench/reader_bench.py BUILD_DIR   (configured with -DPV_BENCH=ON; pictavo-cli built)
"""
import io
import os
import subprocess
import sys
import time

from PIL import Image

W, H = 4000, 3000
TARGETS = {  # Mpixel/s the reader must reach in process
    "tga24.tga": 600, "tga24_rle.tga": 500, "bmp24.bmp": 600, "bmp8.bmp": 300,
    "pcx8.pcx": 300, "pcx24.pcx": 250, "psd_packbits.psd": 150,
}


def make_files(d):
    os.makedirs(d, exist_ok=True)
    if all(os.path.exists(os.path.join(d, f)) for f in TARGETS):
        return
    # A smooth picture with some texture: random colours blown up and posterised, so the
    # run-length formats find runs of a few pixels, as in graphics and scanned pictures.
    small = Image.frombytes("RGB", (W // 16, H // 16), os.urandom(3 * (W // 16) * (H // 16)))
    rgb = small.resize((W, H), Image.BICUBIC)
    rgb = Image.eval(rgb, lambda v: v & 0xF0)
    pal = rgb.quantize(256)
    rgb.save(os.path.join(d, "tga24.tga"))
    rgb.save(os.path.join(d, "tga24_rle.tga"), compression="tga_rle")
    rgb.save(os.path.join(d, "bmp24.bmp"))
    pal.save(os.path.join(d, "bmp8.bmp"))
    pal.save(os.path.join(d, "pcx8.pcx"))
    rgb.save(os.path.join(d, "pcx24.pcx"))
    png = os.path.join(d, "base.png")
    rgb.save(png, compress_level=1)
    subprocess.run(["convert", png, "-depth", "8", "-compress", "RLE", os.path.join(d, "psd_packbits.psd")],
                   check=True)


def pillow_rate(path, seconds):
    data = open(path, "rb").read()
    best, total, runs = 1e30, 0.0, 0
    while total < seconds or runs < 3:
        t = time.perf_counter()
        im = Image.open(io.BytesIO(data))
        im.load()
        t = time.perf_counter() - t
        best, total, runs = min(best, t), total + t, runs + 1
    return im.size[0] * im.size[1] / best / 1e6


def best_wall(cmd, runs=5):
    best = 1e30
    for _ in range(runs):
        t = time.perf_counter()
        subprocess.run(cmd, check=True, stdout=subprocess.DEVNULL)
        best = min(best, time.perf_counter() - t)
    return best


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else "build/native"
    d = os.environ.get("PV_BENCH_DIR", "/tmp/pv-reader-bench")
    seconds = float(os.environ.get("PV_BENCH_SECONDS", "2"))
    make_files(d)
    bench = os.path.join(build, "bench", "pictavo-readerbench")
    if not os.path.exists(bench):
        bench = os.path.join(build, "bin", "pictavo-readerbench")
    cli = os.path.join(build, "bin", "pictavo-cli")
    files = [os.path.join(d, f) for f in TARGETS]
    ours = {}
    out = subprocess.run([bench, str(seconds)] + files, check=True, capture_output=True, text=True).stdout
    for line in out.splitlines():
        path, _, rate = line.split()
        ours[os.path.basename(path)] = float(rate)
    print(f"{'file':18} {'pictavo Mpx/s':>14} {'Pillow Mpx/s':>13} {'target':>7}  verdict")
    failed = 0
    for f, target in TARGETS.items():
        peer = pillow_rate(os.path.join(d, f), seconds)
        ok = ours[f] >= target and ours[f] > peer
        failed += 0 if ok else 1
        print(f"{f:18} {ours[f]:14.0f} {peer:13.0f} {target:7d}  {'ok' if ok else 'MISSED'}")
    print()
    print(f"{'one decode per process':24} {'cli ms':>8} {'read+touch ms':>14} {'ratio':>6}")
    for f in TARGETS:
        path = os.path.join(d, f)
        cli_t = best_wall([cli, "decode", path, os.path.join(d, "out.bmp")])
        base_t = best_wall([bench, "--touch", path, str(((3 * W + 3) & ~3) * H)])
        ratio = cli_t / base_t
        failed += 0 if ratio <= 2 else 1
        print(f"{f:24} {cli_t * 1e3:8.1f} {base_t * 1e3:14.1f} {ratio:6.2f}{'' if ratio <= 2 else '  MISSED'}")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
