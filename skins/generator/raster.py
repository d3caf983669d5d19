"""Small raster toolkit for drawing skin strips: RGB images, shapes, BMP and PNG output.

Only the Python standard library is used, so the skin can be regenerated on any machine.
"""

import struct
import zlib

MAGENTA = (255, 0, 255)


def mix(a, b, t):
    """Colour between a (t = 0) and b (t = 1)."""
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def lighten(c, t):
    return mix(c, (255, 255, 255), t)


def darken(c, t):
    return mix(c, (0, 0, 0), t)


class Image:
    def __init__(self, w, h, fill=MAGENTA):
        self.w = w
        self.h = h
        self.px = [[fill] * w for _ in range(h)]

    def copy(self):
        o = Image(self.w, self.h)
        o.px = [row[:] for row in self.px]
        return o

    def get(self, x, y):
        return self.px[y][x]

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def fill(self, x0, y0, x1, y1, c):
        """Fills [x0, x1) x [y0, y1)."""
        for y in range(max(0, y0), min(self.h, y1)):
            row = self.px[y]
            for x in range(max(0, x0), min(self.w, x1)):
                row[x] = c

    def hline(self, x0, x1, y, c):
        self.fill(x0, y, x1, y + 1, c)

    def vline(self, x, y0, y1, c):
        self.fill(x, y0, x + 1, y1, c)

    def frame(self, x0, y0, x1, y1, c):
        self.hline(x0, x1, y0, c)
        self.hline(x0, x1, y1 - 1, c)
        self.vline(x0, y0, y1, c)
        self.vline(x1 - 1, y0, y1, c)

    def vgradient(self, x0, y0, x1, y1, top, bottom):
        n = max(1, y1 - y0 - 1)
        for y in range(y0, y1):
            self.hline(x0, x1, y, mix(top, bottom, (y - y0) / n))

    def blit(self, src, dx, dy, sx=0, sy=0, w=None, h=None, key=None):
        w = src.w - sx if w is None else w
        h = src.h - sy if h is None else h
        for y in range(h):
            for x in range(w):
                c = src.px[sy + y][sx + x]
                if key is not None and c == key:
                    continue
                self.set(dx + x, dy + y, c)

    def crop(self, x, y, w, h):
        o = Image(w, h)
        o.blit(self, 0, 0, x, y, w, h)
        return o

    def mirrored(self):
        o = self.copy()
        o.px = [row[::-1] for row in o.px]
        return o

    def flipped(self):
        o = self.copy()
        o.px = [row[:] for row in reversed(self.px)]
        return o

    def rotated_right(self):
        """Quarter turn clockwise."""
        o = Image(self.h, self.w)
        for y in range(self.h):
            for x in range(self.w):
                o.px[x][self.h - 1 - y] = self.px[y][x]
        return o

    def rotated_left(self):
        o = Image(self.h, self.w)
        for y in range(self.h):
            for x in range(self.w):
                o.px[self.w - 1 - x][y] = self.px[y][x]
        return o

    def recolour(self, old, new):
        for row in self.px:
            for i, c in enumerate(row):
                if c == old:
                    row[i] = new


def hstrip(frames):
    """Frames side by side, the layout every horizontal skin strip uses."""
    w = sum(f.w for f in frames)
    h = max(f.h for f in frames)
    o = Image(w, h)
    x = 0
    for f in frames:
        o.blit(f, x, 0)
        x += f.w
    return o


def vstrip(frames):
    """Frames stacked from the top (frame 1 at the top of the picture)."""
    w = max(f.w for f in frames)
    h = sum(f.h for f in frames)
    o = Image(w, h)
    y = 0
    for f in frames:
        o.blit(f, 0, y)
        y += f.h
    return o


# ---------------------------------------------------------------------------------------------
# Shapes with coverage. Edges are blended against a known backdrop where the picture is drawn
# over a known colour; where the backdrop is unknown the outside stays magenta (transparent) and
# only pixels mostly inside are painted, so no pink fringe can appear.

def _coverage_round_rect(px, py, x0, y0, x1, y1, r, samples=4):
    """Fraction of pixel (px, py) inside the rounded rectangle [x0, x1) x [y0, y1) of radius r."""
    inside = 0
    for sy in range(samples):
        for sx in range(samples):
            x = px + (sx + 0.5) / samples
            y = py + (sy + 0.5) / samples
            if x < x0 or x >= x1 or y < y0 or y >= y1:
                continue
            cx = min(max(x, x0 + r), x1 - r)
            cy = min(max(y, y0 + r), y1 - r)
            if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                inside += 1
    return inside / (samples * samples)


