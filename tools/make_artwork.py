#!/usr/bin/python3
"""Generate Tansywatch's artwork and sounds.

Writes every picture (GIF/PNG) and sound (WAV) that the clock uses into
``resources/`` next to this ``tools/`` folder.  Everything is drawn and
synthesised from code (plain PIL plus the standard library), with all
randomness seeded, so the output is deterministic and can be regenerated at
any time with:

    /usr/bin/python3 tools/make_artwork.py

Optional: ``--preview FILE.png`` also writes a 3x contact sheet showing the
clock body (on grey and on a dark desktop) with the face and hands on it, the
banner and all icons, for a visual check.

Pictures are drawn at 4x and downsampled, each for screens of 1, 1.5 and 2
device pixels per logical pixel (``clock_body.gif``, ``clock_body@1.5x.gif``,
``clock_body@2x.gif``): the same drawing in the same logical coordinates,
downsampled to more pixels.  The icons are drawn once for each of their nine
sizes; a screen's ratio picks among them.  Pictures with a transparent colour
are antialiased against their own opaque colours only (premultiplied
resampling) and get a hard 1-bit outline, because GIF transparency is 1-bit.
"""

import math
import os
import random
import struct
import sys
import wave
from collections import Counter

from PIL import Image, ImageChops, ImageDraw, ImageFont

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
RES = os.path.join(ROOT, "resources")

SS = 4  # supersampling factor
RATIOS = (1, 1.5, 2)  # device pixels per logical pixel the pictures are drawn for

FONT_BOLD = "/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf"
FONT_BOLD_ALT = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"

WHITE = (255, 255, 255)
# Colours the program treats as "background" when it cuts the window shape.
FORBIDDEN = {(255, 255, 255), (239, 239, 239), (240, 240, 240), (212, 208, 200)}

# ---------------------------------------------------------------- palette
INK = (54, 36, 30)            # eyes, mouths
NEAR_WHITE = (252, 250, 244)  # "white" that is not the transparent white
DIAL = (253, 248, 228)        # the dial's cream; the face's background too
TICK = (50, 72, 44)

GREEN_OL = (30, 72, 36)
GREEN_D = (48, 116, 48)
GREEN = (94, 168, 66)
GREEN_L = (158, 214, 114)
LEAF = (92, 158, 60)
LEAF_D = (50, 108, 42)
LEAF_L = (140, 196, 92)

GOLD_OL = (128, 80, 16)
GOLD_D = (204, 136, 22)
GOLD = (246, 190, 40)
GOLD_L = (255, 228, 120)

RED_OL = (104, 16, 26)
RED_D = (168, 28, 34)
RED = (228, 52, 48)
RED_L = (255, 120, 104)

PINK = (255, 140, 128)


def rgba(c, a=255):
    return tuple(c[:3]) + ((c[3],) if len(c) == 4 else (a,))


def mix(a, b, t):
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def rot(x, y, ang):
    ca, sa = math.cos(ang), math.sin(ang)
    return x * ca - y * sa, x * sa + y * ca


def polar(cx, cy, r, deg):
    a = math.radians(deg)
    return cx + r * math.cos(a), cy + r * math.sin(a)


def load_font(size_px):
    path = FONT_BOLD if os.path.exists(FONT_BOLD) else FONT_BOLD_ALT
    return ImageFont.truetype(path, int(round(size_px)))


def stops_lut(stops):
    """Lookup tables (R, G, B, A) for a 0..255 parameter from colour stops."""
    stops = [(t, rgba(col)) for t, col in stops]
    luts = [[], [], [], []]
    for i in range(256):
        t = i / 255.0
        for k in range(len(stops) - 1):
            t0, c0 = stops[k]
            t1, c1 = stops[k + 1]
            if t <= t1 or k == len(stops) - 2:
                u = 0.0 if t1 == t0 else min(1.0, max(0.0, (t - t0) / (t1 - t0)))
                if t < t0:
                    u = 0.0
                col = mix(c0, c1, u)
                break
        for ch in range(4):
            luts[ch].append(col[ch])
    return luts


# ================================================================ canvas
class Canvas:
    """An RGBA picture drawn at SS x; all coordinates are in logical pixels.

    Coordinates are continuous: pixel (i, j) covers [i, i+1) x [j, j+1), so
    the centre of pixel (70, 117) is (70.5, 117.5).  The finished picture has
    `ratio` device pixels per logical pixel (`out` is its size).
    """

    def __init__(self, w, h, bg=(0, 0, 0, 0), ss=SS, ratio=1):
        self.w, self.h, self.ss, self.ratio = w, h, ss, ratio
        s = ss * ratio
        self.s = int(s) if s == int(s) else s
        self.size = (int(round(w * self.s)), int(round(h * self.s)))
        self.out = (int(round(w * ratio)), int(round(h * ratio)))
        self.img = Image.new("RGBA", self.size, rgba(bg))

    # ------------------------------------------------------------ masks
    def mask(self):
        return Image.new("L", self.size, 0)

    def _p(self, x, y):
        return (x * self.s, y * self.s)

    def m_ellipse(self, cx, cy, rx, ry=None, grow=0.0):
        ry = rx if ry is None else ry
        rx, ry = rx + grow, ry + grow
        m = self.mask()
        s = self.s
        ImageDraw.Draw(m).ellipse(
            [(cx - rx) * s, (cy - ry) * s, (cx + rx) * s - 1, (cy + ry) * s - 1], fill=255)
        return m

    def m_rrect(self, x0, y0, x1, y1, r, grow=0.0):
        x0, y0, x1, y1, r = x0 - grow, y0 - grow, x1 + grow, y1 + grow, r + grow
        m = self.mask()
        s = self.s
        ImageDraw.Draw(m).rounded_rectangle(
            [x0 * s, y0 * s, x1 * s - 1, y1 * s - 1], radius=max(0, r * s), fill=255)
        return m

    def m_poly(self, pts, grow=0.0):
        m = self.mask()
        d = ImageDraw.Draw(m)
        sp = [self._p(x, y) for x, y in pts]
        d.polygon(sp, fill=255)
        if grow > 0:
            w = grow * 2 * self.s
            d.line(sp + [sp[0]], fill=255, width=int(round(w)), joint="curve")
            for x, y in sp:
                d.ellipse([x - w / 2, y - w / 2, x + w / 2, y + w / 2], fill=255)
        return m

    def m_line(self, pts, width, grow=0.0):
        """A polyline with round joints and round caps."""
        m = self.mask()
        d = ImageDraw.Draw(m)
        w = (width + 2 * grow) * self.s
        sp = [self._p(x, y) for x, y in pts]
        if len(sp) > 1:
            d.line(sp, fill=255, width=max(1, int(round(w))), joint="curve")
        for x, y in (sp[0], sp[-1]) if len(sp) > 1 else sp:
            d.ellipse([x - w / 2, y - w / 2, x + w / 2, y + w / 2], fill=255)
        return m

    def m_arc(self, cx, cy, r, a0, a1, width, grow=0.0, ry=None, n=48):
        ry = r if ry is None else ry
        pts = []
        for i in range(n + 1):
            a = math.radians(a0 + (a1 - a0) * i / n)
            pts.append((cx + r * math.cos(a), cy + ry * math.sin(a)))
        return self.m_line(pts, width, grow)

    def m_text(self, x, y, text, size, stroke=0.0, anchor="ms"):
        m = self.mask()
        font = load_font(size * self.s)
        ImageDraw.Draw(m).text(self._p(x, y), text, font=font, fill=255, anchor=anchor,
                               stroke_width=int(round(stroke * self.s)), stroke_fill=255)
        return m

    def m_rect(self, x0, y0, x1, y1):
        m = self.mask()
        s = self.s
        ImageDraw.Draw(m).rectangle([x0 * s, y0 * s, x1 * s - 1, y1 * s - 1], fill=255)
        return m

    def rect_fill(self, x0, y0, x1, y1, fill):
        """A rectangle on whole pixels: x0..x1 and y0..y1 are pixel edges."""
        self.paint(self.m_rect(x0, y0, x1, y1), fill)

    # ------------------------------------------------------------ paints
    def _tmap(self, fn, step=0.5):
        """Parameter map t(x, y) in 0..1, sampled every `step` px, smoothed up."""
        gw, gh = int(math.ceil(self.w / step)) + 1, int(math.ceil(self.h / step)) + 1
        data = []
        for j in range(gh):
            y = j * step
            for i in range(gw):
                t = fn(i * step, y)
                data.append(int(round(255 * min(1.0, max(0.0, t)))))
        g = Image.new("L", (gw, gh))
        g.putdata(data)
        # sample k lies at k*step; stretch so that it lands on k*step*s
        big = g.resize((int(gw * step * self.s), int(gh * step * self.s)), Image.BILINEAR)
        return big.crop((0, 0) + self.size)

    def _colourise(self, t, stops):
        luts = stops_lut(stops)
        return Image.merge("RGBA", [t.point(l) for l in luts])

    def lin(self, x0, y0, x1, y1, stops):
        dx, dy = x1 - x0, y1 - y0
        dd = dx * dx + dy * dy or 1.0
        step = 0.5 if self.w * self.h < 60000 else 1.0
        return self._colourise(
            self._tmap(lambda x, y: ((x - x0) * dx + (y - y0) * dy) / dd, step), stops)

    def rad(self, cx, cy, r, stops, ry=None):
        ry = r if ry is None else ry
        step = 0.5 if self.w * self.h < 60000 else 1.0
        return self._colourise(
            self._tmap(lambda x, y: math.hypot((x - cx) / r, (y - cy) / ry), step), stops)

    def paint(self, mask, fill, opacity=1.0):
        bb = mask.getbbox()
        if not bb:
            return
        m = mask.crop(bb)
        if isinstance(fill, Image.Image):
            layer = fill.crop(bb)
        else:
            layer = Image.new("RGBA", m.size, rgba(fill))
        a = ImageChops.multiply(layer.getchannel("A"), m)
        if opacity < 1.0:
            a = a.point(lambda v: int(v * opacity + 0.5))
        layer = layer.copy()
        layer.putalpha(a)
        region = self.img.crop(bb)
        self.img.paste(Image.alpha_composite(region, layer), bb[:2])

    # ------------------------------------------------------------ shapes
    def ellipse(self, cx, cy, rx, ry=None, fill=None, outline=None, ow=1.0, opacity=1.0):
        if outline is not None:
            self.paint(self.m_ellipse(cx, cy, rx, ry, grow=ow), outline, opacity)
        if fill is not None:
            self.paint(self.m_ellipse(cx, cy, rx, ry), fill, opacity)

    def rrect(self, x0, y0, x1, y1, r, fill=None, outline=None, ow=1.0):
        if outline is not None:
            self.paint(self.m_rrect(x0, y0, x1, y1, r, grow=ow), outline)
        if fill is not None:
            self.paint(self.m_rrect(x0, y0, x1, y1, r), fill)

    def poly(self, pts, fill=None, outline=None, ow=1.0):
        if outline is not None:
            self.paint(self.m_poly(pts, grow=ow), outline)
        if fill is not None:
            self.paint(self.m_poly(pts), fill)

    def line(self, pts, width, fill, outline=None, ow=1.0, opacity=1.0):
        if outline is not None:
            self.paint(self.m_line(pts, width, grow=ow), outline, opacity)
        self.paint(self.m_line(pts, width), fill, opacity)

    def arc(self, cx, cy, r, a0, a1, width, fill, outline=None, ow=1.0, ry=None):
        if outline is not None:
            self.paint(self.m_arc(cx, cy, r, a0, a1, width, grow=ow, ry=ry), outline)
        self.paint(self.m_arc(cx, cy, r, a0, a1, width, ry=ry), fill)

    def sub(self, w, h):
        return Canvas(w, h, ss=self.ss, ratio=self.ratio)

    def stamp(self, other, x, y, angle=0.0):
        """Composite another canvas with its centre at (x, y), rotated (deg)."""
        im = other.img
        if angle:
            im = im.rotate(-angle, resample=Image.BICUBIC, expand=True)
        px = int(round(x * self.s - im.width / 2))
        py = int(round(y * self.s - im.height / 2))
        layer = Image.new("RGBA", self.size, (0, 0, 0, 0))
        layer.paste(im, (px, py))
        self.img = Image.alpha_composite(self.img, layer)

    # ------------------------------------------------------------ output
    def opaque(self):
        """Downsample a picture without transparency (LANCZOS)."""
        bg = Image.new("RGBA", self.size, rgba(DIAL))
        flat = Image.alpha_composite(bg, self.img).convert("RGB")
        return flat.resize(self.out, Image.LANCZOS)

    def rgba_small(self):
        return self.img.resize(self.out, Image.LANCZOS)


