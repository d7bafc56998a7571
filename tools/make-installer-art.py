#!/usr/bin/python3
"""Draws the installer's pictures into res/installer/: the welcome and finish pages' side
picture (wizard.bmp, 164 x 314) and the other pages' header picture (header.bmp, 150 x 57),
both from the program icon. Needs Debian's python3-pil. Run: /usr/bin/python3 tools/make-installer-art.py
"""
import os

from PIL import Image, ImageDraw, ImageFont

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = os.path.join(ROOT, "res", "installer")
FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
TOP = (34, 52, 110)
BOTTOM = (236, 140, 86)


def icon(size):
    ico = Image.open(os.path.join(ROOT, "res", "art", "pictavo.ico"))
    ico.size = (256, 256)
    return ico.convert("RGBA").resize((size, size), Image.LANCZOS)


def wizard():
    w, h = 164, 314
    img = Image.new("RGB", (w, h))
    draw = ImageDraw.Draw(img)
    for y in range(h):
        t = y / (h - 1)
        draw.line([(0, y), (w, y)], fill=tuple(round(a + (b - a) * t) for a, b in zip(TOP, BOTTOM)))
    mark = icon(96)
    img.paste(mark, ((w - 96) // 2, 40), mark)
    font = ImageFont.truetype(FONT, 22)
    text = "Pictavo"
    box = draw.textbbox((0, 0), text, font=font)
    draw.text(((w - (box[2] - box[0])) // 2, 150), text, font=font, fill=(255, 255, 255))
    img.save(os.path.join(OUT, "wizard.bmp"))


def header():
    img = Image.new("RGB", (150, 57), (255, 255, 255))
    mark = icon(48)
    img.paste(mark, (150 - 48 - 6, 4), mark)
    img.save(os.path.join(OUT, "header.bmp"))


wizard()
header()
