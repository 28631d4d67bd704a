#!/usr/bin/env python3
"""Draws every picture Tabrix embeds and writes the resource script for them.

Usage: make_assets.py OUTDIR

Everything is drawn from code, so the output is the same bytes on every run.
Small pictures are drawn at SS times their size and averaged down; pictures with
a see-through key colour are then cut with a hard edge, because a pixel blended
towards the key colour would show as a fringe once the key is removed.
"""

import contextlib
import math
import os
import struct
import subprocess
import sys
import zlib

from PIL import Image, ImageChops, ImageDraw, ImageFont

MAGENTA = (255, 0, 255)
WHITE = (255, 255, 255)
SS = 8  # supersampling factor for icons and glyphs

# Resource ids shared by assets.rc and the C++ code, in output order.
ICON_ID = ("IDI_TABRIX", 1)
BUTTONS = [  # (file stem, define, id, width, height)
    ("back", "IDB_BACK", 101, 13, 14),
    ("play", "IDB_PLAY", 102, 13, 14),
    ("pause", "IDB_PAUSE", 103, 14, 15),
    ("stop", "IDB_STOP", 104, 14, 12),
    ("forward", "IDB_FORWARD", 105, 13, 14),
]
BALLOON_ID = ("IDB_BALLOON", 110)
WARNING_ID = ("IDB_WARNING", 111)
PAGES = ["general", "advanced", "modules"]  # tab order of the Settings window
PAGE_BASE = 120
# Popup menu entries top to bottom; the Misc submenu's two entries follow it.
MENU = ["showhide", "reload", "settings", "about", "update", "saveposition",
        "help", "misc", "copyip", "copycpu", "exit"]
MENU_BASE = 130
BANNER_ID = ("IDR_BANNER", 140)
SKINS = ["transparent", "Graphite", "Ocean", "Sand"]


# --------------------------------------------------------------------------
# Drawing surface

class Canvas:
    """An RGBA picture addressed in picture pixels (floats), kept at ss x size.

    Shapes are built as coverage masks first so they can be combined (union,
    cut-outs) and insets of the same shape give borders of exact width.
    """

    def __init__(self, w, h, ss=SS, zoom=None):
        """zoom draws the same picture for a larger scale: coordinates stay in design
        pixels, the result is w x h times zoom (halves rounded up, as the program does).
        Without one the canvas takes the zoom of the drawing under way (drawn_at)."""
        zoom = _zoom[0] if zoom is None else zoom
        self.design = (w, h)
        self.w, self.h = zoomed(w, zoom), zoomed(h, zoom)
        self.ss = ss if zoom == 1 else ss * zoom  # super-pixels per design pixel
        self.size = (self.w * ss, self.h * ss)
        self.img = Image.new("RGBA", self.size, (0, 0, 0, 0))

    def _p(self, x, y):
        return (x * self.ss, y * self.ss)

    def _box(self, box):
        l, t, r, b = box
        s = self.ss
        return (round(l * s), round(t * s), round(r * s) - 1, round(b * s) - 1)

    def _mask(self):
        m = Image.new("L", self.size, 0)
        return m, ImageDraw.Draw(m)

    def rect(self, box, radius=0.0):
        m, d = self._mask()
        l, t, r, b = box
        if r > l and b > t:
            rad = max(0, round(radius * self.ss))
            if rad:
                d.rounded_rectangle(self._box(box), radius=rad, fill=255)
            else:
                d.rectangle(self._box(box), fill=255)
        return m

    def ellipse(self, box):
        m, d = self._mask()
        if box[2] > box[0] and box[3] > box[1]:
            d.ellipse(self._box(box), fill=255)
        return m

    def circle(self, cx, cy, r):
        return self.ellipse((cx - r, cy - r, cx + r, cy + r))

    def polygon(self, pts):
        m, d = self._mask()
        d.polygon([self._p(x, y) for x, y in pts], fill=255)
        return m

    def line(self, pts, width, caps=True):
        m, d = self._mask()
        d.line([self._p(x, y) for x, y in pts], fill=255,
               width=max(1, round(width * self.ss)), joint="curve")
        if caps:
            r = width / 2
            for x, y in (pts[0], pts[-1]):
                d.ellipse(self._box((x - r, y - r, x + r, y + r)), fill=255)
        return m

    def arc(self, cx, cy, r, start, end, width):
        """Arc of a circle of radius r (centre of the stroke), angles in degrees
        clockwise from three o'clock, flat ends."""
        m, d = self._mask()
        ro = r + width / 2
        d.arc(self._box((cx - ro, cy - ro, cx + ro, cy + ro)), start, end,
              fill=255, width=max(1, round(width * self.ss)))
        return m

    def text(self, xy, s, font_path, px, anchor="ls"):
        m, d = self._mask()
        font = ImageFont.truetype(font_path, round(px * self.ss))
        d.text(self._p(*xy), s, font=font, fill=255, anchor=anchor)
        return m

    def vgrad(self, stops, y0=0.0, y1=None):
        return self._grad(stops, y0, self.design[1] if y1 is None else y1, vertical=True)

    def hgrad(self, stops, x0=0.0, x1=None):
        return self._grad(stops, x0, self.design[0] if x1 is None else x1, vertical=False)

    def _grad(self, stops, a, b, vertical):
        n = self.size[1] if vertical else self.size[0]
        line = Image.new("RGB", (1, n) if vertical else (n, 1))
        line.putdata([mix_stops(stops, ((i + 0.5) / self.ss - a) / (b - a))
                      for i in range(n)])
        return line.resize(self.size, Image.NEAREST)

    def paint(self, mask, fill, opacity=1.0):
        """Lays fill (a colour or a gradient from vgrad/hgrad) through mask."""
        if isinstance(fill, Image.Image):
            layer = fill.convert("RGBA")
        else:
            layer = Image.new("RGBA", self.size, tuple(fill[:3]) + (255,))
        if opacity < 1.0:
            mask = mask.point(lambda v: round(v * opacity))
        layer.putalpha(mask)
        self.img.alpha_composite(layer)

    def bordered(self, shape, border, fill, width=1.0):
        """shape(d) gives the mask of the shape shrunk by d picture pixels."""
        self.paint(shape(0), border)
        self.paint(shape(width), fill)

    def result(self):
        return self.img.resize((self.w, self.h), Image.BOX)


