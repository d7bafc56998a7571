#!/usr/bin/python3
"""Reader decode speed beside Pillow, in one run.

Makes 12-megapixel files (4000 x 3000) of every benchmarked kind in PV_BENCH_DIR
(default /tmp/pv-reader-bench2) and measures on the same files:
  * pictavo-readerbench: in process, one reader object decoding repeatedly (buffers reused);
  * Pillow (Debian's python3-pil): Image.open on the bytes in memory plus load(), repeatedly;
  * one `pictavo-cli decode` per process against a process that reads the file and touches
    an output buffer of the decoded size once.
Every figure is CPU time (user + system), the median of repeated runs, so builds running
beside the benchmark on a shared machine disturb it little.

The files that carry the targets are a photograph-like picture (smooth gradients, sharp
edges, some flat areas, mild noise) written by ImageMagick's convert the way real tools
write these formats: run-length TGA, PCX with its own run length, PSD with PackBits, and a
256-colour dithered version for the 8-bit files. The "noise" rows are a worst case kept
for information (no target): random colours blown up and posterised, so every run-length
packet holds one or two pixels.
Usage: bench/reader_bench.py BUILD_DIR   (configured with -DPV_BENCH=ON; pictavo-cli built)
Environment: PV_BENCH_DIR, PV_BENCH_SECONDS (time per file and decoder, default 2),
PV_BENCH_BEFORE (optional: a pictavo-readerbench built from an earlier commit, shown in a
"before" column for comparison).
"""
import io
import os
import resource
import statistics
import subprocess
import sys
import time

from PIL import Image

W, H = 4000, 3000
CONVERT = "/usr/bin/convert" if os.path.exists("/usr/bin/convert") else "convert"
TARGETS = {  # Mpixel/s the reader must reach in process; None: information only
    "tga24.tga": 600, "tga24_rle.tga": 500, "bmp24.bmp": 600, "bmp8.bmp": 300,
    "pcx8.pcx": 300, "pcx24.pcx": 250, "psd_packbits.psd": 150,
    "noise_tga24_rle.tga": None, "noise_pcx8.pcx": None, "noise_pcx24.pcx": None,
    "noise_psd_packbits.psd": None,
}


def convert(*args):
    subprocess.run([CONVERT, *args], check=True)


def make_photo(d):
    png = os.path.join(d, "photo.png")
    if not os.path.exists(png):
        # Fractal plasma, blurred and enlarged: smooth colour gradients; camera-like noise
        # on top; then flat shapes (a blown-out sky band, a white disc, a black corner, a
        # flat triangle) for the flat areas and hard edges real pictures have.
        convert("-seed", "7", "-size", f"{W // 4}x{H // 4}", "plasma:fractal", "-blur", "0x3",
                "-resize", f"{W}x{H}!", "-attenuate", "0.25", "+noise", "Gaussian",
                "-fill", "#e8eef4", "-draw", f"rectangle 0,0 {W},{H * 7 // 60}",
                "-fill", "#f0f0f0", "-draw", f"circle {W * 3 // 4},{H * 3 // 5} {W * 3 // 4},{H * 4 // 5}",
                "-fill", "black", "-draw", f"rectangle 0,{H * 9 // 10} {W * 3 // 10},{H}",
                "-fill", "#c08040", "-draw", f"polygon {W // 8},{H * 3 // 10} {W * 3 // 8},{H * 11 // 30} "
                                             f"{W * 9 // 40},{H * 2 // 3}",
                "-alpha", "off", "-type", "TrueColor", png)
    out = lambda f: os.path.join(d, f)  # noqa: E731
    pal = out("bmp8.bmp")  # the 256-colour version, dithered as convert does by default
    if not os.path.exists(pal):
        convert(png, "-colors", "256", "-type", "Palette", "-compress", "None", pal)
    jobs = {
        "tga24.tga": [png, "-compress", "None", out("tga24.tga")],
        "tga24_rle.tga": [png, "-compress", "RLE", out("tga24_rle.tga")],
        "bmp24.bmp": [png, "-type", "TrueColor", out("bmp24.bmp")],
        "pcx8.pcx": [pal, "-type", "Palette", out("pcx8.pcx")],
        "pcx24.pcx": [png, "-type", "TrueColor", out("pcx24.pcx")],
        "psd_packbits.psd": [png, "-depth", "8", "-compress", "RLE", out("psd_packbits.psd")],
    }
    for f, args in jobs.items():
        if not os.path.exists(out(f)):
            convert(*args)


