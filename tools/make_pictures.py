#!/usr/bin/env python3
"""Draws the button pictures and the program icon into resources/.

    python3 tools/make_pictures.py

Writes info_up.bmp, info_hot.bmp and info_down.bmp (the change-list button's
three states) and mainicon.ico. Standard library only; the output is the same
byte for byte on every run, so the committed files can be checked against it.

The button draws its pictures with pure white left out, so white is used on
purpose only where the window colour should show: the four corners around the
badge, a thin highlight along the rim and the dot of the "i". Everything else
that looks white (the stem of the "i", the gloss) is kept a shade off white.
"""

import math
import os
import struct
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT_DIR = os.path.join(ROOT, "resources")

WHITE = (255, 255, 255)

# ---------------------------------------------------------------------------
# Badge geometry, in continuous coordinates: pixel (x, y) covers
# [x, x+1) x [y, y+1) with y growing downwards; the badge centre is (16, 16).

SIZE = 32
CX = CY = 16.0
# A pixel belongs to the badge when its centre lies within this radius
# (812 pixels); the 212 outside it are the white corners.
BADGE_LIMIT = 15.96
R_OUT = 15.95          # outer edge of the silver rim, for anti-aliasing
R_RIM_IN = 13.2        # where the rim meets the dark groove
R_DISC = 12.6          # edge of the coloured disc
SUPER = 8              # sub-samples per axis

# The rim highlight: rim pixels whose centre is at this distance and whose
# direction is within HIGHLIGHT_HALF_ANGLE degrees of straight up-left. Kept
# inside 14.7 so that no highlight pixel touches a corner pixel, not even
# diagonally.
HIGHLIGHT_R = (13.3, 14.7)
HIGHLIGHT_HALF_ANGLE = 49.0

# The dot of the "i": a 2 x 2 block, columns 16-17, rows 7-8.
DOT = [(16, 7), (17, 7), (16, 8), (17, 8)]

# Outline of the italic "i" without its dot: an entry stroke at the top left,
# a stem slanted to the right, a tail turning right at the foot.
I_GLYPH = [
    (13.4, 11.5), (17.85, 10.7), (15.95, 20.5), (16.35, 20.8),
    (17.4, 20.15), (17.95, 20.8), (16.3, 22.6), (14.6, 23.35),
    (13.15, 22.75), (13.05, 21.3), (14.85, 12.85), (13.6, 12.85),
]

# Disc colours per picture: lit top left, shaded bottom right, and how much
# gloss the upper half takes.
PALETTES = {
    "info_up.bmp": {"light": (110, 190, 255), "base": (20, 110, 235),
                    "dark": (5, 45, 160), "gloss": 0.62},
    "info_hot.bmp": {"light": (150, 240, 120), "base": (40, 185, 40),
                     "dark": (10, 105, 20), "gloss": 0.60},
    "info_down.bmp": {"light": (105, 150, 100), "base": (55, 110, 55),
                      "dark": (25, 68, 30), "gloss": 0.30},
}

STEM_COLOUR = (251, 251, 253)
# The outer anti-aliasing blends towards a light grey rather than white, so the
# edge stays smooth both on white and on the grey window face behind it.
EDGE_BLEND = (226, 226, 230)


def clamp8(v):
    return max(0, min(255, int(round(v))))


def mix(a, b, t):
    """Linear blend from colour a (t = 0) to colour b (t = 1)."""
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def inside_polygon(px, py, poly):
    """Even-odd rule; the glyph outline has no self-intersection."""
    inside = False
    n = len(poly)
    for i in range(n):
        x1, y1 = poly[i]
        x2, y2 = poly[(i + 1) % n]
        if (y1 > py) != (y2 > py):
            xc = x1 + (py - y1) * (x2 - x1) / (y2 - y1)
            if px < xc:
                inside = not inside
    return inside


def lit(dx, dy):
    """How much a direction from the centre faces the light at the top left,
    from 0 (bottom right) to 1 (top left)."""
    r = math.hypot(dx, dy)
    if r == 0:
        return 0.5
    return (1.0 - (dx + dy) / (r * math.sqrt(2.0))) / 2.0


def rim_colour(dx, dy, r):
    # A rounded silver ring: brighter where it faces the light, and across its
    # width brightest a little outside its middle, like a polished bevel.
    t = lit(dx, dy)
    across = (r - R_RIM_IN) / (R_OUT - R_RIM_IN)      # 0 inside .. 1 outside
    bevel = 1.0 - abs(across - 0.55) * 1.4
    shade = 0.25 + 0.55 * t + 0.2 * bevel
    return mix((138, 142, 152), (246, 247, 250), max(0.0, min(1.0, shade)))