_zoom = [1]


@contextlib.contextmanager
def drawn_at(zoom):
    """Every canvas made inside draws its picture for zoom times the design's scale."""
    _zoom[0] = zoom
    try:
        yield
    finally:
        _zoom[0] = 1


def zoomed(n, zoom=None):
    zoom = _zoom[0] if zoom is None else zoom
    return n if zoom == 1 else int(n * zoom + 0.5)


def union(*masks):
    out = masks[0]
    for m in masks[1:]:
        out = ImageChops.lighter(out, m)
    return out


def minus(a, b):
    return ImageChops.subtract(a, b)


def mix(c1, c2, t):
    t = min(1.0, max(0.0, t))
    return tuple(round(a + (b - a) * t) for a, b in zip(c1, c2))


def mix_stops(stops, t):
    """Colour at t along [(position, colour), ...] sorted by position."""
    t = min(1.0, max(0.0, t))
    for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
        if t <= p1:
            return mix(c0, c1, (t - p0) / (p1 - p0) if p1 > p0 else 1.0)
    return stops[-1][1]


def rgb(hexstr):
    v = int(hexstr.lstrip("#"), 16)
    return (v >> 16 & 255, v >> 8 & 255, v & 255)


def offset_polygon(pts, d):
    """Moves every edge of a simple polygon inwards by d (mitred corners)."""
    n = len(pts)
    area = sum(pts[i][0] * pts[(i + 1) % n][1] - pts[(i + 1) % n][0] * pts[i][1]
               for i in range(n))
    sgn = 1.0 if area > 0 else -1.0
    lines = []
    for i in range(n):
        (x0, y0), (x1, y1) = pts[i], pts[(i + 1) % n]
        dx, dy = x1 - x0, y1 - y0
        ln = math.hypot(dx, dy)
        nx, ny = -dy / ln * sgn, dx / ln * sgn
        lines.append(((x0 + nx * d, y0 + ny * d), (dx, dy)))
    out = []
    for i in range(n):
        (p, r), (q, s) = lines[i - 1], lines[i]
        den = r[0] * s[1] - r[1] * s[0]
        if abs(den) < 1e-12:
            out.append(q)
            continue
        t = ((q[0] - p[0]) * s[1] - (q[1] - p[1]) * s[0]) / den
        out.append((p[0] + r[0] * t, p[1] + r[1] * t))
    return out


def keyed(img, key, cut=128):
    """Flattens an RGBA picture onto a key colour with a hard edge.

    Kept pixels keep their own colour (never blended with the key), and a kept
    pixel that happens to equal the key is nudged so it cannot vanish.
    """
    out = []
    for r, g, b, a in img.getdata():
        if a < cut:
            out.append(key)
        elif (r, g, b) == key:
            out.append((r, g, b - 1) if b else (r, g, 1))
        else:
            out.append((r, g, b))
    flat = Image.new("RGB", img.size)
    flat.putdata(out)
    return flat


# --------------------------------------------------------------------------
# File writers

def write_bmp(path, img):
    """24-bit uncompressed bottom-up BMP with a plain BITMAPINFOHEADER."""
    img = img.convert("RGB")
    w, h = img.size
    raw = img.tobytes()
    stride = (w * 3 + 3) & ~3
    pad = b"\0" * (stride - w * 3)
    rows = []
    for y in range(h - 1, -1, -1):
        row = bytearray(raw[y * w * 3:(y + 1) * w * 3])
        row[0::3], row[2::3] = row[2::3], row[0::3]
        rows.append(bytes(row) + pad)
    data = b"".join(rows)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data),
                       3780, 3780, 0, 0)
    _write(path, header + info + data)


def _ico_entry(img, bpp):
    """One icon image in the classic DIB form (colour bits + AND mask), which
    every Windows version and Wine load; PNG-compressed entries would not load
    before Vista."""
    w, h = img.size
    px = list(img.getdata())
    xor_rows, and_rows = [], []
    and_stride = ((w + 31) // 32) * 4
    for y in range(h - 1, -1, -1):
        row = px[y * w:(y + 1) * w]
        bits = bytearray(and_stride)
        out = bytearray()
        for x, (r, g, b, a) in enumerate(row):
            clear = a == 0 if bpp == 32 else a < 128
            if clear:
                bits[x >> 3] |= 0x80 >> (x & 7)
            if bpp == 32:
                out += bytes((b, g, r, a)) if a else b"\0\0\0\0"
            else:
                out += b"\0\0\0" if clear else bytes((b, g, r))
        out += b"\0" * ((-len(out)) % 4)
        xor_rows.append(bytes(out))
        and_rows.append(bytes(bits))
    xor, mask = b"".join(xor_rows), b"".join(and_rows)
    info = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, bpp, 0,
                       len(xor) + len(mask), 0, 0, 0, 0)
    return info + xor + mask


def write_ico(path, images):
    """images: [(RGBA image, bits per pixel)], written in that order."""
    blobs = [(img.size, bpp, _ico_entry(img, bpp)) for img, bpp in images]
    out = struct.pack("<HHH", 0, 1, len(blobs))
    offset = 6 + 16 * len(blobs)
    for (w, h), bpp, blob in blobs:
        out += struct.pack("<BBBBHHII", w & 255, h & 255, 0, 0, 1, bpp,
                           len(blob), offset)
        offset += len(blob)
    _write(path, out + b"".join(blob for _, _, blob in blobs))


