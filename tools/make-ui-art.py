#!/usr/bin/python3
"""Draws the user-interface pictures of Pictavo.exe into res/art/: the tool-bar strip (202, and
its double-size twin 1202), the empty strip of tool bar 2 (204), the five keyword-bar button
strips (236..240 and their twins 1236..1240), the folder tree's images (116), the status-bar icon
(248) and the program icon.

Everything is drawn at 4x and scaled down, so edges are smooth at 100 % and 200 %. Tool-bar
pictures are flattened onto the button face colour; untouched pixels become magenta, which the
tool bar treats as transparent. Needs Debian's python3-pil. Run: /usr/bin/python3 tools/make-ui-art.py
"""
import os

from PIL import Image, ImageDraw, ImageFont

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = os.path.join(ROOT, "res", "art")
FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
SS = 4  # supersampling
MAGENTA = (255, 0, 255)
FACE = (240, 240, 240)

# A small, consistent palette.
BLUE = (38, 110, 196)
BLUE_DARK = (22, 72, 140)
GREEN = (46, 160, 84)
GREEN_DARK = (28, 110, 56)
YELLOW = (246, 196, 72)
YELLOW_DARK = (196, 140, 30)
INK = (60, 66, 76)
PAPER = (255, 255, 255)
RED = (210, 64, 56)


def canvas(w, h, scale):
    return Image.new("RGBA", (w * SS * scale, h * SS * scale), (0, 0, 0, 0))


def flatten_masked(img, w, h):
    """Scale down and flatten onto the button face; transparent pixels become magenta."""
    small = img.resize((w, h), Image.LANCZOS)
    out = Image.new("RGB", (w, h), MAGENTA)
    px = small.load()
    opx = out.load()
    for y in range(h):
        for x in range(w):
            r, g, b, a = px[x, y]
            if a < 24:
                continue
            t = a / 255.0
            opx[x, y] = tuple(int(round(c * t + f * (1 - t))) for c, f in zip((r, g, b), FACE))
    return out


# --- tool-bar glyphs: each draws into a 28x21 cell (units of 1/4 px at scale 1) ------------------
def box(u, x0, y0, x1, y1):
    return [x0 * u, y0 * u, x1 * u, y1 * u]


def glyph_new(d, u):
    d.polygon([(8 * u, 2 * u), (17 * u, 2 * u), (21 * u, 6 * u), (21 * u, 19 * u), (8 * u, 19 * u)],
              fill=PAPER, outline=INK, width=u)
    d.polygon([(17 * u, 2 * u), (17 * u, 6 * u), (21 * u, 6 * u)], fill=(214, 222, 232), outline=INK, width=u)
    d.ellipse(box(u, 19, 1, 25, 7), fill=YELLOW, outline=YELLOW_DARK, width=u)


def folder(d, u, x, y, w, h, open_=False):
    d.rounded_rectangle(box(u, x, y, x + w * 0.45, y + 3), radius=u, fill=YELLOW_DARK)
    d.rounded_rectangle(box(u, x, y + 2, x + w, y + h), radius=u, fill=YELLOW, outline=YELLOW_DARK, width=u)
    if open_:
        d.polygon([(x * u + 3 * u, (y + 6) * u), ((x + w + 2) * u, (y + 6) * u), ((x + w - 1) * u, (y + h) * u),
                   (x * u, (y + h) * u)], fill=(252, 220, 120), outline=YELLOW_DARK)


def glyph_open(d, u):
    folder(d, u, 4, 5, 18, 13, open_=True)
    d.polygon([(17 * u, 1 * u), (23 * u, 5 * u), (17 * u, 9 * u)], fill=GREEN, outline=GREEN_DARK)
    d.rectangle(box(u, 12, 4, 17, 6), fill=GREEN)