def disc_colour(pal, x, y, r):
    dx, dy = x - CX, y - CY
    # Diagonal lighting: -1 at the top-left edge, +1 at the bottom-right edge.
    s = (dx + dy) / (R_DISC * math.sqrt(2.0))
    if s < 0:
        c = mix(pal["base"], pal["light"], min(1.0, -s * 1.15))
    else:
        c = mix(pal["base"], pal["dark"], min(1.0, s * 1.05))
    # Darken towards the edge so the disc looks domed.
    c = mix(c, pal["dark"], 0.35 * (r / R_DISC) ** 4)
    # Glossy reflection: an ellipse over the upper half, strongest at its top.
    ex, ey, rx, ry = CX, CY - 5.2, 10.6, 7.6
    e = ((x - ex) / rx) ** 2 + ((y - ey) / ry) ** 2
    if e < 1.0:
        top = CY - 5.2 - ry
        fade = 1.0 - (y - top) / (2 * ry)              # 1 at top .. 0 at bottom
        edge = min(1.0, (1.0 - e) * 6.0)               # soft rim of the ellipse
        c = mix(c, (255, 255, 255), pal["gloss"] * (0.15 + 0.85 * fade) * edge)
    # Bounce light along the lower edge, as on glass.
    if dy > 0:
        b = max(0.0, 1.0 - abs(r - (R_DISC - 1.6)) / 1.6) * (dy / r)
        c = mix(c, pal["light"], 0.35 * b)
    return c


def sample_badge(pal, x, y):
    """Colour of one sub-sample of the badge, or None outside it."""
    dx, dy = x - CX, y - CY
    r = math.hypot(dx, dy)
    if r > R_OUT:
        return None
    if r > R_RIM_IN:
        return rim_colour(dx, dy, r)
    if r > R_DISC:
        # Narrow groove between rim and disc; gives the disc a crisp edge.
        return mix(pal["dark"], (40, 40, 50), 0.35)
    if inside_polygon(x, y, I_GLYPH):
        return STEM_COLOUR
    return disc_colour(pal, x, y, r)


def centre_distance(px, py):
    return math.hypot(px + 0.5 - CX, py + 0.5 - CY)


def highlight_pixels():
    chosen = set()
    for py in range(SIZE):
        for px in range(SIZE):
            dx, dy = px + 0.5 - CX, py + 0.5 - CY
            r = math.hypot(dx, dy)
            if not HIGHLIGHT_R[0] <= r < HIGHLIGHT_R[1]:
                continue
            # Angle away from the up-left direction (-1, -1).
            cos_a = -(dx + dy) / (r * math.sqrt(2.0))
            if math.degrees(math.acos(max(-1.0, min(1.0, cos_a)))) <= HIGHLIGHT_HALF_ANGLE:
                chosen.add((px, py))
    return chosen


def render_badge(pal):
    """Rows top to bottom of (r, g, b) tuples."""
    highlight = highlight_pixels()
    dot = set(DOT)
    rows = []
    for py in range(SIZE):
        row = []
        for px in range(SIZE):
            if centre_distance(px, py) > BADGE_LIMIT or (px, py) in highlight or (px, py) in dot:
                row.append(WHITE)
                continue
            acc = [0.0, 0.0, 0.0]
            covered = 0
            for sy in range(SUPER):
                for sx in range(SUPER):
                    c = sample_badge(pal, px + (sx + 0.5) / SUPER, py + (sy + 0.5) / SUPER)
                    if c is not None:
                        covered += 1
                        for i in range(3):
                            acc[i] += c[i]
            n = SUPER * SUPER
            if covered == 0:
                colour = EDGE_BLEND
            else:
                inner = tuple(a / covered for a in acc)
                colour = mix(EDGE_BLEND, inner, max(covered / n, 0.45))
            c8 = tuple(clamp8(v) for v in colour)
            if c8 == WHITE:
                c8 = (254, 254, 254)
            row.append(c8)
        rows.append(row)
    return rows


def border_white(rows):
    """White pixels joined to the picture's border through white pixels,
    neighbours counted in all eight directions."""
    h, w = len(rows), len(rows[0])
    seen = set()
    stack = [(x, y) for y in range(h) for x in range(w)
             if (x in (0, w - 1) or y in (0, h - 1)) and rows[y][x] == WHITE]
    while stack:
        x, y = stack.pop()
        if (x, y) in seen:
            continue
        seen.add((x, y))
        for ny in (y - 1, y, y + 1):
            for nx in (x - 1, x, x + 1):
                if 0 <= nx < w and 0 <= ny < h and (nx, ny) not in seen and rows[ny][nx] == WHITE:
                    stack.append((nx, ny))
    return seen