def _write(path, data):
    os.makedirs(os.path.dirname(path) or ".", exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def find_bold_font():
    """A bold sans TrueType face, or None (the banner then draws its own)."""
    for p in ("/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf",):
        if os.path.exists(p):
            return p
    try:
        p = subprocess.run(["fc-match", "--format=%{file}", "sans:bold"],
                           capture_output=True, text=True, timeout=10).stdout
    except (OSError, subprocess.SubprocessError):
        return None
    return p if p.lower().endswith((".ttf", ".otf")) and os.path.exists(p) else None


# --------------------------------------------------------------------------
# Program icon

def draw_app_icon(size):
    """Rounded blue monitor panel with a green bar graph; 32 or 16 pixels."""
    cv = Canvas(size, size)
    k = size / 32.0
    body = (1 * k, 2.5 * k, 31 * k, 29.5 * k)
    rad = 5 * k

    def body_shape(d):
        return cv.rect((body[0] + d, body[1] + d, body[2] - d, body[3] - d),
                       rad - d)
    cv.bordered(body_shape, rgb("#12304F"),
                cv.vgrad([(0, rgb("#5C9BD6")), (1, rgb("#1D4F85"))],
                         body[1], body[3]))
    # glassy top half of the bezel
    cv.paint(cv.rect((2 * k, 3.5 * k, 30 * k, 12 * k), rad - 1), (255, 255, 255),
             0.18)

    scr = (4 * k, 5.5 * k, 28 * k, 23.5 * k)
    cv.bordered(lambda d: cv.rect((scr[0] + d, scr[1] + d, scr[2] - d, scr[3] - d),
                                  max(0.5, 2 * k - d)),
                rgb("#0B1A2B"),
                cv.vgrad([(0, rgb("#17324F")), (1, rgb("#0A1626"))], scr[1], scr[3]))

    bars = [0.35, 0.62, 0.48, 0.88] if size >= 24 else [0.4, 0.85, 0.6]
    inner_l, inner_r = scr[0] + 2 * k, scr[2] - 2 * k
    base = scr[3] - 2 * k
    top = scr[1] + 2 * k
    gap = 1.5 * k if size >= 24 else 1.0
    bw = (inner_r - inner_l - gap * (len(bars) - 1)) / len(bars)
    green = cv.vgrad([(0, rgb("#B4FF8A")), (1, rgb("#2FB35A"))], top, base)
    for i, f in enumerate(bars):
        x = inner_l + i * (bw + gap)
        cv.paint(cv.rect((x, base - (base - top) * f, x + bw, base), 0.6 * k), green)

    # status light on the bezel's chin
    cv.paint(cv.circle(25.5 * k, 26.5 * k, max(1.0, 1.3 * k)), rgb("#7CFF9B"))
    return cv.result()


def make_icon(out):
    big, small = draw_app_icon(32), draw_app_icon(16)
    # The sizes for 150 % and 200 % follow the classic ones, 32-bit only to keep the exe
    # small (a system without alpha draws them through their mask).
    write_ico(os.path.join(out, "tabrix.ico"),
              [(big, 32), (small, 32), (big, 24), (small, 24),
               (draw_app_icon(48), 32), (draw_app_icon(64), 32)])
    return big


# --------------------------------------------------------------------------
# Player buttons: a small rounded key with a light glyph

def button_canvas(w, h):
    cv = Canvas(w, h)

    def shape(d):
        return cv.rect((d, d, w - d, h - d), 3.5 - d)
    cv.bordered(shape, rgb("#24364A"),
                cv.vgrad([(0, rgb("#9CC3EA")), (0.5, rgb("#5E8FC2")),
                          (1, rgb("#34618F"))], 0, h))
    cv.paint(cv.rect((1.5, 1.2, w - 1.5, h * 0.45), 2.2), (255, 255, 255), 0.22)
    return cv


def glyph(cv, mask):
    """Light glyph with a one-pixel shadow so it reads on the gradient."""
    cv.paint(mask.transform(mask.size, Image.AFFINE,
                            (1, 0, -cv.ss * 0.6, 0, 1, -cv.ss * 0.6)),
             rgb("#1B2C40"), 0.55)
    cv.paint(mask, rgb("#FAFCFF"))


def draw_button(name, w, h):
    cv = button_canvas(w, h)
    # glyph edges sit on whole pixels so the tiny shapes stay crisp
    if name == "play":
        glyph(cv, cv.polygon([(4, 3), (4, 11), (10, 7)]))
    elif name == "pause":
        glyph(cv, union(cv.rect((4, 4, 6, 11)), cv.rect((8, 4, 10, 11))))
    elif name == "stop":
        glyph(cv, cv.rect((4, 3, 10, 9), 0.5))
    elif name == "back":
        glyph(cv, union(cv.rect((3, 3, 5, 11)), cv.polygon([(10, 3), (10, 11), (5, 7)])))
    elif name == "forward":
        glyph(cv, union(cv.rect((8, 3, 10, 11)), cv.polygon([(3, 3), (3, 11), (8, 7)])))
    return keyed(cv.result(), MAGENTA)


def make_buttons(out):
    for name, _define, _id, w, h in BUTTONS:
        write_bmp(os.path.join(out, "buttons", name + ".bmp"), draw_button(name, w, h))


# --------------------------------------------------------------------------
# Error notice: speech balloon and warning sign

BALLOON_FILL = (0xFF, 0xFF, 0xDE)


def draw_balloon():
    cv = Canvas(250, 106, 4)
    body = (6, 9, 243, 86)  # covers pixels 6..242 x 9..85
    tail = [(22, 78), (44.5, 78), (22.5, 102.6)]  # right edge meets the body at x 37

    def shape(d):
        b = cv.rect((body[0] + d, body[1] + d, body[2] - d, body[3] - d), 12 - d)
        return union(b, cv.polygon(offset_polygon(tail, d)))
    cv.bordered(shape, rgb("#262626"), BALLOON_FILL, 1.1)
    return keyed(cv.result(), WHITE)


def draw_warning():
    cv = Canvas(24, 24)
    tri = [(12, 1.2), (23.2, 21.8), (0.8, 21.8)]

    def shape(d):
        # rounded corners: the triangle shrunk and then widened by a round pen
        core = offset_polygon(tri, 1.6 + d)
        return union(cv.polygon(core), cv.line(core + [core[0]], 3.2))
    cv.bordered(shape, rgb("#5A3B00"),
                cv.vgrad([(0, rgb("#FFF08A")), (1, rgb("#F4B400"))], 1, 22), 1.0)
    cv.paint(cv.line([(12, 8.2), (12, 14.2)], 2.6), rgb("#151515"))
    cv.paint(cv.circle(12, 18.0, 1.45), rgb("#151515"))
    return keyed(cv.result(), MAGENTA)


def make_notice(out):
    write_bmp(os.path.join(out, "balloon.bmp"), draw_balloon())
    write_bmp(os.path.join(out, "warning.bmp"), draw_warning())


# --------------------------------------------------------------------------
# Shared small symbols (used by page and menu icons)

def gear_shape(cv, cx, cy, r_body, r_tip, teeth, hole, half_base, half_tip, d):
    """Cog mask shrunk by d: body disc, slightly tapered teeth, round hole."""
    parts = [cv.circle(cx, cy, r_body - d)]
    for i in range(teeth):
        a = 2 * math.pi * i / teeth
        ca, sa = math.cos(a), math.sin(a)

        def pt(rad, off):
            return (cx + ca * rad - sa * off, cy + sa * rad + ca * off)
        poly = [pt(r_body * 0.7, -half_base), pt(r_tip, -half_tip),
                pt(r_tip, half_tip), pt(r_body * 0.7, half_base)]
        parts.append(cv.polygon(offset_polygon(poly, d)))
    return minus(union(*parts), cv.circle(cx, cy, hole + d))


def draw_gear(cv, cx, cy, size):
    """A cog filling a size x size square; the 16 pixel one gets a smaller hole
    and a finer outline so its ring still shows some metal."""
    if size >= 20:
        k, hole, half_base, half_tip, pen = size / 24.0, 3.1, 2.6, 1.9, 1.0
    else:
        k, hole, half_base, half_tip, pen = size / 24.0, 2.5, 2.3, 1.7, 0.8
    cv.bordered(lambda d: gear_shape(cv, cx, cy, 7.6 * k, 11.2 * k, 8, hole * k,
                                     half_base * k, half_tip * k, d),
                rgb("#2E3A46"),
                cv.vgrad([(0, rgb("#E3E9EF")), (1, rgb("#7F8FA0"))],
                         cy - 11 * k, cy + 11 * k), pen)


def round_badge(cv, cx, cy, r, top, bottom, border):
    cv.bordered(lambda d: cv.circle(cx, cy, r - d), border,
                cv.vgrad([(0, top), (1, bottom)], cy - r, cy + r))
    cv.paint(cv.ellipse((cx - r * 0.65, cy - r * 0.85, cx + r * 0.65, cy - r * 0.05)),
             (255, 255, 255), 0.3)


def sheet(cv, box, border=rgb("#56626E")):
    l, t, r, b = box
    cv.bordered(lambda d: cv.rect((l + d, t + d, r - d, b - d), 1.0), border,
                cv.vgrad([(0, rgb("#FFFFFF")), (1, rgb("#E3E8EE"))], t, b))


def globe(cv, cx, cy, r):
    round_badge(cv, cx, cy, r, rgb("#7CC4FF"), rgb("#1F6FC2"), rgb("#163E6B"))
    ink = rgb("#EAF6FF")
    cv.paint(cv.rect((cx - r + 0.9, cy - 0.35, cx + r - 0.9, cy + 0.35)), ink, 0.9)
    cv.paint(minus(cv.ellipse((cx - r * 0.45, cy - r + 0.8, cx + r * 0.45, cy + r - 0.8)),
                   cv.ellipse((cx - r * 0.45 + 0.7, cy - r + 1.5,
                               cx + r * 0.45 - 0.7, cy + r - 1.5))), ink, 0.9)


def chip(cv, cx, cy, r):
    pins = []
    for i in (-1, 0, 1):
        o = i * r * 0.55
        pins += [cv.rect((cx - r - 1.2, cy + o - 0.4, cx + r + 1.2, cy + o + 0.4)),
                 cv.rect((cx + o - 0.4, cy - r - 1.2, cx + o + 0.4, cy + r + 1.2))]
    cv.paint(union(*pins), rgb("#8C96A0"))
    cv.bordered(lambda d: cv.rect((cx - r + d, cy - r + d, cx + r - d, cy + r - d), 0.8),
                rgb("#1C232B"), cv.vgrad([(0, rgb("#55606C")), (1, rgb("#2A323B"))],
                                         cy - r, cy + r))
    cv.paint(cv.rect((cx - r * 0.45, cy - r * 0.45, cx + r * 0.45, cy + r * 0.45)),
             rgb("#E0B33C"))


# --------------------------------------------------------------------------
# Settings page icons (24 x 24)

def draw_page(name):
    cv = Canvas(24, 24)
    if name == "general":
        # a small panel of sliders: the everyday options
        cv.bordered(lambda d: cv.rect((1.5 + d, 2.5 + d, 22.5 - d, 21.5 - d), 3 - d),
                    rgb("#3C4A58"),
                    cv.vgrad([(0, rgb("#FBFCFD")), (1, rgb("#D5DDE5"))], 2.5, 21.5))
        for y, kx, col in ((7.5, 15, "#2F80D1"), (12, 8, "#E08A1E"), (16.5, 13, "#3BA55C")):
            cv.paint(cv.rect((5, y - 0.75, 19, y + 0.75), 0.75), rgb("#7D8B99"))
            cv.bordered(lambda d, kx=kx, y=y: cv.rect((kx - 1.8 + d, y - 2.3 + d,
                                                       kx + 1.8 - d, y + 2.3 - d), 1 - d),
                        rgb("#1E2933"), rgb(col))
    elif name == "advanced":
        draw_gear(cv, 12, 12, 24)
    elif name == "modules":
        # four building blocks
        tiles = [((2, 2), "#4A90E2", "#1F4F8A"), ((12.5, 2), "#5BC46A", "#236B31"),
                 ((2, 12.5), "#F0A030", "#8A5410"), ((12.5, 12.5), "#A77BDB", "#553080")]
        for (x, y), col, edge in tiles:
            cv.bordered(lambda d, x=x, y=y: cv.rect((x + d, y + d, x + 9.5 - d, y + 9.5 - d),
                                                    2 - d),
                        rgb(edge), cv.vgrad([(0, mix(rgb(col), WHITE, 0.35)),
                                             (1, rgb(col))], y, y + 9.5))
    return keyed(cv.result(), MAGENTA)


def make_pages(out):
    for name in PAGES:
        write_bmp(os.path.join(out, "pages", name + ".bmp"), draw_page(name))


# --------------------------------------------------------------------------
# Popup menu icons (16 x 16)

def menu_showhide(cv):
    # an eye: two circle arcs meeting at the corners
    def lens(d):
        return ImageChops.darker(cv.circle(8, 13.2, 10.6 - d), cv.circle(8, 2.8, 10.6 - d))
    cv.bordered(lens, rgb("#2B3540"), rgb("#FBFDFF"))
    cv.bordered(lambda d: cv.circle(8, 8, 3.3 - d), rgb("#173D66"),
                cv.vgrad([(0, rgb("#7FC0F5")), (1, rgb("#2468B0"))], 4.7, 11.3))
    cv.paint(cv.circle(8, 8, 1.4), rgb("#0C1620"))
    cv.paint(cv.circle(9.2, 6.8, 0.75), (255, 255, 255))


def menu_reload(cv):
    # a clockwise turn with its arrow head at the top right
    cx, cy, r, start, end = 7.0, 9.2, 4.5, 75, 280
    a = math.radians(end)
    px, py = cx + r * math.cos(a), cy + r * math.sin(a)
    tx, ty = -math.sin(a), math.cos(a)  # clockwise tangent
    nx, ny = math.cos(a), math.sin(a)
    head = [(px + nx * 3.9 - tx * 0.5, py + ny * 3.9 - ty * 0.5),
            (px - nx * 3.9 - tx * 0.5, py - ny * 3.9 - ty * 0.5),
            (px + tx * 4.6, py + ty * 4.6)]

    def arrow(d):
        trim = math.degrees(d / r)  # keeps the outline across the tail end
        return union(cv.arc(cx, cy, r, start + trim, end, 3.2 - 2 * d),
                     cv.polygon(offset_polygon(head, d)))
    cv.bordered(arrow, rgb("#1C5A2A"),
                cv.vgrad([(0, rgb("#7FE08F")), (1, rgb("#2E9E48"))], 2, 15), 0.9)


def menu_settings(cv):
    draw_gear(cv, 8, 8, 16)


def menu_about(cv):
    round_badge(cv, 8, 8, 7.2, rgb("#6FB3F2"), rgb("#1F5FAF"), rgb("#143A66"))
    cv.paint(cv.circle(8, 4.6, 1.2), (255, 255, 255))
    cv.paint(cv.rect((6.2, 6.8, 9.2, 12.6), 0.4), (255, 255, 255))
    cv.paint(cv.rect((6.4, 6.8, 8.2, 7.8)), (255, 255, 255))
    cv.paint(cv.rect((6.2, 11.6, 9.9, 12.6)), (255, 255, 255))


def menu_update(cv):
    # arrow into a tray: fetch something new
    cv.bordered(lambda d: cv.rect((1.5 + d, 10.5 + d, 14.5 - d, 15 - d), 1 - d),
                rgb("#3C4853"), cv.vgrad([(0, rgb("#E8EDF2")), (1, rgb("#A9B6C2"))], 10.5, 15))
    arrow = [(6, 0.8), (10, 0.8), (10, 6), (13, 6), (8, 12), (3, 6), (6, 6)]
    cv.bordered(lambda d: cv.polygon(offset_polygon(arrow, d)), rgb("#1C5A2A"),
                cv.vgrad([(0, rgb("#8BE08F")), (1, rgb("#2E9E48"))], 0.8, 12))


def menu_saveposition(cv):
    # a map pin
    def pin(d):
        tail = [(3.4, 7.2), (12.6, 7.2), (8, 15.3)]
        return union(cv.circle(8, 6, 5.2 - d), cv.polygon(offset_polygon(tail, d)))
    cv.bordered(pin, rgb("#6B1414"),
                cv.vgrad([(0, rgb("#FF7A6E")), (1, rgb("#C62828"))], 0.8, 15))
    cv.bordered(lambda d: cv.circle(8, 6, 2.1 - d), rgb("#7A1A1A"), rgb("#FFF4F2"), 0.7)


def menu_help(cv):
    round_badge(cv, 8, 8, 7.2, rgb("#7FD6C2"), rgb("#168A72"), rgb("#0E4C40"))
    ink = (255, 255, 255)
    cv.paint(cv.arc(8, 6.0, 2.3, 180, 405, 1.9), ink)
    cv.paint(cv.line([(9.55, 7.75), (8, 9.0), (8, 9.8)], 1.9), ink)
    cv.paint(cv.circle(8, 12.3, 1.15), ink)


def menu_misc(cv):
    cv.bordered(lambda d: cv.rect((0.8 + d, 3.5 + d, 15.2 - d, 12.5 - d), 2.5 - d),
                rgb("#46525E"), cv.vgrad([(0, rgb("#F4F6F8")), (1, rgb("#C3CDD6"))], 3.5, 12.5))
    for x in (4.6, 8, 11.4):
        cv.paint(cv.circle(x, 8, 1.25), rgb("#2F3A45"))


def menu_copyip(cv):
    sheet(cv, (0.8, 0.8, 10.2, 11.5))
    sheet(cv, (4.5, 4.0, 15.2, 15.2))
    globe(cv, 9.85, 9.6, 4.3)


def menu_copycpu(cv):
    sheet(cv, (0.8, 0.8, 10.2, 11.5))
    sheet(cv, (4.5, 4.0, 15.2, 15.2))
    chip(cv, 9.85, 9.6, 2.9)


def menu_exit(cv):
    round_badge(cv, 8, 8, 7.2, rgb("#FF8A80"), rgb("#C62828"), rgb("#641010"))
    ink = (255, 255, 255)
    cv.paint(cv.arc(8, 8.6, 3.8, 300, 600, 1.7), ink)  # 600 = 240 + a full turn
    cv.paint(cv.line([(8, 3.2), (8, 8.2)], 1.7), ink)


MENU_DRAW = {
    "showhide": menu_showhide, "reload": menu_reload, "settings": menu_settings,
    "about": menu_about, "update": menu_update, "saveposition": menu_saveposition,
    "help": menu_help, "misc": menu_misc, "copyip": menu_copyip,
    "copycpu": menu_copycpu, "exit": menu_exit,
}


def draw_menu_icon(name):
    cv = Canvas(16, 16)
    MENU_DRAW[name](cv)
    return keyed(cv.result(), MAGENTA)


def make_menu(out):
    for name in MENU:
        write_bmp(os.path.join(out, "menu", name + ".bmp"), draw_menu_icon(name))


# --------------------------------------------------------------------------
# Skins (271 x 369: the client area of the first-run panel, the design's 271 x 305 grown by
# four rows so every module shows at once; the player buttons stay at the foot)

SKIN_W, SKIN_H = 271, 369

SKIN_COLOURS = {
    # name: (border, inner rim, gradient top, gradient bottom, accent)
    "Graphite": ("#3A4148", "#F3F5F7", "#E6E9ED", "#B4BBC3", "#7C8792"),
    "Ocean": ("#1C5573", "#EAF7FC", "#DDF1F9", "#93CBE4", "#3C8DB3"),
    "Sand": ("#7A5327", "#FFF8EC", "#FBF0DC", "#E6C08A", "#B78649"),
}


def draw_transparent_skin():
    """Pure white (see-through with the colour key) inside a hard-edged
    double frame; no blended pixels, which would glow on a dark desktop."""
    cv = Canvas(SKIN_W, SKIN_H, 4)
    frame = (1, 1, SKIN_W - 1, SKIN_H - 1)

    def rr(d, rad=12):
        return cv.rect((frame[0] + d, frame[1] + d, frame[2] - d, frame[3] - d), rad - d)
    cv.paint(minus(rr(0), rr(1)), rgb("#55657A"))
    cv.paint(minus(rr(1), rr(2)), rgb("#A9BCCF"))
    # hairlines under the processor name and above the player buttons
    cv.paint(cv.rect((30, 33, SKIN_W - 30, 34)), rgb("#A9BCCF"))
    cv.paint(cv.rect((30, SKIN_H - 28, SKIN_W - 30, SKIN_H - 27)), rgb("#A9BCCF"))
    return keyed(cv.result(), WHITE)


def draw_panel_skin(name):
    border, rim, top, bottom, accent = (rgb(c) for c in SKIN_COLOURS[name])
    cv = Canvas(SKIN_W, SKIN_H, 4)

    def panel(d):
        return cv.rect((d, d, SKIN_W - d, SKIN_H - d), 14 - d)
    cv.paint(panel(0), border)
    cv.paint(panel(1), rim)
    cv.paint(panel(2), cv.vgrad([(0, mix(top, WHITE, 0.3)), (0.35, top), (1, bottom)],
                                0, SKIN_H))
    # recessed field behind the value labels
    field = (24, 36, SKIN_W - 6, SKIN_H - 35)
    cv.paint(cv.rect(field, 8), accent, 0.35)
    cv.paint(cv.rect((field[0] + 1, field[1] + 1, field[2] - 1, field[3] - 1), 7),
             cv.vgrad([(0, mix(top, WHITE, 0.55)), (1, mix(bottom, WHITE, 0.45))],
                      field[1], field[3]))
    # groove above the player buttons
    cv.paint(cv.rect((20, SKIN_H - 27, SKIN_W - 20, SKIN_H - 26)), accent, 0.6)
    cv.paint(cv.rect((20, SKIN_H - 26, SKIN_W - 20, SKIN_H - 25)), rim, 0.8)
    return keyed(cv.result(), WHITE)


def make_skins(out):
    for name in SKINS:
        img = draw_transparent_skin() if name == "transparent" else draw_panel_skin(name)
        write_bmp(os.path.join(out, "skins", name + ".bmp"), img)


# --------------------------------------------------------------------------
# About banner (553 x 57 JPEG)

def stroke_wordmark(cv, x, base, cap, ink):
    """'Tabrix' from strokes, for machines without a TrueType face."""
    w = cap * 0.16  # stroke weight
    xh = cap * 0.72  # x-height
    m = []
    m.append(cv.line([(x, base - cap), (x + cap * 0.7, base - cap)], w, False))
    m.append(cv.line([(x + cap * 0.35, base - cap), (x + cap * 0.35, base)], w, False))
    x += cap * 0.8
    r = xh / 2 - w / 2
    m.append(cv.arc(x + r + w / 2, base - xh / 2, r, 0, 360, w))      # a
    m.append(cv.line([(x + 2 * r + w, base - xh), (x + 2 * r + w, base)], w, False))
    x += 2 * r + w * 2.2
    m.append(cv.line([(x + w / 2, base - cap * 1.02), (x + w / 2, base)], w, False))  # b
    m.append(cv.arc(x + r + w / 2, base - xh / 2, r, 0, 360, w))
    x += 2 * r + w * 2.2
    m.append(cv.line([(x + w / 2, base - xh), (x + w / 2, base)], w, False))  # r
    m.append(cv.arc(x + r + w / 2, base - xh / 2 + w / 2, r, 200, 300, w))
    x += r * 1.5 + w
    m.append(cv.line([(x + w / 2, base - xh), (x + w / 2, base)], w, False))  # i
    m.append(cv.circle(x + w / 2, base - xh - w * 1.6, w * 0.65))
    x += w * 2.2
    m.append(cv.line([(x, base - xh), (x + xh * 0.8, base)], w))  # x
    m.append(cv.line([(x + xh * 0.8, base - xh), (x, base)], w))
    cv.paint(union(*m), ink)


def draw_banner(icon, font=None):
    w, h = 553, 57
    cv = Canvas(w, h, 2)
    cv.paint(cv.rect((0, 0, w, h)),
             cv.hgrad([(0, rgb("#123459")), (0.42, rgb("#2C6CA6")),
                       (0.78, rgb("#CFE0EF")), (1, rgb("#F4F8FB"))]))
    # faint bar-graph texture across the middle, echoing the icon
    bars = [0.30, 0.55, 0.42, 0.75, 0.6, 0.88, 0.5, 0.68, 0.38, 0.8, 0.58, 0.46, 0.7]
    for i, f in enumerate(bars):
        x = 190 + i * 17
        cv.paint(cv.rect((x, h - 4 - 40 * f, x + 11, h - 4), 2), (255, 255, 255), 0.10)
    # accent rule along the foot
    cv.paint(cv.rect((0, h - 3, w, h)),
             cv.hgrad([(0, rgb("#3FBF6A")), (0.6, rgb("#8FE3A8")), (1, rgb("#E9F7EE"))]))

    ink, shade = rgb("#FBFDFF"), rgb("#0A1F36")
    base, x = 41, 60
    if font:
        word = cv.text((x, base), "Tabrix", font, 31)
        o = cv.ss  # a design pixel down and right
        cv.paint(word.transform(word.size, Image.AFFINE, (1, 0, -o, 0, 1, -o)), shade, 0.5)
        cv.paint(word, ink)
    else:
        stroke_wordmark(cv, x, base, 24, ink)
    img = cv.result().convert("RGB")
    logo = icon.resize((zoomed(40), zoomed(40)), Image.LANCZOS)
    img.paste(logo, (zoomed(12), zoomed(8)), logo)
    return img


def make_banner(out, icon, font):
    img = draw_banner(icon, font)
    path = os.path.join(out, "banner.jpg")
    os.makedirs(out, exist_ok=True)
    img.save(path, "JPEG", quality=90, progressive=False, optimize=False,
             subsampling=0)


# --------------------------------------------------------------------------
# The same pictures drawn for 150 % and 200 %

# (folder, zoom, resource id offset); the program picks the set nearest the screen's scale.
ZOOMS = [("x150", 1.5, 1000), ("x200", 2, 2000)]
SKIN_BASE = 150  # the skins are files; their larger copies get ids from here
BANNER_SHIFT = 500


def fewer_colours(img, key):
    """The picture in 256 colours: the see-through key exact and its own, the other
    colours (a skin's gradients: a few hundred, close together) merged by coverage,
    none of them turned into the key."""
    px = list(img.getdata())
    kept = [c for c in px if c != key]
    strip = Image.new("RGB", (len(kept), 1))
    strip.putdata(kept)
    merged = strip.quantize(255, method=Image.Quantize.MAXCOVERAGE,
                            dither=Image.Dither.NONE).convert("RGB").getdata()
    it = iter(merged)
    out = []
    for c in px:
        if c == key:
            out.append(key)
        else:
            m = next(it)
            out.append(m if m != key else (m[0], m[1], m[2] - 1 if m[2] else 1))
    flat = Image.new("RGB", img.size)
    flat.putdata(out)
    return flat


def write_bmp_compact(path, img, reserved=0, key=MAGENTA):
    """A small 8-bit BMP file, run-length coded when that is smaller: exact for a picture of
    at most 256 colours (every small one), the others brought down to 256 (fewer_colours).
    reserved fills the file header's two reserved words."""
    img = img.convert("RGB")
    w, h = img.size
    colours = img.getcolors(256)
    if colours is None:
        img = fewer_colours(img, key)
        colours = img.getcolors(256)
    palette = sorted(c for _n, c in colours)
    index = {c: i for i, c in enumerate(palette)}
    px = [index[c] for c in img.getdata()]
    stride = (w + 3) & ~3
    raw = b"".join(bytes(px[y * w:(y + 1) * w]) + b"\0" * (stride - w)
                   for y in range(h - 1, -1, -1))
    rle = bytearray()
    for y in range(h - 1, -1, -1):
        row = px[y * w:(y + 1) * w]
        x = 0
        while x < w:
            n = 1
            while x + n < w and n < 255 and row[x + n] == row[x]:
                n += 1
            rle += bytes((n, row[x]))
            x += n
        rle += b"\0\0"  # end of line
    rle[-1] = 1  # end of picture
    compression, data = (1, bytes(rle)) if len(rle) < len(raw) else (0, raw)
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    offset = 54 + len(table)
    header = struct.pack("<2sIII", b"BM", offset + len(data), reserved, offset)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 8, compression, len(data),
                       3780, 3780, len(palette), 0)
    _write(path, header + info + table + data)


