#!/usr/bin/env python3
"""Checks the pictures and resource files written by make_assets.py.

Run: /usr/bin/python3 tools/test_assets.py
"""

import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import unittest

from PIL import Image

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import make_assets  # noqa: E402

MAGENTA = (255, 0, 255)
WHITE = (255, 255, 255)

# file -> (width, height, see-through colour)
KEYED = {
    "buttons/back.bmp": (13, 14, MAGENTA),
    "buttons/play.bmp": (13, 14, MAGENTA),
    "buttons/pause.bmp": (14, 15, MAGENTA),
    "buttons/stop.bmp": (14, 12, MAGENTA),
    "buttons/forward.bmp": (13, 14, MAGENTA),
    "warning.bmp": (24, 24, MAGENTA),
    "balloon.bmp": (250, 106, WHITE),
}
KEYED.update({"pages/%s.bmp" % n: (24, 24, MAGENTA) for n in make_assets.PAGES})
KEYED.update({"menu/%s.bmp" % n: (16, 16, MAGENTA) for n in make_assets.MENU})
KEYED.update({"skins/%s.bmp" % n: (271, 369, WHITE) for n in make_assets.SKINS})
# The same pictures drawn for 150 % and 200 %: 8-bit files, sizes rounded as the program does.
ZOOMED = {"%s/%s" % (folder, name): (make_assets.zoomed(w, zoom), make_assets.zoomed(h, zoom), key)
          for folder, zoom, _offset in make_assets.ZOOMS for name, (w, h, key) in KEYED.items()}


def generate(out):
    return subprocess.run([sys.executable, os.path.join(HERE, "make_assets.py"), out],
                          check=True)


def pixels(path):
    img = Image.open(path).convert("RGB")
    return img, img.load()


def luminance(c):
    def lin(v):
        v /= 255.0
        return v / 12.92 if v <= 0.04045 else ((v + 0.055) / 1.055) ** 2.4
    r, g, b = (lin(v) for v in c)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