def magnifier(d, u, cx, cy, r, sign=None):
    d.line([((cx + r * 0.65) * u, (cy + r * 0.65) * u), ((cx + r * 1.55) * u, (cy + r * 1.55) * u)], fill=INK,
           width=int(3 * u))
    d.ellipse(box(u, cx - r, cy - r, cx + r, cy + r), fill=(226, 240, 252), outline=BLUE_DARK, width=int(1.6 * u))
    if sign:
        d.line([((cx - r * 0.5) * u, cy * u), ((cx + r * 0.5) * u, cy * u)], fill=BLUE_DARK, width=int(1.8 * u))
        if sign == "+":
            d.line([(cx * u, (cy - r * 0.5) * u), (cx * u, (cy + r * 0.5) * u)], fill=BLUE_DARK, width=int(1.8 * u))


def glyph_folder(d, u):
    folder(d, u, 3, 5, 16, 13)
    magnifier(d, u, 18, 9, 4.5)


def glyph_save(d, u):
    d.rounded_rectangle(box(u, 6, 2, 22, 19), radius=2 * u, fill=BLUE, outline=BLUE_DARK, width=u)
    d.rectangle(box(u, 9, 2.5, 19, 8), fill=(236, 242, 250))
    d.rectangle(box(u, 15, 3.5, 17.5, 7), fill=BLUE_DARK)
    d.rounded_rectangle(box(u, 9, 11, 19, 18.5), radius=u, fill=PAPER)
    for yy in (13.5, 16):
        d.line([(11 * u, yy * u), (17 * u, yy * u)], fill=(170, 180, 196), width=u)


def glyph_original(d, u):
    d.rounded_rectangle(box(u, 3, 3, 25, 18), radius=2 * u, fill=PAPER, outline=INK, width=u)
    font = ImageFont.truetype(FONT, int(9.5 * u))
    d.text((14 * u, 10.8 * u), "1:1", font=font, fill=BLUE_DARK, anchor="mm")


def glyph_zoomin(d, u):
    magnifier(d, u, 12, 9, 6.5, "+")


def glyph_zoomout(d, u):
    magnifier(d, u, 12, 9, 6.5, "-")


def arrow(d, u, left):
    pts = [(4, 10.5), (13, 2.5), (13, 7), (24, 7), (24, 14), (13, 14), (13, 18.5)]
    if not left:
        pts = [(28 - x, y) for x, y in pts]
    d.polygon([(x * u, y * u) for x, y in pts], fill=GREEN, outline=GREEN_DARK, width=u)


def glyph_back(d, u):
    arrow(d, u, True)


def glyph_forward(d, u):
    arrow(d, u, False)


TOOLBAR = [glyph_new, glyph_open, glyph_folder, glyph_save, glyph_original, glyph_zoomin, glyph_zoomout,
           glyph_back, glyph_forward]


def toolbar_strip(scale):
    w, h = 28 * scale, 21 * scale
    strip = Image.new("RGB", (w * len(TOOLBAR), h), MAGENTA)
    for i, glyph in enumerate(TOOLBAR):
        img = canvas(28, 21, scale)
        glyph(ImageDraw.Draw(img), SS * scale)
        strip.paste(flatten_masked(img, w, h), (i * w, 0))
    return strip


# --- keyword-bar buttons: three faces (normal, pressed, disabled), 54x21 ------------------------
KEYWORD_BUTTONS = [("Keys", "key"), ("Names", "name"), ("Files", "file"), ("Folders", "folder"), ("All", "all")]


def small_mark(d, u, kind, x, y, colour):
    if kind == "key":
        d.ellipse(box(u, x, y + 1, x + 5, y + 6), outline=colour, width=int(1.5 * u))
        d.line([((x + 5) * u, (y + 3.5) * u), ((x + 10) * u, (y + 3.5) * u)], fill=colour, width=int(1.5 * u))
        d.line([((x + 8.5) * u, (y + 3.5) * u), ((x + 8.5) * u, (y + 6) * u)], fill=colour, width=int(1.5 * u))
    elif kind == "name":
        font = ImageFont.truetype(FONT, int(8 * u))
        d.text(((x + 4.5) * u, (y + 3.8) * u), "Aa", font=font, fill=colour, anchor="mm")
    elif kind == "file":
        d.polygon([((x + 2) * u, y * u), ((x + 7) * u, y * u), ((x + 9) * u, (y + 2) * u), ((x + 9) * u, (y + 8) * u),
                   ((x + 2) * u, (y + 8) * u)], outline=colour, width=int(1.4 * u))
    elif kind == "folder":
        d.rounded_rectangle(box(u, x, y + 1.5, x + 10, y + 8), radius=u, outline=colour, width=int(1.4 * u))
        d.line([(x * u, (y + 1.5) * u), ((x + 4) * u, (y + 1.5) * u)], fill=colour, width=int(2 * u))
    else:
        small_mark(d, u, "file", x - 1, y, colour)
        d.rounded_rectangle(box(u, x + 5, y + 3, x + 12, y + 8), radius=u, outline=colour, width=int(1.4 * u))