def crc_of(path):
    with open(path, "rb") as f:
        return zlib.crc32(f.read()) & 0xFFFFFFFF


def make_zoomed(out, font):
    """Every picture but the program icon (its file holds all sizes) for each larger scale.
    A copy of a picture shipped as a file (skins, player buttons) carries the CRC-32 of
    that file in its header, so the program takes it only for an unchanged file of ours."""
    for folder, zoom, _offset in ZOOMS:
        base = os.path.join(out, folder)
        with drawn_at(zoom):
            for name, _define, _id, w, h in BUTTONS:
                write_bmp_compact(os.path.join(base, "buttons", name + ".bmp"),
                                  draw_button(name, w, h),
                                  crc_of(os.path.join(out, "buttons", name + ".bmp")))
            write_bmp_compact(os.path.join(base, "balloon.bmp"), draw_balloon(), key=WHITE)
            write_bmp_compact(os.path.join(base, "warning.bmp"), draw_warning())
            for name in PAGES:
                write_bmp_compact(os.path.join(base, "pages", name + ".bmp"), draw_page(name))
            for name in MENU:
                write_bmp_compact(os.path.join(base, "menu", name + ".bmp"),
                                  draw_menu_icon(name))
            for name in SKINS:
                img = draw_transparent_skin() if name == "transparent" else draw_panel_skin(name)
                write_bmp_compact(os.path.join(base, "skins", name + ".bmp"), img,
                                  crc_of(os.path.join(out, "skins", name + ".bmp")), WHITE)
            make_banner(base, draw_app_icon(zoomed(32)), font)