def make_noise(d):
    names = ["noise_tga24_rle.tga", "noise_pcx8.pcx", "noise_pcx24.pcx", "noise_psd_packbits.psd"]
    if all(os.path.exists(os.path.join(d, f)) for f in names):
        return
    import random
    rnd = random.Random(5)
    small = Image.frombytes("RGB", (W // 16, H // 16), rnd.randbytes(3 * (W // 16) * (H // 16)))
    rgb = small.resize((W, H), Image.BICUBIC)
    rgb = Image.eval(rgb, lambda v: v & 0xF0)
    rgb.save(os.path.join(d, "noise_tga24_rle.tga"), compression="tga_rle")
    rgb.quantize(256).save(os.path.join(d, "noise_pcx8.pcx"))
    rgb.save(os.path.join(d, "noise_pcx24.pcx"))
    png = os.path.join(d, "noise.png")
    rgb.save(png, compress_level=1)
    convert(png, "-depth", "8", "-compress", "RLE", os.path.join(d, "noise_psd_packbits.psd"))


def pillow_rate(path, seconds):
    data = open(path, "rb").read()
    times, total = [], 0.0
    while total < seconds or len(times) < 5:
        t = time.thread_time()
        im = Image.open(io.BytesIO(data))
        im.load()
        t = time.thread_time() - t
        times.append(t)
        total += t
    return im.size[0] * im.size[1] / statistics.median(times) / 1e6


def child_cpu():
    ru = resource.getrusage(resource.RUSAGE_CHILDREN)
    return ru.ru_utime + ru.ru_stime


def median_cpu(cmd, runs=7):
    times = []
    for _ in range(runs):
        t = child_cpu()
        subprocess.run(cmd, check=True, stdout=subprocess.DEVNULL)
        times.append(child_cpu() - t)
    return statistics.median(times)


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else "build/native"
    d = os.environ.get("PV_BENCH_DIR", "/tmp/pv-reader-bench2")
    seconds = float(os.environ.get("PV_BENCH_SECONDS", "2"))
    os.makedirs(d, exist_ok=True)
    make_photo(d)
    make_noise(d)
    bench = os.path.join(build, "bench", "pictavo-readerbench")
    if not os.path.exists(bench):
        bench = os.path.join(build, "bin", "pictavo-readerbench")
    cli = os.path.join(build, "bin", "pictavo-cli")
    files = [os.path.join(d, f) for f in TARGETS]
    def rates(program):
        got = {}
        out = subprocess.run([program, str(seconds)] + files, check=True, capture_output=True, text=True).stdout
        for line in out.splitlines():
            fields = line.split()
            got[os.path.basename(fields[0])] = float(fields[2])  # the median
        return got

    before_bench = os.environ.get("PV_BENCH_BEFORE")
    before = rates(before_bench) if before_bench else {}
    ours = rates(bench)
    print("in process, Mpixel/s of CPU time, median")
    print(f"{'file':24} {'size MB':>8} {'before' if before else '':>7} {'pictavo':>9} {'Pillow':>8} {'target':>7}  verdict")
    failed = 0
    for f, target in TARGETS.items():
        path = os.path.join(d, f)
        peer = pillow_rate(path, seconds)
        size = os.path.getsize(path) / 1e6
        if target is None:
            verdict = "(worst case, information)"
        else:
            ok = ours[f] >= target and ours[f] > peer
            failed += 0 if ok else 1
            verdict = "ok" if ok else "MISSED"
        was = f"{before[f]:7.0f}" if f in before else " " * 7
        print(f"{f:24} {size:8.1f} {was} {ours[f]:9.0f} {peer:8.0f} {target or '-':>7}  {verdict}")
    print()
    print("one decode per process, CPU ms (user + system), median of 7")
    print(f"{'file':24} {'cli ms':>8} {'read+touch ms':>14} {'ratio':>6}")
    for f, target in TARGETS.items():
        if target is None:
            continue
        path = os.path.join(d, f)
        cli_t = median_cpu([cli, "decode", path, os.path.join(d, "out.bmp")])
        base_t = median_cpu([bench, "--touch", path, str(((3 * W + 3) & ~3) * H)])
        ratio = cli_t / base_t
        failed += 0 if ratio <= 2 else 1
        print(f"{f:24} {cli_t * 1e3:8.1f} {base_t * 1e3:14.1f} {ratio:6.2f}{'' if ratio <= 2 else '  MISSED'}")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