# ================================================================ output helpers
def mask_union(*ms):
    out = ms[0]
    for m in ms[1:]:
        out = ImageChops.lighter(out, m)
    return out


def mask_sub(a, b):
    return ImageChops.subtract(a, b)


def mask_and(a, b):
    return ImageChops.multiply(a, b)


def hard_mask_and_colours(canvas):
    """1-bit mask (list of bools) and RGB colours antialiased among opaque pixels."""
    w, h = canvas.out
    alpha = canvas.img.getchannel("A").resize((w, h), Image.BOX)
    # Pillow resamples RGBA premultiplied, so edge colours are not mixed with
    # the (transparent) background.
    col = canvas.img.resize((w, h), Image.LANCZOS)
    av = list(alpha.getdata())
    on = [v >= 128 for v in av]
    on = clean_mask(on, w, h)
    cv = list(col.getdata())
    rgb = []
    for i, (r, g, b, a) in enumerate(cv):
        if on[i] and a < 96:
            # resampled alpha too small to trust the colour: borrow neighbours
            x, y = i % w, i // w
            acc, n = [0, 0, 0], 0
            for dy in (-1, 0, 1):
                for dx in (-1, 0, 1):
                    xx, yy = x + dx, y + dy
                    if 0 <= xx < w and 0 <= yy < h and cv[yy * w + xx][3] >= 160:
                        for k in range(3):
                            acc[k] += cv[yy * w + xx][k]
                        n += 1
            if n:
                r, g, b = (acc[0] // n, acc[1] // n, acc[2] // n)
        rgb.append((r, g, b))
    return on, rgb


def components(on, w, h, value):
    """4-connected components of pixels equal to `value`: list of index lists."""
    seen = [False] * (w * h)
    comps = []
    for start in range(w * h):
        if seen[start] or on[start] != value:
            continue
        seen[start] = True
        stack, comp = [start], []
        while stack:
            i = stack.pop()
            comp.append(i)
            x, y = i % w, i // w
            for j, ok in ((i - 1, x > 0), (i + 1, x < w - 1), (i - w, y > 0), (i + w, y < h - 1)):
                if ok and not seen[j] and on[j] == value:
                    seen[j] = True
                    stack.append(j)
        comps.append(comp)
    return comps


def touches_border(comp, w, h):
    return any(i % w in (0, w - 1) or i // w in (0, h - 1) for i in comp)


MIN_SPECK = 6   # smallest opaque island / enclosed hole kept, in pixels


def clean_mask(on, w, h):
    """Make a 1-bit outline clean: fill one-pixel notches and pinholes, drop
    pixels that only touch diagonally, tiny islands and tiny enclosed holes."""
    on = list(on)
    for _ in range(3):
        new = list(on)
        for y in range(1, h - 1):
            for x in range(1, w - 1):
                i = y * w + x
                n4 = on[i - 1] + on[i + 1] + on[i - w] + on[i + w]
                if not on[i] and n4 >= 3:
                    new[i] = True
        on = new
    for i in range(w * h):
        if on[i]:
            x, y = i % w, i // w
            if not ((x > 0 and on[i - 1]) or (x < w - 1 and on[i + 1]) or
                    (y > 0 and on[i - w]) or (y < h - 1 and on[i + w])):
                on[i] = False
    for comp in components(on, w, h, True):
        if len(comp) < MIN_SPECK:
            for i in comp:
                on[i] = False
    for comp in components(on, w, h, False):
        if len(comp) < MIN_SPECK and not touches_border(comp, w, h):
            for i in comp:
                on[i] = True
    return on


def nudge(c):
    """Move a colour off the forbidden set (pure white and Qt's greys)."""
    c = tuple(c)
    while c in FORBIDDEN:
        c = (max(0, c[0] - 2), max(0, c[1] - 1), max(0, c[2] - 4))
    return c


def to_palette(rgb, on, size, keep=(), transparent=True):
    """Quantise to a 'P' image.  Transparent pixels use the last palette index,
    whose colour is white.  Colours in `keep` are kept exact."""
    w, h = size
    # transparent pixels are given the commonest opaque colour so that they
    # do not take up palette entries
    filler = Counter(c for c, o in zip(rgb, on) if o).most_common(1)[0][0]
    src = Image.new("RGB", size)
    src.putdata([nudge(c) if o else filler for c, o in zip(rgb, on)] if transparent
                else [nudge(c) for c in rgb])
    ncol = 255 if transparent else 256
    q = src.quantize(colors=ncol, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
    pal = q.getpalette()[:3 * ncol]
    pal += [0] * (3 * ncol - len(pal))
    entries = [tuple(pal[3 * i:3 * i + 3]) for i in range(ncol)]
    used = sorted(set(q.getdata()))
    entries = [entries[i] for i in used]
    for k in keep:
        if k not in entries:
            j = min(range(len(entries)),
                    key=lambda i: sum((a - b) ** 2 for a, b in zip(entries[i], k)))
            entries[j] = tuple(k)
    entries = [nudge(e) for e in entries]
    # remap exactly with the final palette (no dithering)
    palimg = Image.new("P", (1, 1))
    flat = []
    for i in range(256):
        flat += list(entries[i] if i < len(entries) else entries[0])
    palimg.putpalette(flat)
    mapped = src.quantize(palette=palimg, dither=Image.Dither.NONE)
    idx = list(mapped.getdata())
    tindex = len(entries) if transparent else None
    if transparent:
        idx = [i if o else tindex for i, o in zip(idx, on)]
        entries = entries + [WHITE]
    out = Image.new("P", size)
    flat = []
    for e in entries:
        flat += list(e)
    out.putpalette(flat)
    out.putdata(idx)
    return out, tindex


def ratio_name(name, ratio):
    """The picture for `ratio` device pixels per logical pixel, named as Qt
    names them: clock_body.gif, clock_body@1.5x.gif, clock_body@2x.gif."""
    if ratio == 1:
        return name
    stem, ext = os.path.splitext(name)
    return "%s@%gx%s" % (stem, ratio, ext)


def save_gif(img, name, tindex):
    path = os.path.join(RES, name)
    if tindex is None:
        img.save(path, optimize=False)
    else:
        img.save(path, transparency=tindex, optimize=False)
    return path


def finish_transparent(canvas, name, keep=()):
    on, rgb = hard_mask_and_colours(canvas)
    img, t = to_palette(rgb, on, canvas.out, keep=keep)
    return save_gif(img, ratio_name(name, canvas.ratio), t)


def finish_opaque(canvas, name, keep=()):
    small = canvas.opaque()
    rgb = list(small.getdata())
    img, _ = to_palette(rgb, [True] * len(rgb), small.size, keep=keep, transparent=False)
    return save_gif(img, ratio_name(name, canvas.ratio), None)


# ================================================================ shared motifs
def leaflet_poly(bx, by, ang, length, width, grow=0.0, n=14):
    """A pointed leaflet from base (bx, by) in direction ang (radians)."""
    pts = []
    L = length + 2 * grow
    for k in range(n + 1):
        s = k / n
        hw = (width / 2) * math.sin(math.pi * s) ** 0.8 + grow
        pts.append((s * L - grow, hw))
    for k in range(n, -1, -1):
        s = k / n
        hw = (width / 2) * math.sin(math.pi * s) ** 0.8 + grow
        pts.append((s * L - grow, -hw))
    return [(bx + rot(x, y, ang)[0], by + rot(x, y, ang)[1]) for x, y in pts]


def frond(c, pts, leaf_len, leaf_w, spread=58, taper=0.7, every=1.6, ow=0.55,
          colours=(LEAF, LEAF_D, LEAF_L), rib=0.7):
    """A fern-like pinnate tansy leaf along the polyline `pts` (base first)."""
    fill, dark, light = colours
    # arc-length parametrisation of the rib
    seg = [0.0]
    for (x0, y0), (x1, y1) in zip(pts, pts[1:]):
        seg.append(seg[-1] + math.hypot(x1 - x0, y1 - y0))
    total = seg[-1]

    def at(d):
        for k in range(1, len(seg)):
            if d <= seg[k] or k == len(seg) - 1:
                u = (d - seg[k - 1]) / ((seg[k] - seg[k - 1]) or 1)
                (x0, y0), (x1, y1) = pts[k - 1], pts[k]
                return x0 + (x1 - x0) * u, y0 + (y1 - y0) * u, math.atan2(y1 - y0, x1 - x0)
        return pts[-1][0], pts[-1][1], 0.0

    leaves = []
    d = every * 0.6
    side = 1
    while d < total - 0.3:
        x, y, a = at(d)
        f = 1 - taper * (d / total)
        leaves.append((x, y, a + side * math.radians(spread), leaf_len * f, leaf_w * max(0.55, f)))
        side = -side
        d += every * (0.75 + 0.25 * (1 - d / total))
    x, y, a = at(total)
    tip = (x, y, a, leaf_len * (1 - taper) * 1.2, leaf_w * 0.6)
    outline = mask_union(c.m_line(pts, rib, grow=ow),
                         *[c.m_poly(leaflet_poly(*lf, grow=ow)) for lf in leaves + [tip]])
    c.paint(outline, dark)
    body = mask_union(*[c.m_poly(leaflet_poly(*lf)) for lf in leaves + [tip]])
    c.paint(body, fill)
    # light upper half of each leaflet
    hl = mask_union(*[c.m_poly(leaflet_poly(x, y, a, L * 0.8, W * 0.45))
                      for x, y, a, L, W in leaves + [tip]])
    c.paint(mask_and(hl, body), light, 0.55)
    c.paint(c.m_line(pts, rib), dark)


def button(c, x, y, r, ow=None, detail=True):
    """One tansy flower head: a golden, slightly domed, textured button."""
    ow = max(0.55, r * 0.16) if ow is None else ow
    c.ellipse(x, y, r, fill=None, outline=GOLD_OL, ow=ow)
    c.paint(c.m_ellipse(x, y, r),
            c.rad(x - 0.3 * r, y - 0.35 * r, 1.55 * r,
                  [(0, (255, 236, 120)), (0.45, (250, 198, 40)), (1, (212, 134, 14))]))
    if detail and r >= 4.5:
        for k in range(12):
            px, py = polar(x, y, r * 0.64, k * 30 + 8)
            c.ellipse(px, py, r * 0.1, fill=(206, 128, 10), opacity=0.55)
        c.ellipse(x, y + 0.05 * r, r * 0.3, fill=(222, 146, 18), opacity=0.7)
    elif detail:
        c.ellipse(x + 0.1 * r, y + 0.15 * r, r * 0.32, fill=(222, 146, 18), opacity=0.55)
    c.ellipse(x - 0.33 * r, y - 0.38 * r, r * 0.3, r * 0.2, fill=(255, 248, 206), opacity=0.85)


def cluster(c, cx, cy, out_deg, heads_at, stem_len=8.0, stem_w=0.9, ow=None):
    """A corymb of tansy buttons, opening towards out_deg from (cx, cy).

    heads_at: list of (along, across, r) relative to (cx, cy)."""
    a = math.radians(out_deg)
    ux, uy = math.cos(a), math.sin(a)
    vx, vy = -uy, ux
    ox, oy = cx - ux * stem_len, cy - uy * stem_len
    heads = [(cx + ux * al + vx * ac, cy + uy * al + vy * ac, r) for al, ac, r in heads_at]
    for hx, hy, r in heads:
        c.line([(ox, oy), (hx, hy)], stem_w, LEAF_D)
    for hx, hy, r in sorted(heads, key=lambda h: (h[0] - ox) * ux + (h[1] - oy) * uy):
        button(c, hx, hy, r, ow=ow)


def bee(c, x, y, s, ang=-15):
    """A tiny round bumble bee (s = body half-length)."""
    a = math.radians(ang)
    for dx, dy in ((-0.25, -1.0), (0.4, -0.95)):
        wx, wy = rot(dx * s, dy * s, a)
        c.ellipse(x + wx, y + wy, s * 0.55, s * 0.7, fill=(206, 230, 250), outline=(84, 110, 150), ow=max(0.5, s * 0.15))
    body = c.m_poly([(x + rot(s * math.cos(t), s * 0.72 * math.sin(t), a)[0],
                      y + rot(s * math.cos(t), s * 0.72 * math.sin(t), a)[1])
                     for t in [k * math.pi / 16 for k in range(32)]])
    c.paint(c.m_poly([(x + rot(s * math.cos(t), s * 0.72 * math.sin(t), a)[0],
                       y + rot(s * math.cos(t), s * 0.72 * math.sin(t), a)[1])
                      for t in [k * math.pi / 16 for k in range(32)]], grow=max(0.45, s * 0.12)), INK)
    c.paint(body, (255, 206, 40))
    for u in (-0.2, 0.3):
        bx, by = rot(u * s, 0, a)
        c.paint(mask_and(body, c.m_line([(x + bx + rot(0, -s, a)[0], y + by + rot(0, -s, a)[1]),
                                         (x + bx + rot(0, s, a)[0], y + by + rot(0, s, a)[1])], s * 0.26)), INK)
    ex, ey = rot(s * 0.62, -s * 0.12, a)
    c.ellipse(x + ex, y + ey, s * 0.12, fill=NEAR_WHITE)


def hand_points(cx, cy, length, frac):
    """A clock hand from (cx, cy); frac = fraction of a full turn from 12."""
    a = math.radians(frac * 360 - 90)
    return [(cx, cy), (cx + length * math.cos(a), cy + length * math.sin(a))]


def arc_pts(cx, cy, r0, r1, a0, a1, n=24):
    return [polar(cx, cy, r0 + (r1 - r0) * k / n, a0 + (a1 - a0) * k / n) for k in range(n + 1)]


# ---------------------------------------------------------------- characters
def tansy_buddy(c, x, y, R, mood="happy", arms="wave", feet=True, tuft=True):
    """The Tansywatch mascot: a golden tansy button with a face, leaf arms.

    (x, y) is the centre of the head, R its radius."""
    ow = max(0.7, R * 0.075)
    # a little sprout on top of the head: a short stem with two leaves
    if tuft:
        sx, sy = x + R * 0.04, y - R * 0.88
        c.line([(sx, sy + R * 0.2), (sx + R * 0.02, sy - R * 0.2)], R * 0.1, LEAF, outline=LEAF_D, ow=ow * 0.8)
        for deg, L in ((-145, 0.5), (-40, 0.42)):
            leaf = leaflet_poly(sx + R * 0.02, sy - R * 0.18, math.radians(deg), R * L, R * 0.25)
            c.poly(leaf, fill=LEAF, outline=LEAF_D, ow=ow * 0.8)
            c.paint(c.m_poly(leaflet_poly(sx + R * 0.02, sy - R * 0.21, math.radians(deg - 4), R * L * 0.75,
                                          R * 0.09)), LEAF_L, 0.8)
    # body (a small green bean) and feet
    by0 = y + R * 1.35
    if feet:
        for sgn in (-1, 1):
            c.ellipse(x + sgn * R * 0.3, y + R * 2.02, R * 0.27, R * 0.16,
                      fill=LEAF_D, outline=GREEN_OL, ow=ow)
            c.ellipse(x + sgn * R * 0.3 - R * 0.07, y + R * 1.97, R * 0.1, R * 0.05,
                      fill=LEAF_L, opacity=0.7)
    c.ellipse(x, by0, R * 0.46, R * 0.62, fill=None, outline=GREEN_OL, ow=ow)
    c.paint(c.m_ellipse(x, by0, R * 0.46, R * 0.62),
            c.rad(x - R * 0.18, by0 - R * 0.25, R * 0.9,
                  [(0, (176, 224, 126)), (0.5, GREEN), (1, GREEN_D)]))
    # stubby arms with round hands; pose per side
    poses = {"wave": ("down", "up"), "up": ("up", "up"), "down": ("down", "down"),
             "hold": ("down", "hold"), "hold2": ("hold", "hold")}[arms]
    for sgn, pose in zip((-1, 1), poses):
        sx, sy = x + sgn * R * 0.34, by0 - R * 0.2
        if pose == "up":
            hx, hy = sx + sgn * R * 0.5, sy - R * 0.5
        elif pose == "hold":
            hx, hy = sx + sgn * R * 0.62, sy - R * 0.02
        else:
            hx, hy = sx + sgn * R * 0.42, sy + R * 0.4
        c.line([(sx, sy), (hx, hy)], R * 0.2, GREEN, outline=GREEN_OL, ow=ow)
        c.ellipse(hx, hy, R * 0.15, fill=GREEN_L, outline=GREEN_OL, ow=ow)
    c.paint(c.m_ellipse(x, by0, R * 0.46, R * 0.62),
            c.rad(x - R * 0.18, by0 - R * 0.25, R * 0.9,
                  [(0, (176, 224, 126)), (0.5, GREEN), (1, GREEN_D)]))
    # a tansy leaf as a little collar
    for sgn in (-1, 1):
        c.poly(leaflet_poly(x, by0 - R * 0.5, math.radians(90 - sgn * 62), R * 0.42, R * 0.2),
               fill=LEAF_L, outline=LEAF_D, ow=ow * 0.7)
    # head: a flat golden button with a scalloped rim of tiny florets
    n_sc = 16
    rim = [polar(x, y, R * 0.86, k * 360 / n_sc) for k in range(n_sc)]
    head_ol = mask_union(c.m_ellipse(x, y, R * 0.9, grow=ow), *[c.m_ellipse(px, py, R * 0.17, grow=ow) for px, py in rim])
    head = mask_union(c.m_ellipse(x, y, R * 0.9), *[c.m_ellipse(px, py, R * 0.17) for px, py in rim])
    c.paint(head_ol, GOLD_OL)
    c.paint(head, c.rad(x - R * 0.3, y - R * 0.4, R * 1.6,
                        [(0, (255, 240, 140)), (0.4, (255, 212, 44)), (1, (222, 150, 16))]))
    # the rim florets catch the light
    for px, py in rim:
        c.ellipse(px - R * 0.03, py - R * 0.04, R * 0.07, fill=(255, 238, 150), opacity=0.7)
    c.paint(mask_sub(c.m_ellipse(x, y, R * 0.72), c.m_ellipse(x, y, R * 0.66)), (226, 156, 20), 0.45)
    # floret texture: tiny light dots
    rnd = random.Random(int(R * 100) + 7)
    for ring, n in ((0.52, 15), (0.34, 10)):
        for k in range(n):
            px, py = polar(x, y, R * ring, k * 360 / n + rnd.uniform(-5, 5))
            c.ellipse(px, py, R * 0.04, fill=(255, 236, 140), opacity=0.65)
    c.ellipse(x - R * 0.36, y - R * 0.5, R * 0.26, R * 0.13, fill=(255, 252, 222), opacity=0.75)
    # face
    ex = R * 0.32
    eyy = y - R * 0.02
    if mood == "closed":
        for sgn in (-1, 1):
            c.arc(x + sgn * ex, eyy + R * 0.05, R * 0.14, 200, 340, R * 0.07, INK)
    else:
        for sgn in (-1, 1):
            c.ellipse(x + sgn * ex, eyy, R * 0.12, R * 0.16, fill=INK)
            c.ellipse(x + sgn * ex - R * 0.04, eyy - R * 0.06, R * 0.05, fill=NEAR_WHITE)
    for sgn in (-1, 1):
        c.ellipse(x + sgn * R * 0.58, y + R * 0.28, R * 0.16, R * 0.1, fill=PINK, opacity=0.75)
    if mood in ("happy", "closed"):
        c.arc(x, y + R * 0.18, R * 0.2, 20, 160, R * 0.075, INK)
    elif mood == "surprised":
        c.ellipse(x, y + R * 0.36, R * 0.12, R * 0.15, fill=RED_OL)
        c.ellipse(x, y + R * 0.42, R * 0.07, R * 0.06, fill=PINK)
    elif mood == "shout":
        m = mask_and(c.m_ellipse(x, y + R * 0.22, R * 0.24, R * 0.26), c.m_rect(0, y + R * 0.24, c.w, c.h))
        c.paint(m, RED_OL)
        c.paint(mask_and(m, c.m_ellipse(x, y + R * 0.52, R * 0.14, R * 0.09)), PINK)


def clock_buddy(c, x, y, R, mood="surprised"):
    """A tiny Tansywatch alarm clock with a face; (x, y) centre, R radius."""
    ow = max(0.7, R * 0.08)
    # legs
    for sgn in (-1, 1):
        c.line([(x + sgn * R * 0.45, y + R * 0.7), (x + sgn * R * 0.7, y + R * 1.15)], R * 0.16,
               GOLD_D, outline=GOLD_OL, ow=ow)
    # bells + hammer
    c.line([(x, y - R * 0.9), (x, y - R * 1.22)], R * 0.12, GOLD_D, outline=GOLD_OL, ow=ow)
    c.ellipse(x, y - R * 1.28, R * 0.13, fill=GOLD, outline=GOLD_OL, ow=ow)
    for sgn in (-1, 1):
        bx, by = polar(x, y, R * 0.98, -90 + sgn * 42)
        c.ellipse(bx, by, R * 0.4, fill=None, outline=GOLD_OL, ow=ow)
        dome = mask_and(c.m_ellipse(bx, by, R * 0.4), c.m_ellipse(x, y, R * 3))
        c.paint(dome, c.rad(bx - R * 0.15, by - R * 0.18, R * 0.6,
                            [(0, GOLD_L), (0.5, GOLD), (1, GOLD_D)]))
    # case
    c.ellipse(x, y, R, fill=None, outline=GREEN_OL, ow=ow)
    c.paint(c.m_ellipse(x, y, R), c.rad(x - R * 0.35, y - R * 0.4, R * 1.7,
                                       [(0, GREEN_L), (0.45, GREEN), (1, GREEN_D)]))
    c.ellipse(x, y, R * 0.8, fill=DIAL, outline=GOLD_D, ow=ow * 0.7)
    for k in range(4):
        px, py = polar(x, y, R * 0.68, k * 90)
        c.ellipse(px, py, R * 0.05, fill=TICK)
    # face
    ex = R * 0.28
    if mood == "closed":
        for sgn in (-1, 1):
            c.arc(x + sgn * ex, y - R * 0.05, R * 0.12, 200, 340, R * 0.07, INK)
    else:
        for sgn in (-1, 1):
            c.ellipse(x + sgn * ex, y - R * 0.12, R * 0.1, R * 0.14, fill=INK)
            c.ellipse(x + sgn * ex - R * 0.035, y - R * 0.17, R * 0.04, fill=NEAR_WHITE)
    for sgn in (-1, 1):
        c.ellipse(x + sgn * R * 0.47, y + R * 0.16, R * 0.12, R * 0.08, fill=PINK, opacity=0.75)
    if mood == "surprised":
        c.ellipse(x, y + R * 0.3, R * 0.11, R * 0.14, fill=RED_OL)
    elif mood == "shout":
        m = mask_and(c.m_ellipse(x, y + R * 0.12, R * 0.22, R * 0.26), c.m_rect(0, y + R * 0.14, c.w, c.h))
        c.paint(m, RED_OL)
        c.paint(mask_and(m, c.m_ellipse(x, y + R * 0.42, R * 0.13, R * 0.08)), PINK)
    else:
        c.arc(x, y + R * 0.1, R * 0.18, 20, 160, R * 0.07, INK)
    # gloss
    c.paint(mask_sub(c.m_ellipse(x, y, R * 0.96), c.m_ellipse(x + R * 0.08, y + R * 0.1, R * 0.96)),
            (228, 250, 200), 0.8)


def shake_lines(c, x, y, R, colour=(112, 18, 34)):
    """Little "(( ))" ringing marks either side of a clock buddy."""
    for base in (180, 0):
        for r in (1.22, 1.45):
            c.arc(x, y, R * r, base - 22, base + 22, max(1.4, R * 0.1), colour)


# ================================================================ pictures
BODY_W, BODY_H = 142, 198
CX, CY = 70.5, 117.5   # centre of pixel (70, 117): the hands' centre
FACE_AT = (40, 88)


def draw_clock_body(c):
    cx, cy = CX, CY
    # --- legs and feet (behind the case)
    for sgn in (-1, 1):
        top = (cx + sgn * 30, cy + 52)
        bot = (cx + sgn * 40, cy + 71)
        c.line([top, bot], 7.5, GOLD_D, outline=GOLD_OL, ow=1.1)
        c.paint(c.m_line([(top[0] - 1.3, top[1]), (bot[0] - 1.3, bot[1])], 2.0), GOLD_L, 0.7)
        fx, fy = cx + sgn * 41.5, 193.2
        foot = c.m_ellipse(fx, fy, 12.5, 6.8)
        c.paint(c.m_ellipse(fx, fy, 12.5, 6.8, grow=1.1), GREEN_OL)
        c.paint(foot, c.rad(fx - 4, fy - 4, 14, [(0, GREEN_L), (0.5, GREEN), (1, GREEN_D)]))
        c.ellipse(fx - 4, fy - 3, 4, 1.6, fill=(214, 244, 184), opacity=0.8)
    # --- loop (bow) with padlock hanging in it
    lx, ly = cx, 17.5
    # padlock shackle, behind the bow
    c.arc(lx, 15.0, 3.6, 180, 360, 2.0, (160, 170, 190), outline=(56, 62, 84), ow=0.9)
    c.line([(lx - 3.6, 15.0), (lx - 3.6, 17)], 2.0, (160, 170, 190), outline=(56, 62, 84), ow=0.9)
    c.line([(lx + 3.6, 15.0), (lx + 3.6, 17)], 2.0, (160, 170, 190), outline=(56, 62, 84), ow=0.9)
    band = mask_sub(c.m_ellipse(lx, ly, 27.5, 15.5), c.m_ellipse(lx, ly, 19.5, 8.2))
    band_ol = mask_sub(c.m_ellipse(lx, ly, 28.6, 16.6), c.m_ellipse(lx, ly, 18.4, 7.1))
    c.paint(band_ol, GOLD_OL)
    c.paint(band, c.lin(0, 2, 0, 33, [(0, GOLD_L), (0.35, GOLD), (1, GOLD_D)]))
    shine = mask_sub(c.m_ellipse(lx, ly - 0.5, 25.5, 13.5), c.m_ellipse(lx + 1.5, ly + 1.6, 25.5, 13.5))
    c.paint(mask_and(shine, band), (255, 246, 200), 0.85)
    # padlock body
    c.rrect(lx - 6, 15.0, lx + 6, 24.6, 2.2, fill=None, outline=(56, 62, 84), ow=1.0)
    c.paint(c.m_rrect(lx - 6, 15.0, lx + 6, 24.6, 2.2),
            c.lin(0, 15, 0, 25, [(0, (226, 232, 244)), (1, (146, 158, 184))]))
    c.ellipse(lx, 18.9, 1.45, fill=(52, 56, 76))
    c.poly([(lx - 0.8, 19.2), (lx + 0.8, 19.2), (lx + 1.1, 22.4), (lx - 1.1, 22.4)], fill=(52, 56, 76))
    c.paint(c.m_rrect(lx - 4.8, 16.0, lx - 3.3, 23.4, 0.7), (250, 252, 255), 0.6)
    # --- pendant neck and collar
    c.rrect(lx - 6.2, 37, lx + 6.2, 52, 1.5, fill=None, outline=GOLD_OL, ow=1.0)
    c.paint(c.m_rrect(lx - 6.2, 37, lx + 6.2, 52, 1.5),
            c.lin(lx - 6.2, 0, lx + 6.2, 0, [(0, GOLD_D), (0.3, GOLD_L), (0.6, GOLD), (1, GOLD_D)]))
    c.rrect(lx - 9, 43.0, lx + 9, 48.0, 2.0, fill=None, outline=GOLD_OL, ow=1.0)
    c.paint(c.m_rrect(lx - 9, 43.0, lx + 9, 48.0, 2.0),
            c.lin(lx - 9, 0, lx + 9, 0, [(0, GOLD_D), (0.3, GOLD_L), (0.6, GOLD), (1, GOLD_D)]))
    # --- crown: the red "close" button with a little x
    x0, y0, x1, y1 = lx - 11.5, 29.2, lx + 11.5, 39.6
    c.rrect(x0, y0, x1, y1, 3.6, fill=None, outline=RED_OL, ow=1.1)
    c.paint(c.m_rrect(x0, y0, x1, y1, 3.6), c.lin(0, y0, 0, y1, [(0, RED_L), (0.35, RED), (1, RED_D)]))
    for k in range(3):
        for sgn in (-1, 1):
            gx = lx + sgn * (8.6 - k * 2.0)
            c.paint(c.m_line([(gx, y0 + 2.2), (gx, y1 - 1.6)], 0.7), RED_OL, 0.55)
    c.paint(c.m_rrect(x0 + 2.5, y0 + 0.9, x1 - 2.5, y0 + 2.6, 0.9), (255, 214, 204), 0.6)
    xm, ym, d = lx, 34.6, 2.6
    c.line([(xm - d, ym - d), (xm + d, ym + d)], 1.5, NEAR_WHITE, outline=RED_OL, ow=0.5)
    c.line([(xm - d, ym + d), (xm + d, ym - d)], 1.5, NEAR_WHITE, outline=RED_OL, ow=0.5)
    # --- the case
    c.paint(c.m_ellipse(cx, cy, 70.5), GREEN_OL)
    c.paint(c.m_ellipse(cx, cy, 69.2),
            c.lin(cx - 55, cy - 60, cx + 55, cy + 60,
                  [(0, (160, 218, 116)), (0.45, GREEN), (1, (44, 110, 44))]))
    gloss = mask_sub(c.m_ellipse(cx, cy, 68.0), c.m_ellipse(cx + 2.4, cy + 3.0, 67.6))
    c.paint(gloss, (222, 248, 196), 0.85)
    c.ellipse(cx - 44, cy - 46, 3.2, 1.8, fill=(236, 252, 222), opacity=0.9)
    rim_shade = mask_sub(c.m_ellipse(cx, cy, 68.5), c.m_ellipse(cx - 2.0, cy - 2.4, 68.5))
    c.paint(rim_shade, (24, 70, 30), 0.5)
    # gold inner ring
    c.paint(c.m_ellipse(cx, cy, 64.4), GOLD_OL)
    c.paint(c.m_ellipse(cx, cy, 63.6), c.lin(0, cy - 64, 0, cy + 64, [(0, GOLD_L), (0.5, GOLD), (1, GOLD_D)]))
    c.paint(c.m_ellipse(cx, cy, 62.0), (176, 120, 30))
    # --- dial
    c.paint(c.m_ellipse(cx, cy, 61.3),
            c.rad(cx, cy, 61.3, [(0, DIAL), (0.8, DIAL), (1, (241, 229, 196))]))
    shadow = mask_sub(c.m_ellipse(cx, cy, 61.3), c.m_ellipse(cx, cy + 2.2, 61.3))
    c.paint(shadow, (150, 120, 70), 0.3)
    # minute dots and hour ticks (ring r 53.5 .. 61)
    for k in range(60):
        if k % 5:
            c.ellipse(*polar(cx, cy, 59.0, k * 6 - 90), 0.62, fill=(168, 156, 118))
    for k in range(12):
        a = k * 30 - 90
        if k % 3 == 0:
            c.line([polar(cx, cy, 53.6, a), polar(cx, cy, 60.4, a)], 3.3, TICK)
        else:
            c.line([polar(cx, cy, 55.8, a), polar(cx, cy, 60.4, a)], 1.7, TICK)


def make_clock_body(ratio):
    c = Canvas(BODY_W, BODY_H, ratio=ratio)
    draw_clock_body(c)
    return finish_transparent(c, "clock_body.gif", keep=(DIAL,))


FACE_W = 64
FACE_HC = (CX - FACE_AT[0], CY - FACE_AT[1])   # hands' centre in face pixels


def draw_face(c):
    hx, hy = FACE_HC
    c.paint(c.m_rect(0, 0, 64, 64), DIAL)
    c.paint(c.m_rect(0, 0, 64, 64), c.rad(hx, hy, 22, [(0, (255, 243, 200)), (1, DIAL)]))
    # leafy garland
    frond(c, arc_pts(hx, hy, 23.5, 24.5, 218, 122, 20), 5.2, 1.9, every=2.1)
    frond(c, arc_pts(hx, hy, 24.0, 25.0, 40, -62, 20), 5.2, 1.9, every=2.1)
    frond(c, arc_pts(hx, hy, 27.0, 26.0, 52, 92, 8), 4.0, 1.6, every=2.0)
    # golden button clusters
    ul = polar(hx, hy, 26.5, 225)
    cluster(c, ul[0], ul[1], 225,
            [(0, 0, 3.7), (-1.2, -6.6, 3.3), (-1.2, 6.6, 3.3), (4.6, -3.3, 3.1), (4.6, 3.3, 3.1)],
            stem_len=8, ow=0.6)
    lr = polar(hx, hy, 28.0, 45)
    cluster(c, lr[0], lr[1], 45,
            [(0, 0, 3.7), (-1.2, -6.6, 3.3), (-1.2, 6.6, 3.3), (4.4, -3.3, 3.0), (4.4, 3.3, 3.0)],
            stem_len=8, ow=0.6)
    for deg, rr, r in ((150, 26.0, 2.5), (-25, 26.0, 2.5), (80, 27.5, 2.2)):
        button(c, *polar(hx, hy, rr, deg), r, ow=0.55)
    bee(c, *polar(hx, hy, 25.5, -92), 3.0, ang=-18)


def make_face(ratio):
    c = Canvas(FACE_W, FACE_W, ratio=ratio)
    draw_face(c)
    p = finish_opaque(c, "face.gif", keep=(DIAL,))
    # The face a reset gives is a file of the user's, beside the program: one
    # picture, which the program scales to the screen.
    if ratio != 1:
        return p
    with open(p, "rb") as f:
        data = f.read()
    with open(os.path.join(RES, "tansy.gif"), "wb") as f:
        f.write(data)
    return p


def finish_resized(canvas, w, h, name, keep=()):
    """Squash a drawing into a w x h picture (e.g. pre-compensate a stretch)."""
    small = Canvas(w, h, ss=canvas.ss, ratio=canvas.ratio)
    small.img = canvas.img.resize(small.size, Image.LANCZOS)
    return finish_transparent(small, name, keep)


def draw_alarm_clock(c, x, y, r):
    """Red twin-bell alarm clock centred at (x, y), body radius r."""
    ow = max(0.8, r * 0.09)
    for sgn in (-1, 1):
        c.line([(x + sgn * r * 0.5, y + r * 0.75), (x + sgn * r * 0.85, y + r * 1.22)], r * 0.2,
               (70, 40, 40), outline=RED_OL, ow=ow * 0.8)
    c.line([(x, y - r * 0.9), (x, y - r * 1.3)], r * 0.14, GOLD_D, outline=GOLD_OL, ow=ow * 0.8)
    c.line([(x - r * 0.45, y - r * 1.3), (x + r * 0.45, y - r * 1.3)], r * 0.14, GOLD_D,
           outline=GOLD_OL, ow=ow * 0.8)
    for sgn in (-1, 1):
        bx, by = polar(x, y, r * 1.06, -90 + sgn * 44)
        c.ellipse(bx, by, r * 0.5, fill=None, outline=RED_OL, ow=ow)
        c.paint(c.m_ellipse(bx, by, r * 0.5),
                c.rad(bx - r * 0.18, by - r * 0.2, r * 0.75, [(0, RED_L), (0.5, RED), (1, RED_D)]))
        c.ellipse(*polar(bx, by, r * 0.5, -90 + sgn * 45), r * 0.14, fill=GOLD, outline=GOLD_OL, ow=ow * 0.7)
    c.ellipse(x, y, r, fill=None, outline=RED_OL, ow=ow)
    c.paint(c.m_ellipse(x, y, r), c.rad(x - r * 0.35, y - r * 0.4, r * 1.7,
                                       [(0, RED_L), (0.45, RED), (1, RED_D)]))
    c.ellipse(x, y, r * 0.74, fill=DIAL, outline=RED_OL, ow=ow * 0.6)
    for k in range(4):
        c.ellipse(*polar(x, y, r * 0.6, k * 90), r * 0.06, fill=TICK)
    c.line(hand_points(x, y, r * 0.4, 10.1 / 12), r * 0.13, INK)
    c.line(hand_points(x, y, r * 0.55, 10 / 60), r * 0.11, INK)
    c.ellipse(x, y, r * 0.09, fill=RED_D)
    c.paint(mask_sub(c.m_ellipse(x, y, r * 0.95), c.m_ellipse(x + r * 0.1, y + r * 0.12, r * 0.95)),
            (255, 200, 190), 0.8)


def make_alarm_icon(ratio):
    # Drawn in the 40 x 30 space it is shown in, then squashed into 32 x 32,
    # so it looks round again when the program stretches it to 40 x 30.
    c = Canvas(40, 30, ratio=ratio)
    draw_alarm_clock(c, 20, 16.8, 9.0)
    return finish_resized(c, 32, 32, "alarm_icon.gif")


def sparkle(c, x, y, r, colour=GOLD, ol=GOLD_OL):
    pts = []
    for k in range(8):
        rr = r if k % 2 == 0 else r * 0.36
        pts.append(polar(x, y, rr, k * 45 - 90))
    c.poly(pts, fill=colour, outline=ol, ow=max(0.6, r * 0.14))


def buddy_sprite(c, R, kind="tansy", **kw):
    """A character on its own little canvas (for rotating); head at centre-ish."""
    w, h = int(R * 3.4) + 2, int(R * 4.0) + 2
    s = c.sub(w, h)
    if kind == "tansy":
        tansy_buddy(s, w / 2, R * 1.55, R, **kw)
    else:
        s_y = h / 2
        clock_buddy(s, w / 2, s_y - R * 0.1, R, **kw)
    return s


def shift(mask, dx, dy):
    out = Image.new("L", mask.size, 0)
    out.paste(mask, (int(round(dx)), int(round(dy))))
    return out


def draw_banner(c):
    text = "TIME's UP!!!"
    size = 140
    while True:
        font = load_font(size)
        x0, y0, x1, y1 = font.getbbox(text, anchor="ls")
        if x1 - x0 <= 628:
            break
        size -= 1
    tw = x1 - x0
    tx = (c.w - tw) / 2 - x0
    base = 148
    fill_m = c.m_text(tx, base, text, size, anchor="ls")
    white_m = c.m_text(tx, base, text, size, stroke=7, anchor="ls")
    outer_m = c.m_text(tx, base, text, size, stroke=9.5, anchor="ls")
    c.paint(shift(outer_m, 4 * c.s, 5 * c.s), (112, 18, 34))
    c.paint(outer_m, (112, 18, 34))
    c.paint(white_m, NEAR_WHITE)
    top = base + y0
    c.paint(fill_m, c.lin(0, top, 0, base, [(0, (255, 92, 76)), (0.55, (232, 36, 40)), (1, (176, 14, 30))]))
    gloss = mask_and(fill_m, c.m_rect(0, 0, c.w, top + (base - top) * 0.36))
    c.paint(gloss, (255, 178, 164), 0.55)
    inner = mask_sub(fill_m, shift(fill_m, -1.5 * c.s, -1.5 * c.s))
    c.paint(inner, (140, 10, 26), 0.45)
    for x, y, r in ((128, 26, 7), (300, 22, 5), (455, 178, 6), (590, 20, 6), (20, 120, 5), (690, 88, 5),
                    (245, 182, 4.5)):
        sparkle(c, x, y, r)
    # six little mascots, over and around the letters
    for kind, x, y, R, ang, kw in (
            ("tansy", 36, 52, 20, -14, dict(mood="surprised", arms="up")),
            ("clock", 186, 32, 17, 10, dict(mood="shout")),
            ("tansy", 356, 150, 18, 6, dict(mood="happy", arms="up")),
            ("clock", 112, 170, 16, -12, dict(mood="surprised")),
            ("tansy", 520, 42, 19, 12, dict(mood="shout", arms="up")),
            ("clock", 664, 160, 17, 14, dict(mood="shout"))):
        spr = buddy_sprite(c, R, kind, **kw)
        if kind == "clock":
            shake_lines(spr, spr.w / 2, spr.h / 2 - R * 0.1, R)
        c.stamp(spr, x, y, ang)


def make_banner(ratio):
    c = Canvas(700, 200, ratio=ratio)
    draw_banner(c)
    return finish_transparent(c, "banner.gif")


def draw_mini_clock(c, x, y, r):
    ow = max(0.7, r * 0.1)
    c.ellipse(x, y, r, fill=None, outline=GREEN_OL, ow=ow)
    c.paint(c.m_ellipse(x, y, r), c.rad(x - r * 0.4, y - r * 0.4, r * 1.7, [(0, GREEN_L), (0.5, GREEN), (1, GREEN_D)]))
    c.ellipse(x, y, r * 0.72, fill=DIAL, outline=GOLD_D, ow=ow * 0.6)
    for k in range(4):
        c.ellipse(*polar(x, y, r * 0.58, k * 90), r * 0.07, fill=TICK)
    c.line(hand_points(x, y, r * 0.38, 10.1 / 12), r * 0.14, INK)
    c.line(hand_points(x, y, r * 0.55, 10 / 60), r * 0.11, INK)
    c.line(hand_points(x, y, r * 0.6, 0.5), r * 0.07, RED)
    c.ellipse(x, y, r * 0.1, fill=RED_D)


def draw_computer_clock(c):
    # monitor
    c.rrect(1.5, 3, 26.5, 21.5, 2.5, fill=None, outline=(52, 60, 80), ow=1.0)
    c.paint(c.m_rrect(1.5, 3, 26.5, 21.5, 2.5), c.lin(0, 3, 0, 22, [(0, (226, 230, 238)), (1, (170, 178, 196))]))
    c.paint(c.m_rrect(4, 5.5, 24, 18, 1), (52, 60, 80))
    c.paint(c.m_rrect(4.8, 6.3, 23.2, 17.2, 0.8), c.lin(0, 6, 0, 17, [(0, (150, 206, 250)), (1, (70, 134, 214))]))
    c.paint(mask_and(c.m_rrect(4.8, 6.3, 23.2, 17.2, 0.8), c.m_poly([(4, 6), (14, 6), (6, 18), (4, 18)])),
            (236, 246, 255), 0.35)
    c.ellipse(22.5, 19.6, 0.7, fill=(120, 220, 110))
    # stand
    c.poly([(11, 21), (17, 21), (18.5, 26), (9.5, 26)], fill=(150, 158, 178), outline=(52, 60, 80), ow=1.0)
    c.rrect(5, 25.5, 23, 28.5, 1.4, fill=(176, 184, 202), outline=(52, 60, 80), ow=1.0)
    # clock
    draw_mini_clock(c, 23.5, 22.5, 7.6)


def make_computer_clock(ratio):
    c = Canvas(32, 32, ratio=ratio)
    draw_computer_clock(c)
    return finish_transparent(c, "computer_clock.gif")


def draw_help_book(c):
    ol = (30, 46, 100)
    # pages block
    c.rrect(7, 4, 28, 29.5, 2, fill=(246, 238, 214), outline=ol, ow=1.0)
    c.paint(c.m_line([(9, 26.6), (27, 26.6)], 0.5), (200, 186, 150))
    c.paint(c.m_line([(9, 27.8), (27, 27.8)], 0.5), (200, 186, 150))
    # cover
    c.rrect(4, 2.5, 25.5, 26, 2.2, fill=None, outline=ol, ow=1.0)
    c.paint(c.m_rrect(4, 2.5, 25.5, 26, 2.2), c.lin(4, 2, 26, 26, [(0, (112, 170, 250)), (1, (42, 96, 200))]))
    c.paint(c.m_rrect(4, 2.5, 7.5, 26, 1.5), (30, 70, 160), 0.7)
    c.paint(c.m_line([(7.6, 3.5), (7.6, 25)], 0.6), (150, 196, 255), 0.8)
    # question mark
    qm = c.m_text(16.6, 22.6, "?", 21)
    qm_ol = c.m_text(16.6, 22.6, "?", 21, stroke=1.3)
    c.paint(qm_ol, (30, 46, 100))
    c.paint(qm, c.lin(0, 6, 0, 23, [(0, GOLD_L), (1, GOLD)]))
    sparkle(c, 23, 6, 2.6, NEAR_WHITE, ol=(90, 120, 190))


def make_help_book(ratio):
    c = Canvas(32, 32, ratio=ratio)
    draw_help_book(c)
    return finish_transparent(c, "help_book.gif")


def draw_notebook(c):
    ol = (92, 36, 18)
    c.rrect(6.5, 3.5, 28, 29.5, 2.0, fill=(246, 238, 214), outline=ol, ow=1.0)
    c.rrect(5, 2.5, 26.5, 28.5, 2.2, fill=None, outline=ol, ow=1.0)
    c.paint(c.m_rrect(5, 2.5, 26.5, 28.5, 2.2),
            c.lin(5, 2, 27, 29, [(0, (255, 170, 96)), (1, (222, 98, 44))]))
    # label
    c.rrect(10.5, 7, 22.5, 13.5, 1.0, fill=DIAL, outline=(150, 80, 40), ow=0.7)
    c.paint(c.m_line([(12.5, 9.3), (20.5, 9.3)], 0.8), (160, 140, 120))
    c.paint(c.m_line([(12.5, 11.4), (18.5, 11.4)], 0.8), (160, 140, 120))
    # a little tansy sticker
    button(c, 16.5, 21, 3.2, ow=0.6)
    # elastic band
    c.paint(c.m_rect(22.2, 2.5, 23.8, 28.5), (70, 40, 60))
    # spiral rings
    for k in range(6):
        yy = 5.2 + k * 4.1
        c.line([(3.2, yy), (7.2, yy)], 1.1, (196, 200, 214), outline=(60, 62, 80), ow=0.5)


def make_notebook(ratio):
    c = Canvas(32, 32, ratio=ratio)
    draw_notebook(c)
    return finish_transparent(c, "notebook.gif")


def draw_picture_frame(c, x0, y0, x1, y1):
    c.rrect(x0, y0, x1, y1, 1.5, fill=None, outline=GOLD_OL, ow=1.0)
    c.paint(c.m_rrect(x0, y0, x1, y1, 1.5), c.lin(x0, y0, x1, y1, [(0, GOLD_L), (0.5, GOLD), (1, GOLD_D)]))
    ix0, iy0, ix1, iy1 = x0 + 3.2, y0 + 3.2, x1 - 3.2, y1 - 3.2
    c.paint(c.m_rect(ix0 - 0.7, iy0 - 0.7, ix1 + 0.7, iy1 + 0.7), GOLD_OL)
    pic = c.m_rect(ix0, iy0, ix1, iy1)
    c.paint(pic, c.lin(0, iy0, 0, iy1, [(0, (150, 206, 250)), (1, (214, 240, 255))]))
    hill = mask_and(pic, c.m_ellipse((ix0 + ix1) / 2 + 4, iy1 + 6, (ix1 - ix0) * 0.75, 10))
    c.paint(hill, GREEN)
    hill2 = mask_and(pic, c.m_ellipse(ix0 + 2, iy1 + 5, (ix1 - ix0) * 0.5, 8))
    c.paint(hill2, GREEN_D)
    c.paint(mask_and(pic, c.m_ellipse(ix1 - 4.5, iy0 + 4.5, 2.6)), (255, 214, 60))
    button(c, ix0 + 5.5, iy1 - 4.2, 2.0, ow=0.5, detail=False)


def draw_cartoon(c):
    draw_picture_frame(c, 34, 7, 67.5, 40)
    tansy_buddy(c, 21, 20.5, 12.0, mood="happy", arms="hold")
    sparkle(c, 64, 47, 3.4)
    sparkle(c, 5, 6, 2.6)


def make_cartoon(ratio):
    c = Canvas(70, 57, ratio=ratio)
    draw_cartoon(c)
    return finish_transparent(c, "cartoon.gif")


def draw_mascot(c):
    c.paint(c.m_rect(0, 0, c.w, c.h),
            c.rad(50, 46, 70, [(0, (255, 250, 222)), (0.55, (236, 246, 238)), (1, (206, 232, 250))]))
    for k in range(12):
        a0, a1 = k * 30 - 6, k * 30 + 6
        ray = c.m_poly([(50, 46), polar(50, 46, 90, a0), polar(50, 46, 90, a1)])
        c.paint(ray, (255, 244, 190), 0.45)
    c.paint(c.m_ellipse(50, 128, 78, 34), c.lin(0, 94, 0, 120, [(0, GREEN_L), (1, GREEN)]))
    c.paint(mask_sub(c.m_ellipse(50, 128, 78, 34), c.m_ellipse(50, 130, 78, 34)), (196, 236, 150), 0.8)
    for x, y, r in ((10, 100, 2.8), (16, 103, 2.4), (88, 101, 2.8), (93, 104, 2.4), (82, 105, 2.2)):
        button(c, x, y, r, ow=0.55)
    tansy_buddy(c, 50, 45, 23.5, mood="happy", arms="wave")
    for x, y, r in ((14, 18, 3.4), (86, 22, 4), (82, 8, 2.4)):
        sparkle(c, x, y, r)


def make_mascot(ratio):
    c = Canvas(100, 108, ratio=ratio)
    draw_mascot(c)
    return finish_opaque(c, "mascot.gif")


def draw_small_app_icon(c, S):
    """The icon at 16 to 24 px: no gradients or sprig, hands on whole pixels.

    The hands stand at nine o'clock, along the pixel grid, so they stay sharp;
    the case touches the bottom edge and the crown the top one."""
    cx, cy, ro = S // 2, S // 2 + 1, S // 2 - 1
    rd = ro - max(2, round(S / 8))
    c.rect_fill(cx - S // 5, 0, cx + S // 5, 3, GOLD_OL)
    c.rect_fill(cx - S // 5 + 1, 1, cx + S // 5 - 1, 3, GOLD)
    c.paint(c.m_ellipse(cx, cy, ro), GREEN_OL)
    c.paint(c.m_ellipse(cx, cy, ro - 1), GREEN)
    if S > 16:
        c.paint(c.m_ellipse(cx, cy, rd + 1), GOLD_D)
    c.paint(c.m_ellipse(cx, cy, rd), DIAL)
    if S > 16:
        c.rect_fill(cx + rd - 3, cy - 1, cx + rd - 1, cy + 1, TICK)
        c.rect_fill(cx - 1, cy + rd - 3, cx + 1, cy + rd - 1, TICK)
    c.rect_fill(cx - 1, cy - (rd - 1), cx + 1, cy + 1, INK)
    c.rect_fill(cx - round(rd * 0.6), cy - 1, cx + 1, cy + 1, INK)
    bx, by = polar(cx, cy, ro - 1, 135)
    c.ellipse(bx, by, 2.0 if S == 16 else 2.8, fill=GOLD, outline=GOLD_OL, ow=0.8)


def draw_app_icon(c, S):
    """The program's icon: a round Tansywatch clock with a tansy sprig.

    Drawn for each size: 32 px has four ticks, thick hands and two tansy
    buttons, 48 px and up the sprig and the second hand, 256 px and up the
    minute marks and a glint on the glass."""
    if S <= 24:
        return draw_small_app_icon(c, S)
    k = S / 64.0
    cx, cy = 32 * k, 36.5 * k
    big = S >= 48
    huge = S >= 256
    # bow and crown
    by, ow = 4.6 * k, max(0.7, k)
    c.paint(mask_sub(c.m_ellipse(cx, by, 8.5 * k, 4.2 * k, grow=ow),
                     c.m_ellipse(cx, by, 4.4 * k, 1.5 * k, grow=-ow)), GOLD_OL)
    c.paint(mask_sub(c.m_ellipse(cx, by, 8.5 * k, 4.2 * k), c.m_ellipse(cx, by, 4.4 * k, 1.5 * k)),
            c.lin(0, 0, 0, 9 * k, [(0, GOLD_L), (1, GOLD_D)]))
    c.rrect(cx - 5.5 * k, 6.2 * k, cx + 5.5 * k, 11.5 * k, 1.6 * k, fill=None, outline=RED_OL, ow=ow)
    c.paint(c.m_rrect(cx - 5.5 * k, 6.2 * k, cx + 5.5 * k, 11.5 * k, 1.6 * k),
            c.lin(0, 6.2 * k, 0, 11.5 * k, [(0, RED_L), (0.4, RED), (1, RED_D)]))
    # case
    R = 26.5 * k
    c.paint(c.m_ellipse(cx, cy, R + max(0.8, k)), GREEN_OL)
    c.paint(c.m_ellipse(cx, cy, R), c.lin(cx - R, cy - R, cx + R, cy + R,
                                         [(0, (160, 218, 116)), (0.45, GREEN), (1, (44, 110, 44))]))
    c.paint(mask_sub(c.m_ellipse(cx, cy, R - 0.5 * k), c.m_ellipse(cx + 1.2 * k, cy + 1.5 * k, R - 0.5 * k)),
            (222, 248, 196), 0.85)
    c.paint(c.m_ellipse(cx, cy, R - 4.2 * k), GOLD_D)
    c.paint(c.m_ellipse(cx, cy, R - 5.0 * k), c.rad(cx, cy, R - 5 * k, [(0, DIAL), (0.75, DIAL), (1, (240, 228, 196))]))
    for i in range(12):
        a = i * 30 - 90
        if big or i % 3 == 0:
            w = (2.4 if i % 3 == 0 else 1.2) * k
            c.line([polar(cx, cy, R - 9 * k, a), polar(cx, cy, R - 6.5 * k, a)], max(0.9, w), TICK)
    if huge:
        for i in range(60):
            if i % 5:
                c.ellipse(*polar(cx, cy, R - 7.2 * k, i * 6 - 90), 0.45 * k, fill=TICK)
    if huge:
        glint = c.m_ellipse(cx + 7 * k, cy - 9 * k, 9 * k, 5 * k)
        c.paint(mask_and(glint, c.m_ellipse(cx, cy, R - 5.5 * k)), (255, 255, 255), 0.5)
    # hands at 10:08:30
    hw = 2.4 * k if big else 3.2 * k
    c.line(hand_points(cx, cy, 12.5 * k, (10 + 8 / 60) / 12), max(1.2, hw), INK)
    c.line(hand_points(cx, cy, 17.5 * k, 8.5 / 60), max(1.0, hw * 0.8), INK)
    if big:
        c.line(hand_points(cx, cy, 20 * k, 0.5), 1.1 * k, RED)
    c.ellipse(cx, cy, max(1.0, 1.6 * k), fill=RED_D)
    # tansy sprig over the lower-left rim
    if big:
        frond(c, arc_pts(cx, cy, R + 1.5 * k, R + 0.5 * k, 118, 168, 10), 4.2 * k, 1.9 * k,
              every=2.0 * k, ow=0.6)
        bx, by = polar(cx, cy, R - 1 * k, 135)
        cluster(c, bx, by, 135, [(0, 0, 4.2 * k), (-1.5 * k, -7 * k, 3.6 * k), (-1.5 * k, 7 * k, 3.6 * k),
                                 (5 * k, 0, 3.2 * k)], stem_len=6 * k, ow=0.7)
    else:
        for deg, rr in ((150, 4.6), (122, 4.0)):
            button(c, *polar(cx, cy, R - 0.5 * k, deg), rr * k, ow=0.7, detail=False)


APP_ICON_SIZES = (16, 22, 24, 32, 48, 64, 128, 256, 512)


def make_app_icons():
    """The menu's and the windows' icon, tansywatch-SIZE.png, drawn at each size."""
    out = []
    for S in APP_ICON_SIZES:
        c = Canvas(S, S, ss=8 if S <= 128 else 4)
        draw_app_icon(c, S)
        path = os.path.join(RES, "tansywatch-%d.png" % S)
        c.rgba_small().save(path, optimize=True)
        out.append(path)
    return out


# ================================================================ sounds
RATE = 22050
PEAK = 10 ** (-3 / 20.0)  # -3 dBFS


def silence(seconds):
    return [0.0] * int(round(seconds * RATE))


def add(buf, sig, at=0.0, gain=1.0):
    i0 = int(round(at * RATE))
    for i, v in enumerate(sig):
        if 0 <= i0 + i < len(buf):
            buf[i0 + i] += v * gain
    return buf


def partials(freq, parts, seconds, attack=0.002, phase=0.0, release=0.012):
    """Sum of exponentially decaying partials: parts = [(ratio, amp, tau)].

    A short raised-cosine attack and release keep the ends click-free."""
    n = int(round(seconds * RATE))
    out = [0.0] * n
    na = max(1, int(attack * RATE))
    for ratio, amp, tau in parts:
        f = freq * ratio
        if f >= RATE / 2:
            continue
        w = 2 * math.pi * f / RATE
        k = math.exp(-1.0 / (tau * RATE))
        env = amp
        for i in range(n):
            out[i] += env * math.sin(w * i + phase)
            env *= k
    for i in range(min(na, n)):
        out[i] *= 0.5 - 0.5 * math.cos(math.pi * i / na)
    nr = max(1, int(release * RATE))
    for i in range(min(nr, n)):
        out[n - 1 - i] *= 0.5 - 0.5 * math.cos(math.pi * i / nr)
    return out


def noise_burst(seconds, tau, seed, bright=0.6):
    rnd = random.Random(seed)
    n = int(round(seconds * RATE))
    out, prev = [], 0.0
    k = math.exp(-1.0 / (tau * RATE))
    env = 1.0
    for _ in range(n):
        v = rnd.uniform(-1, 1)
        hp = v - bright * prev       # simple brightening filter
        prev = v
        out.append(hp * env)
        env *= k
    return out


def resonator(sig, freq, q):
    """Two-pole band-pass resonance (gives a noise burst a pitch)."""
    w = 2 * math.pi * freq / RATE
    r = math.exp(-w / (2 * q))
    a1, a2 = 2 * r * math.cos(w), -r * r
    g = (1 - r * r) * 0.5
    y1 = y2 = 0.0
    out = []
    for v in sig:
        y = g * v + a1 * y1 + a2 * y2
        out.append(y)
        y2, y1 = y1, y
    return out


def finish_sound(buf, fade_in=0.003, fade_out=0.02):
    n = len(buf)
    fi, fo = int(fade_in * RATE), int(fade_out * RATE)
    for i in range(min(fi, n)):
        buf[i] *= 0.5 - 0.5 * math.cos(math.pi * i / fi)
    for i in range(min(fo, n)):
        buf[n - 1 - i] *= 0.5 - 0.5 * math.cos(math.pi * i / fo)
    # remove any DC offset, then normalise the peak to -3 dBFS
    mean = sum(buf) / n
    buf = [v - mean for v in buf]
    for i in range(min(fi, n)):
        buf[i] *= 0.5 - 0.5 * math.cos(math.pi * i / fi)
    for i in range(min(fo, n)):
        buf[n - 1 - i] *= 0.5 - 0.5 * math.cos(math.pi * i / fo)
    peak = max(abs(v) for v in buf) or 1.0
    return [v * PEAK / peak for v in buf]


def write_wav(name, buf):
    path = os.path.join(RES, name)
    frames = b"".join(struct.pack("<h", max(-32767, min(32767, int(round(v * 32767))))) for v in buf)
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(frames)
    return path


def note(name):
    """Frequency of a note like 'C5', 'F#6' (A4 = 440 Hz)."""
    names = {"C": -9, "C#": -8, "D": -7, "D#": -6, "E": -5, "F": -4, "F#": -3, "G": -2,
             "G#": -1, "A": 0, "A#": 1, "B": 2}
    return 440.0 * 2 ** ((names[name[:-1]] + 12 * (int(name[-1]) - 4)) / 12.0)


def make_do():
    """A soft marimba-like pluck on C5."""
    buf = silence(0.12)
    add(buf, partials(note("C5"), [(1, 1.0, 0.05), (3.93, 0.28, 0.012), (9.1, 0.06, 0.004)], 0.12,
                      attack=0.0015))
    return write_wav("do.wav", finish_sound(buf, 0.002, 0.03))


def make_quit():
    """Two quick soft blips going down (G5 -> C5)."""
    buf = silence(0.3)
    soft = [(1, 1.0, 0.07), (2, 0.18, 0.04), (3, 0.12, 0.025)]
    add(buf, partials(note("G5"), soft, 0.13, attack=0.004), 0.0)
    add(buf, partials(note("C5"), [(r, a, t * 1.5) for r, a, t in soft], 0.17, attack=0.004), 0.12, 0.95)
    return write_wav("quit.wav", finish_sound(buf, 0.003, 0.04))


def make_lock():
    """A latch: a light "click" then a heavier "clack"."""
    buf = silence(0.2)
    click = noise_burst(0.03, 0.0025, seed=11)
    click = [a + b for a, b in zip(resonator(click, 3400, 9), resonator(click, 5600, 12))]
    add(buf, click, 0.004, 1.0)
    add(buf, partials(2900, [(1, 0.08, 0.008), (1.47, 0.05, 0.006)], 0.03), 0.004)
    clack = noise_burst(0.06, 0.005, seed=23, bright=0.3)
    clack = [a + b * 0.7 for a, b in zip(resonator(clack, 1500, 7), resonator(clack, 2450, 10))]
    add(buf, clack, 0.085, 1.6)
    add(buf, partials(190, [(1, 0.12, 0.018), (2.1, 0.05, 0.01)], 0.06, attack=0.001), 0.085)
    return write_wav("lock.wav", finish_sound(buf, 0.002, 0.03))


def make_alarm1():
    """"Ling": a small bright bell struck fast by a hammer, then ringing out."""
    rnd = random.Random(1)
    dur = 0.8
    buf = silence(dur)
    f = 1318.5  # E6
    modes = [(1.0, 1.0, 0.32), (1.0046, 0.6, 0.30), (2.41, 0.42, 0.12), (3.98, 0.2, 0.05), (5.81, 0.08, 0.025)]
    strike = partials(f, modes, dur, attack=0.0008)
    t, k = 0.0, 0
    while t < 0.5:
        g = (1.0 if k % 2 == 0 else 0.82) * rnd.uniform(0.9, 1.0)
        add(buf, strike, t, g * 0.35)
        add(buf, resonator(noise_burst(0.01, 0.0008, seed=100 + k), 4200, 6), t, 0.25 * g)
        t += 0.048
        k += 1
    return write_wav("alarm1.wav", finish_sound(buf, 0.002, 0.12))


def make_alarm2():
    """"DingDong": a two-tone door chime, E5 then C5."""
    dur = 1.0
    buf = silence(dur)
    chime = [(1.0, 1.0, 0.55), (2.0, 0.22, 0.3), (2.76, 0.16, 0.14), (5.4, 0.05, 0.05), (1.003, 0.35, 0.55)]
    add(buf, partials(note("E5"), chime, dur, attack=0.002), 0.0, 1.0)
    add(buf, partials(note("C5"), chime, dur, attack=0.002), 0.42, 1.05)
    return write_wav("alarm2.wav", finish_sound(buf, 0.002, 0.12))


def make_alarm3():
    """"Darling": a sweet music-box phrase G5 C6 E6 D6 C6 (+ a soft G5 under the last note)."""
    dur = 1.0
    buf = silence(dur)
    tine = [(1.0, 1.0, 0.28), (2.0, 0.1, 0.12), (4.2, 0.09, 0.03), (6.9, 0.04, 0.012)]
    melody = [("G5", 0.0, 0.9), ("C6", 0.14, 0.85), ("E6", 0.28, 0.85), ("D6", 0.42, 0.8), ("C6", 0.6, 1.0),
              ("G5", 0.6, 0.45)]
    for name, at, gain in melody:
        add(buf, partials(note(name), tine, dur - at, attack=0.0015), at, gain)
    return write_wav("alarm3.wav", finish_sound(buf, 0.002, 0.12))


# ================================================================ checks
def _gif_info(name):
    im = Image.open(os.path.join(RES, name))
    assert im.format == "GIF" and im.mode == "P", (name, im.format, im.mode)
    pal = im.getpalette()
    return im, pal, list(im.getdata())


def check_transparent_gif(name, size, forbid=()):
    im, pal, px = _gif_info(name)
    assert im.size == size, (name, im.size)
    t = im.info.get("transparency")
    assert isinstance(t, int), (name, "no transparent index")
    assert tuple(pal[3 * t:3 * t + 3]) == WHITE, (name, "transparent entry not white")
    assert im.getpixel((0, 0)) == t, (name, "(0,0) not transparent")
    w, h = size
    used = set(px)
    for i in used:
        if i != t:
            col = tuple(pal[3 * i:3 * i + 3])
            assert col != WHITE, (name, "opaque pixel uses the transparent colour")
            assert col not in forbid, (name, "forbidden colour", col)
    on = [i != t for i in px]
    assert any(on), name
    for i in range(w * h):
        if on[i]:
            x, y = i % w, i // w
            assert ((x > 0 and on[i - 1]) or (x < w - 1 and on[i + 1]) or
                    (y > 0 and on[i - w]) or (y < h - 1 and on[i + w])), (name, "stray pixel", (x, y))
    for comp in components(on, w, h, True):
        assert len(comp) >= MIN_SPECK, (name, "speck at", (comp[0] % w, comp[0] // w))
    for comp in components(on, w, h, False):
        assert len(comp) >= MIN_SPECK or touches_border(comp, w, h), (name, "pinhole at", (comp[0] % w, comp[0] // w))
    return im, pal, t


def verify_pictures(ratio):
    """The pictures for one ratio: their sizes, and the clock body's landmarks
    at the device pixel under each logical one."""
    def size(w, h):
        return (int(round(w * ratio)), int(round(h * ratio)))

    def at(x, y):
        return (int((x + 0.5) * ratio), int((y + 0.5) * ratio))

    def name(n):
        return ratio_name(n, ratio)

    body, pal, t = check_transparent_gif(name("clock_body.gif"), size(BODY_W, BODY_H), forbid=FORBIDDEN)
    col = lambda xy: tuple(pal[3 * body.getpixel(xy): 3 * body.getpixel(xy) + 3])
    assert body.getpixel(at(70, 117)) != t and sum(col(at(70, 117))) > 700, "dial centre not light"
    assert col(at(70, 117)) == DIAL, "dial colour changed by quantisation"
    for xy in ((56, 17), (84, 17)):
        assert body.getpixel(at(*xy)) == t, ("loop hole not transparent at", xy)
    assert body.getpixel(at(70, 20)) != t, "padlock missing"
    r, g, b = col(at(62, 36))
    assert r > 150 and g < 90 and b < 90, "close crown not red"
    assert any(body.getpixel((x, body.height - 1)) != t for x in range(body.width)), "feet do not reach the bottom"
    assert body.getpixel(at(0, 117)) != t and body.getpixel(at(140, 117)) != t, "case not ~x 0..140"
    for n, (w, h) in (("alarm_icon.gif", (32, 32)), ("computer_clock.gif", (32, 32)),
                      ("cartoon.gif", (70, 57)), ("help_book.gif", (32, 32)),
                      ("notebook.gif", (32, 32)), ("banner.gif", (700, 200))):
        check_transparent_gif(name(n), size(w, h))
    for n, (w, h) in (("face.gif", (64, 64)), ("mascot.gif", (100, 108))):
        im, _, _ = _gif_info(name(n))
        assert im.size == size(w, h) and "transparency" not in im.info, name(n)


def verify():
    for ratio in RATIOS:
        verify_pictures(ratio)
    with open(os.path.join(RES, "face.gif"), "rb") as f1, open(os.path.join(RES, "tansy.gif"), "rb") as f2:
        assert f1.read() == f2.read(), "face.gif and tansy.gif differ"
    for n in APP_ICON_SIZES:
        name = "tansywatch-%d.png" % n
        im = Image.open(os.path.join(RES, name))
        assert im.format == "PNG" and im.mode == "RGBA" and im.size == (n, n), name
        assert im.getpixel((0, 0))[3] == 0, name
    for name, longest in (("do.wav", 0.2), ("quit.wav", 0.4), ("lock.wav", 0.3), ("alarm1.wav", 1.05),
                          ("alarm2.wav", 1.05), ("alarm3.wav", 1.05)):
        with wave.open(os.path.join(RES, name), "rb") as w:
            assert (w.getnchannels(), w.getsampwidth(), w.getframerate()) == (1, 2, RATE), name
            n = w.getnframes()
            assert 0 < n <= longest * RATE, (name, n)
            data = struct.unpack("<%dh" % n, w.readframes(n))
        peak = max(abs(v) for v in data) / 32768.0
        assert 0.6 < peak < 0.72, (name, peak)
        assert abs(data[0]) < 300 and abs(data[-1]) < 300, (name, "ends not faded")


# ================================================================ preview
def preview(path):
    S = 3
    body = Image.open(os.path.join(RES, "clock_body.gif")).convert("RGBA")
    face = Image.open(os.path.join(RES, "face.gif")).convert("RGBA")
    tiles = []
    for bg in ((160, 160, 160), (40, 52, 70)):
        t = Image.new("RGBA", (BODY_W, BODY_H), bg + (255,))
        t.alpha_composite(body)
        t.alpha_composite(face, FACE_AT)
        big = t.resize((BODY_W * S * 2, BODY_H * S * 2), Image.NEAREST)
        d = ImageDraw.Draw(big)
        k = S * 2
        h, m, s = 10, 8, 30
        for length, frac, col in ((30, (h + m / 60) / 12, (20, 20, 20)), (43, (m + s / 60) / 60, (20, 20, 20)),
                                  (50, s / 60, (220, 0, 0))):
            (x0, y0), (x1, y1) = hand_points(CX, CY, length, frac)
            d.line([(x0 * k, y0 * k), (x1 * k, y1 * k)], fill=col, width=3 * k)
        big = big.resize((BODY_W * S, BODY_H * S), Image.LANCZOS)
        tiles.append(big)
    names = [n for n in ("banner.gif",) if os.path.exists(os.path.join(RES, n))]
    icons = [n for n in ("face.gif", "alarm_icon.gif", "computer_clock.gif", "cartoon.gif",
                         "help_book.gif", "notebook.gif", "mascot.gif")
             + tuple("tansywatch-%d.png" % n for n in APP_ICON_SIZES if n <= 128)
             if os.path.exists(os.path.join(RES, n))]
    W = max(BODY_W * S * 2 + 20, 700 + 20)
    H = BODY_H * S + 20 + (200 + 20) * len(names) + 2 * (110 * S + 12) + 20
    sheet = Image.new("RGBA", (W, H), (120, 120, 120, 255))
    sheet.paste(tiles[0], (0, 0))
    sheet.paste(tiles[1], (BODY_W * S + 20, 0))
    y = BODY_H * S + 20
    for n in names:
        im = Image.open(os.path.join(RES, n)).convert("RGBA")
        sheet.alpha_composite(im, (10, y))
        y += im.height + 20
    x = 10
    for n in icons:
        im = Image.open(os.path.join(RES, n)).convert("RGBA")
        if n == "alarm_icon.gif":
            im = im.resize((40, 30), Image.NEAREST)
        im = im.resize((im.width * S, im.height * S), Image.NEAREST)
        back = Image.new("RGBA", im.size, DIAL + (255,))
        back.alpha_composite(im)
        if x + im.width > W:
            x, y = 10, y + 110 * S + 12
        sheet.paste(back, (x, y))
        x += im.width + 12
    sheet.convert("RGB").save(path)


# ================================================================ main
def main(argv):
    os.makedirs(RES, exist_ok=True)
    for ratio in RATIOS:
        make_clock_body(ratio)
        make_face(ratio)
        make_alarm_icon(ratio)
        make_banner(ratio)
        make_computer_clock(ratio)
        make_cartoon(ratio)
        make_help_book(ratio)
        make_notebook(ratio)
        make_mascot(ratio)
    make_app_icons()
    make_do()
    make_quit()
    make_lock()
    make_alarm1()
    make_alarm2()
    make_alarm3()
    verify()
    print("Tansywatch artwork written to", RES)
    if "--preview" in argv:
        preview(argv[argv.index("--preview") + 1])


if __name__ == "__main__":
    main(sys.argv[1:])