# --------------------------------------------------------------------------
# Resource script and ids

def resource_table():
    """[(define, id, resource type, file)] in the order of assets.rc."""
    rows = [(ICON_ID[0], ICON_ID[1], "ICON", "tabrix.ico")]
    rows += [(d, i, "BITMAP", "buttons/%s.bmp" % n) for n, d, i, _w, _h in BUTTONS]
    rows.append((BALLOON_ID[0], BALLOON_ID[1], "BITMAP", "balloon.bmp"))
    rows.append((WARNING_ID[0], WARNING_ID[1], "BITMAP", "warning.bmp"))
    rows += [("IDB_PAGE_" + n.upper(), PAGE_BASE + k, "BITMAP", "pages/%s.bmp" % n)
             for k, n in enumerate(PAGES)]
    rows += [("IDB_MENU_" + n.upper(), MENU_BASE + k, "BITMAP", "menu/%s.bmp" % n)
             for k, n in enumerate(MENU)]
    rows.append((BANNER_ID[0], BANNER_ID[1], "RCDATA", "banner.jpg"))
    # The larger sets: whole files (RCDATA), each id its design picture's plus the offset.
    for folder, _zoom, offset in ZOOMS:
        tag = folder.upper()
        rows += [("%s_%s" % (d, tag), i + offset, "RCDATA", "%s/buttons/%s.bmp" % (folder, n))
                 for n, d, i, _w, _h in BUTTONS]
        rows.append(("%s_%s" % (BALLOON_ID[0], tag), BALLOON_ID[1] + offset, "RCDATA",
                     folder + "/balloon.bmp"))
        rows.append(("%s_%s" % (WARNING_ID[0], tag), WARNING_ID[1] + offset, "RCDATA",
                     folder + "/warning.bmp"))
        rows += [("IDB_PAGE_%s_%s" % (n.upper(), tag), PAGE_BASE + k + offset, "RCDATA",
                  "%s/pages/%s.bmp" % (folder, n)) for k, n in enumerate(PAGES)]
        rows += [("IDB_MENU_%s_%s" % (n.upper(), tag), MENU_BASE + k + offset, "RCDATA",
                  "%s/menu/%s.bmp" % (folder, n)) for k, n in enumerate(MENU)]
        # the banner is data at 100 % already, where its id is also a menu picture's
        rows.append(("%s_%s" % (BANNER_ID[0], tag), BANNER_ID[1] + offset + BANNER_SHIFT,
                     "RCDATA", folder + "/banner.jpg"))
        rows += [("IDB_SKIN_%s_%s" % (n.upper(), tag), SKIN_BASE + k + offset, "RCDATA",
                  "%s/skins/%s.bmp" % (folder, n)) for k, n in enumerate(SKINS)]
    return rows