def round_rect(img, x0, y0, x1, y1, r, fill, border=None, bw=1, backdrop=None, fill_bottom=None,
               threshold=0.5):
    """Rounded rectangle [x0, x1) x [y0, y1) with an optional border of width bw.

    fill may be a colour; fill_bottom makes the fill a vertical gradient. backdrop is the colour
    behind the shape used for edge blending; None leaves outside pixels untouched and paints a
    pixel only when at least `threshold` of it is inside."""
    for py in range(max(0, int(y0)), min(img.h, int(y1 + 0.999))):
        t = 0 if fill_bottom is None else (py - y0) / max(1, (y1 - y0 - 1))
        f = fill if fill_bottom is None else mix(fill, fill_bottom, t)
        for px in range(max(0, int(x0)), min(img.w, int(x1 + 0.999))):
            outer = _coverage_round_rect(px, py, x0, y0, x1, y1, r)
            if outer <= 0:
                continue
            if border is not None:
                inner = _coverage_round_rect(px, py, x0 + bw, y0 + bw, x1 - bw, y1 - bw,
                                             max(0.0, r - bw))
                c = mix(border, f, inner / outer) if outer > 0 else f
            else:
                c = f
            if backdrop is None:
                if outer >= threshold:
                    img.set(px, py, c)
            else:
                img.set(px, py, mix(backdrop, c, outer))


def disc(img, cx, cy, r, colour, backdrop=None, threshold=0.5):
    """Filled circle centred at (cx, cy) in pixel-edge coordinates."""
    round_rect(img, cx - r, cy - r, cx + r, cy + r, r, colour, backdrop=backdrop,
               threshold=threshold)


def blend_over(img, x, y, colour, alpha):
    if 0 <= x < img.w and 0 <= y < img.h:
        img.px[y][x] = mix(img.px[y][x], colour, alpha)


def line_aa(img, x0, y0, x1, y1, colour, width=1.0, samples=4):
    """Anti-aliased line from (x0, y0) to (x1, y1) (pixel-centre coordinates) blended over img."""
    minx = int(min(x0, x1) - width - 1)
    maxx = int(max(x0, x1) + width + 2)
    miny = int(min(y0, y1) - width - 1)
    maxy = int(max(y0, y1) + width + 2)
    dx, dy = x1 - x0, y1 - y0
    ln2 = dx * dx + dy * dy
    half = width / 2
    for py in range(miny, maxy):
        for px in range(minx, maxx):
            hit = 0
            for sy in range(samples):
                for sx in range(samples):
                    x = px + (sx + 0.5) / samples - 0.5
                    y = py + (sy + 0.5) / samples - 0.5
                    t = 0 if ln2 == 0 else max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / ln2))
                    qx, qy = x0 + t * dx - x, y0 + t * dy - y
                    if qx * qx + qy * qy <= half * half:
                        hit += 1
            if hit:
                blend_over(img, px, py, colour, hit / (samples * samples))


def pattern(img, x, y, rows, palette):
    """Draws an ASCII pattern: each character is looked up in palette; '.' is left alone."""
    for j, row in enumerate(rows):
        for i, ch in enumerate(row):
            if ch in palette:
                img.set(x + i, y + j, palette[ch])


# ---------------------------------------------------------------------------------------------
# File formats

def bmp_bytes(img):
    """Windows BMP: BITMAPFILEHEADER + 40-byte BITMAPINFOHEADER, 24 bits, BI_RGB, bottom-up."""
    stride = (img.w * 3 + 3) & ~3
    pad = b"\0" * (stride - img.w * 3)
    rows = []
    for y in range(img.h - 1, -1, -1):
        rows.append(b"".join(bytes((c[2], c[1], c[0])) for c in img.px[y]) + pad)
    pixels = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, img.w, img.h, 1, 24, 0, len(pixels), 3780, 3780, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + pixels


def png_bytes(img):
    def chunk(kind, data):
        c = struct.pack(">I", len(data)) + kind + data
        return c + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    raw = b"".join(b"\0" + b"".join(bytes(c) for c in row) for row in img.px)
    return (b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", img.w, img.h, 8, 2, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def read_bmp(data):
    """Reads back a 24-bit BI_RGB BMP as written by bmp_bytes (used by the preview)."""
    off = struct.unpack_from("<I", data, 10)[0]
    w, h = struct.unpack_from("<ii", data, 18)
    bpp = struct.unpack_from("<H", data, 28)[0]
    assert bpp == 24
    stride = (w * 3 + 3) & ~3
    img = Image(w, abs(h))
    for r in range(abs(h)):
        y = abs(h) - 1 - r if h > 0 else r
        base = off + r * stride
        img.px[y] = [(data[base + 3 * x + 2], data[base + 3 * x + 1], data[base + 3 * x])
                     for x in range(w)]
    return img