def keyword_face(label, kind, face, scale):
    w, h = 54, 21
    img = canvas(w, h, scale)
    d = ImageDraw.Draw(img)
    u = SS * scale
    if face == 0:
        top, bottom, edge, text, mark = (252, 253, 255), (222, 230, 242), (140, 156, 182), INK, BLUE
    elif face == 1:
        top, bottom, edge, text, mark = (196, 212, 236), (222, 232, 246), (82, 104, 142), BLUE_DARK, BLUE_DARK
    else:
        top, bottom, edge, text, mark = (244, 244, 244), (236, 236, 236), (196, 196, 196), (166, 166, 166), (176, 176, 176)
    # Vertical gradient body.
    body = Image.new("RGBA", img.size, (0, 0, 0, 0))
    bd = ImageDraw.Draw(body)
    for y in range(img.size[1]):
        t = y / max(1, img.size[1] - 1)
        bd.line([(0, y), (img.size[0], y)], fill=tuple(int(a + (b - a) * t) for a, b in zip(top, bottom)) + (255,))
    mask = Image.new("L", img.size, 0)
    ImageDraw.Draw(mask).rounded_rectangle([u * 0.5, u * 0.5, (w - 0.5) * u, (h - 0.5) * u], radius=4 * u, fill=255)
    img.paste(body, (0, 0), mask)
    d.rounded_rectangle([u * 0.5, u * 0.5, (w - 0.5) * u, (h - 0.5) * u], radius=4 * u, outline=edge, width=u)
    shift = 0.7 if face == 1 else 0
    small_mark(d, u, kind, 4 + shift, 6.5 + shift, mark)
    font = ImageFont.truetype(FONT, int(8.2 * u))
    d.text(((33 + shift) * u, (10.8 + shift) * u), label, font=font, fill=text, anchor="mm")
    small = img.resize((w * scale, h * scale), Image.LANCZOS)
    out = Image.new("RGB", small.size, FACE)
    out.paste(small, (0, 0), small)
    return out


def keyword_strip(label, kind, scale):
    faces = [keyword_face(label, kind, f, scale) for f in range(3)]
    strip = Image.new("RGB", (54 * scale * 3, 21 * scale), FACE)
    for i, f in enumerate(faces):
        strip.paste(f, (i * 54 * scale, 0))
    return strip