def check_badge(name, rows):
    whites = {(x, y) for y in range(SIZE) for x in range(SIZE) if rows[y][x] == WHITE}
    outer = border_white(rows)
    inner = whites - outer
    assert len(whites) == 251, (name, len(whites))
    assert len(outer) == 212, (name, len(outer))
    assert len(inner) == 39, (name, len(inner))
    assert set(DOT) <= inner, name


def bmp_bytes(rows):
    h, w = len(rows), len(rows[0])
    stride = (w * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):                      # bottom-up
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += b"\0" * (stride - len(line))
        pixels += line
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(pixels), 0, 0, 0, 0)
    offset = 14 + len(info)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + bytes(pixels)


# ---------------------------------------------------------------------------
# Program icon: a white USB stick with a download arrow cut into it, on a dark
# blue square with a thin pale border.

ICON = 128
ICON_SUPER = 4


def rounded_rect(x, y, x0, y0, x1, y1, radius):
    if not (x0 <= x < x1 and y0 <= y < y1):
        return False
    cx = min(max(x, x0 + radius), x1 - radius)
    cy = min(max(y, y0 + radius), y1 - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def in_triangle(x, y, a, b, c):
    def side(p, q):
        return (q[0] - p[0]) * (y - p[1]) - (q[1] - p[1]) * (x - p[0])
    d1, d2, d3 = side(a, b), side(b, c), side(c, a)
    neg = d1 < 0 or d2 < 0 or d3 < 0
    pos = d1 > 0 or d2 > 0 or d3 > 0
    return not (neg and pos)


def emblem(x, y):
    """True where the white emblem covers the point."""
    # Connector: a metal sleeve with two contact windows.
    if rounded_rect(x, y, 46, 16, 82, 43, 3):
        return not (rounded_rect(x, y, 53, 24, 61, 32, 1) or
                    rounded_rect(x, y, 67, 24, 75, 32, 1))
    # Body, a little apart from the sleeve, with a downward arrow cut out of it.
    if rounded_rect(x, y, 36, 45, 92, 112, 9):
        arrow = rounded_rect(x, y, 58, 55, 70, 86, 1.5) or \
            in_triangle(x, y, (45, 82), (83, 82), (64, 102))
        return not arrow
    return False


def icon_pixel(px, py):
    border_pale = (196, 210, 234)
    # Thin pale border, then a one-pixel dark line that sets it off.
    if px < 2 or py < 2 or px >= ICON - 2 or py >= ICON - 2:
        return border_pale
    if px < 3 or py < 3 or px >= ICON - 3 or py >= ICON - 3:
        return (8, 20, 60)
    # Dark blue, a little lighter at the top, with a soft sheen.
    t = py / (ICON - 1)
    bg = mix((30, 66, 150), (10, 28, 88), t)
    d = math.hypot((px - 40) / 90.0, (py - 30) / 70.0)
    bg = mix(bg, (52, 96, 190), max(0.0, 0.5 - d) * 0.8)
    hits = 0
    for sy in range(ICON_SUPER):
        for sx in range(ICON_SUPER):
            if emblem(px + (sx + 0.5) / ICON_SUPER, py + (sy + 0.5) / ICON_SUPER):
                hits += 1
    return mix(bg, (255, 255, 255), hits / (ICON_SUPER * ICON_SUPER))


def render_icon():
    return [[tuple(clamp8(v) for v in icon_pixel(px, py)) for px in range(ICON)]
            for py in range(ICON)]


def ico_bytes(rows):
    h, w = len(rows), len(rows[0])
    xor = bytearray()
    for row in reversed(rows):
        for r, g, b in row:
            xor += bytes((b, g, r))
    mask_stride = ((w + 31) // 32) * 4
    and_mask = bytes(mask_stride * h)                # all zero: every pixel opaque
    # The DIB header of an icon image counts the XOR and AND bitmaps together.
    info = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, 24, 0, 0, 0, 0, 0, 0)
    image = info + bytes(xor) + and_mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", w & 0xFF, h & 0xFF, 0, 0, 1, 24, len(image), 6 + 16)
    return directory + entry + image


def write(name, data):
    path = os.path.join(OUT_DIR, name)
    with open(path, "wb") as f:
        f.write(data)
    print(f"{path}: {len(data)} bytes")


def main():
    os.makedirs(OUT_DIR, exist_ok=True)
    for name, pal in PALETTES.items():
        rows = render_badge(pal)
        check_badge(name, rows)
        data = bmp_bytes(rows)
        assert len(data) == 3126, (name, len(data))
        write(name, data)
    icon = ico_bytes(render_icon())
    assert len(icon) == 6 + 16 + 40 + ICON * ICON * 3 + ICON * 16
    write("mainicon.ico", icon)
    return 0


if __name__ == "__main__":
    sys.exit(main())