class Assets(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.mkdtemp(prefix="tabrix-assets-")
        cls.out = os.path.join(cls.tmp, "a")
        start = time.monotonic()
        generate(cls.out)
        cls.seconds = time.monotonic() - start

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.tmp)

    def path(self, name):
        return os.path.join(self.out, name)

    def test_same_bytes_every_run(self):
        # A figure, not a bound: the machine may be loaded.
        print("drawing every picture took %.1f s" % self.seconds, file=sys.stderr)
        again = os.path.join(self.tmp, "b")
        generate(again)
        names = sorted(os.path.relpath(os.path.join(d, f), self.out)
                       for d, _, fs in os.walk(self.out) for f in fs)
        for name in names:
            with open(self.path(name), "rb") as a, open(os.path.join(again, name), "rb") as b:
                self.assertEqual(a.read(), b.read(), name)

    def test_bitmaps_are_plain_24bit_bottom_up(self):
        for name, (w, h, _key) in KEYED.items():
            with open(self.path(name), "rb") as f:
                data = f.read()
            magic, size, _r1, _r2, offset = struct.unpack_from("<2sIHHI", data)
            hdr, bw, bh, planes, bpp, comp = struct.unpack_from("<IiiHHI", data, 14)
            self.assertEqual((magic, size, offset), (b"BM", len(data), 54), name)
            self.assertEqual((hdr, bw, bh, planes, bpp, comp), (40, w, h, 1, 24, 0), name)
            self.assertEqual(len(data), 54 + ((w * 3 + 3) & ~3) * h, name)

    def test_see_through_colour_and_no_fringe(self):
        # The program takes the bottom-left pixel as the see-through colour; a
        # kept pixel next to the cut that is close to that colour would show as
        # a pale or pink rim on the desktop.
        for name, (w, h, key) in list(KEYED.items()) + list(ZOOMED.items()):
            img, px = pixels(self.path(name))
            self.assertEqual(px[0, h - 1], key, name)
            for y in range(h):
                for x in range(w):
                    c = px[x, y]
                    if c == key:
                        continue
                    near_cut = any(0 <= x + dx < w and 0 <= y + dy < h and
                                   px[x + dx, y + dy] == key
                                   for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
                    if near_cut:
                        dist = sum((a - b) ** 2 for a, b in zip(c, key)) ** 0.5
                        self.assertGreater(dist, 60, "%s at %d,%d: %r" % (name, x, y, c))

    def test_larger_copies_are_small_and_name_the_file_they_were_drawn_beside(self):
        for name, (w, h, key) in ZOOMED.items():
            with open(self.path(name), "rb") as f:
                data = f.read()
            reserved, = struct.unpack_from("<I", data, 6)
            bw, bh, _planes, bpp = struct.unpack_from("<iiHH", data, 18)
            self.assertEqual((bw, bh, bpp), (w, h, 8), name)
            self.assertLess(len(data), 20000, name)
            base = name.split("/", 1)[1]
            shipped = base.startswith(("skins/", "buttons/"))
            self.assertEqual(reserved, make_assets.crc_of(self.path(base)) if shipped else 0, name)
        # the skins' gradients lose nothing visible to their 256 colours
        for folder, zoom, _offset in make_assets.ZOOMS:
            with make_assets.drawn_at(zoom):
                drawn = make_assets.draw_panel_skin("Sand")
            kept, _ = pixels(self.path(folder + "/skins/Sand.bmp"))
            worst = max(max(abs(a - b) for a, b in zip(p, q))
                        for p, q in zip(drawn.getdata(), kept.getdata()))
            self.assertLessEqual(worst, 2, folder)

    def test_glyphs_are_not_empty(self):
        for name, (w, h, key) in KEYED.items():
            if name == "skins/transparent.bmp":
                continue  # see-through on purpose
            img, px = pixels(self.path(name))
            kept = sum(1 for c in img.getdata() if c != key)
            self.assertGreater(kept, w * h // 20, name)

    def test_panel_skins_keep_black_text_readable(self):
        for name in make_assets.SKINS:
            if name == "transparent":
                continue
            img, px = pixels(self.path("skins/%s.bmp" % name))
            for y in range(14, 325):
                for x in range(32, 261):
                    c = px[x, y]
                    self.assertNotEqual(c, WHITE, "%s hole at %d,%d" % (name, x, y))
                    # contrast with black text of at least 7:1
                    self.assertGreater(luminance(c), 0.30, "%s at %d,%d" % (name, x, y))

    def test_transparent_skin_is_mostly_see_through(self):
        img, px = pixels(self.path("skins/transparent.bmp"))
        area = [px[x, y] for y in range(14, 325) for x in range(32, 261)]
        self.assertGreater(sum(c == WHITE for c in area) / len(area), 0.95)
        self.assertTrue(any(c != WHITE for c in img.getdata()))

    def test_balloon_shape(self):
        img, px = pixels(self.path("balloon.bmp"))
        inked = [(x, y) for y in range(106) for x in range(250) if px[x, y] != WHITE]
        xs, ys = [p[0] for p in inked], [p[1] for p in inked]
        self.assertEqual((min(xs), max(xs), min(ys), max(ys)), (6, 242, 9, 101))
        # the message area is plain fill, and the outline is dark
        for y in range(15, 73):
            for x in range(56, 236):
                self.assertEqual(px[x, y], make_assets.BALLOON_FILL, (x, y))
        self.assertLess(max(px[124, 9]), 0x50)
        # the tail: body-wide where it leaves, a point at the bottom left
        self.assertNotEqual(px[22, 101], WHITE)
        self.assertEqual(px[30, 101], WHITE)
        self.assertTrue(all(px[x, 86] != WHITE for x in range(22, 37)))
        self.assertEqual(px[39, 86], WHITE)

    def test_icon_holds_classic_dib_images(self):
        with open(self.path("tabrix.ico"), "rb") as f:
            data = f.read()
        reserved, kind, count = struct.unpack_from("<HHH", data)
        self.assertEqual((reserved, kind), (0, 1))
        seen = set()
        for i in range(count):
            w, h, _c, _r, planes, bpp, size, off = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
            hdr, dw, dh, dplanes, dbpp = struct.unpack_from("<IiiHH", data, off)
            self.assertEqual((hdr, dw, dh, dplanes, dbpp), (40, w, 2 * h, 1, bpp))
            xor_len = ((w * bpp // 8 + 3) & ~3) * h
            and_len = ((w + 31) // 32) * 4 * h
            self.assertEqual(size, 40 + xor_len + and_len)
            if bpp == 32:
                # a pixel is cut by the mask exactly when it is fully clear, so
                # systems without alpha blending draw the same outline
                stride = ((w + 31) // 32) * 4
                for row in range(h):
                    for x in range(w):
                        alpha = data[off + 40 + (row * w + x) * 4 + 3]
                        bit = data[off + 40 + xor_len + row * stride + x // 8] >> (7 - x % 8) & 1
                        self.assertEqual(bit, int(alpha == 0))
            seen.add((w, bpp))
        self.assertLessEqual({(32, 32), (16, 32), (32, 24), (48, 32), (64, 32)}, seen)

    def test_banner_is_baseline_jpeg(self):
        with open(self.path("banner.jpg"), "rb") as f:
            data = f.read()
        self.assertIn(b"\xff\xc0", data)
        self.assertNotIn(b"\xff\xc2", data)
        self.assertEqual(Image.open(self.path("banner.jpg")).size, (553, 57))
        self.assertEqual(Image.open(self.path("x150/banner.jpg")).size, (830, 86))
        self.assertEqual(Image.open(self.path("x200/banner.jpg")).size, (1106, 114))

    def test_banner_without_a_font_still_shows_the_name(self):
        icon = make_assets.draw_app_icon(32)
        for font in (make_assets.find_bold_font(), None):
            img = make_assets.draw_banner(icon, font)
            light = sum(1 for x in range(60, 180) for y in range(10, 46)
                        if min(img.getpixel((x, y))) > 230)
            self.assertGreater(light, 300, font)

    def test_resource_script_matches_files_and_ids(self):
        with open(self.path("resource_ids.h")) as f:
            ids = dict(re.findall(r"#define\s+(ID\w+)\s+(\d+)", f.read()))
        with open(self.path("assets.rc")) as f:
            rows = re.findall(r'^(ID\w+)\s+(ICON|BITMAP|RCDATA)\s+"([^"]+)"', f.read(), re.M)
        self.assertEqual(ids["IDI_TABRIX"], "1")
        self.assertEqual(ids["IDR_BANNER"], "140")
        per_type = {}
        for define, kind, name in rows:
            self.assertTrue(os.path.isfile(self.path(name)), name)
            self.assertNotIn(ids[define], per_type.setdefault(kind, set()), define)
            per_type[kind].add(ids[define])
        self.assertEqual(len(rows), len(ids))

    @unittest.skipUnless(shutil.which("i686-w64-mingw32-windres"), "no MinGW windres")
    def test_resource_script_compiles(self):
        obj = os.path.join(self.tmp, "assets.o")
        subprocess.run(["i686-w64-mingw32-windres", self.path("assets.rc"),
                        "-O", "coff", "-o", obj], check=True, cwd=self.tmp)
        with open(self.path("assets.rc")) as f:
            names = re.findall(r'"([^"]+\.(?:ico|bmp|jpg))"', f.read())
        self.assertGreater(os.path.getsize(obj),
                           sum(os.path.getsize(self.path(n)) for n in names))


if __name__ == "__main__":
    unittest.main()