def make_resources(out):
    rows = resource_table()
    h = ["/* Generated by tools/make_assets.py; edit that script instead. */",
         "#ifndef TABRIX_RESOURCE_IDS_H", "#define TABRIX_RESOURCE_IDS_H", ""]
    h += ["#define %-24s %d" % (d, i) for d, i, _t, _f in rows]
    h += ["", "/* Count of the popup-menu icons, numbered from IDB_MENU_%s. */"
          % MENU[0].upper(),
          "#define %-24s %d" % ("MENU_ICON_COUNT", len(MENU)),
          "", "#endif", ""]
    _write(os.path.join(out, "resource_ids.h"), "\n".join(h).encode("ascii"))
    rc = ["/* Generated by tools/make_assets.py; edit that script instead. */",
          '#include "resource_ids.h"', ""]
    rc += ['%-24s %-7s "%s"' % (d, t, f) for d, _i, t, f in rows]
    rc.append("")
    _write(os.path.join(out, "assets.rc"), "\n".join(rc).encode("ascii"))


# --------------------------------------------------------------------------

def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: make_assets.py OUTDIR\n")
        return 2
    out = argv[1]
    os.makedirs(out, exist_ok=True)
    icon = make_icon(out)
    make_buttons(out)
    make_notice(out)
    make_pages(out)
    make_menu(out)
    make_skins(out)
    font = find_bold_font()
    make_banner(out, icon, font)
    make_zoomed(out, font)
    make_resources(out)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
