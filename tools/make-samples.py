#!/usr/bin/env python3
"""Draws the bundled sample pictures (samples/) from scratch: a 24-bit landscape and an
8-bit palette picture, as plain uncompressed BMP files. Run: python3 tools/make-samples.py"""
import math
import os
import struct

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "samples")


def bmp(width, height, bits, rows_bottom_up, palette=b""):
    stride = ((width * bits + 31) // 32) * 4
    data = b"".join(r + b"\0" * (stride - len(r)) for r in rows_bottom_up)
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(data), 2835, 2835,
                       len(palette) // 4, 0)
    return header + info + palette + data


def landscape(w, h):
    """Sunset over hills and water, drawn per pixel."""
    sun_x, sun_y, sun_r = w * 0.68, h * 0.42, h * 0.11
    rows = []
    for y in range(h):  # top-down, reversed at the end
        row = bytearray()
        t = y / h
        for x in range(w):
            hill = h * (0.58 + 0.06 * math.sin(x / w * 7.0) + 0.03 * math.sin(x / w * 23.0 + 1.0))
            if y > h * 0.72:  # water reflects the sky, darker, with ripples
                ry = 2 * h * 0.72 - y
                ripple = 0.94 + 0.06 * math.sin(y * 0.7 + math.sin(x * 0.03) * 2)
                r, g, b = sky(ry / h)
                d = math.hypot(x - sun_x, (ry - sun_y) * 1.6)
                if d < sun_r * 1.2:
                    r, g, b = mix((r, g, b), (255, 214, 120), max(0.0, 1 - d / (sun_r * 1.2)))
                r, g, b = (int(c * 0.62 * ripple) for c in (r, g, b))
            elif y > hill:
                shade = 0.55 + 0.45 * (1 - (y - hill) / (h * 0.3))
                r, g, b = int(40 * shade), int(92 * shade), int(58 * shade)
            else:
                r, g, b = sky(t)
                d = math.hypot(x - sun_x, y - sun_y)
                if d < sun_r:
                    r, g, b = 255, 226, 140
                elif d < sun_r * 2.2:
                    r, g, b = mix((r, g, b), (255, 200, 120), (1 - (d - sun_r) / (sun_r * 1.2)) * 0.6)
            row += bytes((clamp(b), clamp(g), clamp(r)))
        rows.append(bytes(row))
    return rows[::-1]


def sky(t):
    top, horizon = (38, 52, 120), (250, 150, 92)
    return mix(top, horizon, min(1.0, max(0.0, t / 0.6)))


def mix(a, b, f):
    return tuple(int(a[i] + (b[i] - a[i]) * f) for i in range(3))


def clamp(v):
    return max(0, min(255, int(v)))


def palette_picture(w, h):
    """Colour wheel rings on an 8-bit palette of 256 hues and greys."""
    pal = bytearray()
    for i in range(256):
        if i < 216:
            r, g, b = (i // 36) * 51, ((i // 6) % 6) * 51, (i % 6) * 51
        else:
            r = g = b = (i - 216) * 255 // 39
        pal += bytes((b, g, r, 0))
    rows = []
    cx, cy = w / 2, h / 2
    for y in range(h):
        row = bytearray()
        for x in range(w):
            d = math.hypot(x - cx, y - cy)
            a = (math.atan2(y - cy, x - cx) + math.pi) / (2 * math.pi)
            if d > min(w, h) * 0.46:
                row.append(216 + int(39 * y / h))
            else:
                ring = int(d / (min(w, h) * 0.46) * 5)
                row.append(int(a * 36) % 36 + 36 * ring)
        rows.append(bytes(row))
    return rows[::-1], bytes(pal)


def main():
    os.makedirs(OUT, exist_ok=True)
    w, h = 640, 427
    with open(os.path.join(OUT, "sunset.bmp"), "wb") as f:
        f.write(bmp(w, h, 24, landscape(w, h)))
    rows, pal = palette_picture(301, 301)
    with open(os.path.join(OUT, "colour-wheel.bmp"), "wb") as f:
        f.write(bmp(301, 301, 8, rows, pal))


if __name__ == "__main__":
    main()