# --- icons ------------------------------------------------------------------------------------------
def picture_icon(size):
    """The program's mark: a framed photograph (sky, sun, hills) with a magnifier's rim."""
    img = Image.new("RGBA", (size * SS, size * SS), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    u = size * SS / 32.0
    d.rounded_rectangle([1.5 * u, 4 * u, 30.5 * u, 28 * u], radius=3.5 * u, fill=PAPER, outline=BLUE_DARK,
                        width=max(1, int(1.6 * u)))
    inner = [4.5 * u, 7 * u, 27.5 * u, 25 * u]
    sky = Image.new("RGBA", img.size, (0, 0, 0, 0))
    sd = ImageDraw.Draw(sky)
    for y in range(int(inner[1]), int(inner[3]) + 1):
        t = (y - inner[1]) / max(1, inner[3] - inner[1])
        sd.line([(inner[0], y), (inner[2], y)], fill=(int(86 + 90 * t), int(150 + 70 * t), int(230 + 20 * t), 255))
    sd.ellipse([19 * u, 9 * u, 24.5 * u, 14.5 * u], fill=YELLOW)
    sd.polygon([(4.5 * u, 25 * u), (12 * u, 14 * u), (18 * u, 21 * u), (21 * u, 17.5 * u), (27.5 * u, 25 * u)],
               fill=GREEN)
    sd.polygon([(12 * u, 14 * u), (14.2 * u, 17.2 * u), (9.8 * u, 17.2 * u)], fill=PAPER)
    mask = Image.new("L", img.size, 0)
    ImageDraw.Draw(mask).rounded_rectangle(inner, radius=1.5 * u, fill=255)
    img.paste(sky, (0, 0), mask)
    return img.resize((size, size), Image.LANCZOS)


def status_icon(size):
    """Small picture sign for the status bar."""
    img = Image.new("RGBA", (size * SS, size * SS), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    u = size * SS / 16.0
    d.rounded_rectangle([0.5 * u, 2 * u, 15.5 * u, 14 * u], radius=1.5 * u, fill=(120, 180, 240), outline=BLUE_DARK,
                        width=max(1, int(u)))
    d.ellipse([10 * u, 4 * u, 13 * u, 7 * u], fill=YELLOW)
    d.polygon([(1.5 * u, 13 * u), (6 * u, 7 * u), (9.5 * u, 11 * u), (11 * u, 9.5 * u), (14.5 * u, 13 * u)],
              fill=GREEN)
    return img.resize((size, size), Image.LANCZOS)


# --- folder tree of the search dialog: 16x16 images, 0 unused, 1 folder, 2 file, 3 drive -------------
def tree_folder(d, u):
    folder(d, u, 1, 2.5, 14, 11)


def tree_file(d, u):
    d.polygon([(3 * u, 1 * u), (10 * u, 1 * u), (13 * u, 4 * u), (13 * u, 15 * u), (3 * u, 15 * u)],
              fill=PAPER, outline=INK, width=u)
    d.rectangle(box(u, 5, 8, 11, 13), fill=(120, 176, 228))
    d.polygon([(5 * u, 13 * u), (8 * u, 9.5 * u), (11 * u, 13 * u)], fill=GREEN)


def tree_drive(d, u):
    d.rounded_rectangle(box(u, 0.5, 5, 15.5, 12), radius=1.5 * u, fill=(206, 212, 222), outline=INK, width=u)
    d.rectangle(box(u, 2.5, 9, 9, 10), fill=(150, 158, 170))
    d.ellipse(box(u, 11.5, 7.5, 13.5, 9.5), fill=GREEN)


def tree_strip():
    strip = Image.new("RGB", (64, 16), MAGENTA)
    for i, glyph in enumerate([None, tree_folder, tree_file, tree_drive]):
        if glyph is None:
            continue
        img = canvas(16, 16, 1)
        glyph(ImageDraw.Draw(img), SS)
        strip.paste(flatten_masked(img, 16, 16), (i * 16, 0))
    return strip


def save_icon(path, draw, sizes):
    images = [draw(s) for s in sizes]
    images[-1].save(path, format="ICO", sizes=[(s, s) for s in sizes], append_images=images[:-1])


def main():
    os.makedirs(OUT, exist_ok=True)
    toolbar_strip(1).save(os.path.join(OUT, "toolbar202.bmp"))
    toolbar_strip(2).save(os.path.join(OUT, "toolbar202-2x.bmp"))
    # Tool bar 2 shows labels alone: its strip is a face-coloured sliver.
    Image.new("RGB", (80, 2), FACE).save(os.path.join(OUT, "toolbar204.bmp"))
    for k, (label, kind) in enumerate(KEYWORD_BUTTONS):
        keyword_strip(label, kind, 1).save(os.path.join(OUT, "keyword%d.bmp" % (236 + k)))
        keyword_strip(label, kind, 2).save(os.path.join(OUT, "keyword%d-2x.bmp" % (236 + k)))
    tree_strip().save(os.path.join(OUT, "tree116.bmp"))
    save_icon(os.path.join(OUT, "pictavo.ico"), picture_icon, [16, 24, 32, 48, 64, 256])
    save_icon(os.path.join(OUT, "status248.ico"), status_icon, [16, 20, 24, 32])


if __name__ == "__main__":
    main()
