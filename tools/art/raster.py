"""A tiny anti-aliased vector rasteriser and the image writers the art needs (PNG, ICO, BMP).

Shapes are signed-distance functions (negative inside); a pixel's coverage comes from the distance
at its centre, which gives clean edges at any size without supersampling. Standard library only,
so the art can be regenerated on any machine with Python 3.
"""
import math
import struct
import zlib


# ---------------------------------------------------------------- shapes (signed distance)

class Shape:
    def __init__(self, sdf, bbox):
        self.sdf = sdf
        self.bbox = bbox  # (x0, y0, x1, y1) in shape units; coverage is zero outside

    def __or__(self, other):
        return Shape(lambda x, y: min(self.sdf(x, y), other.sdf(x, y)), _bbox_union(self.bbox, other.bbox))

    def __and__(self, other):
        return Shape(lambda x, y: max(self.sdf(x, y), other.sdf(x, y)), _bbox_inter(self.bbox, other.bbox))

    def __sub__(self, other):
        return Shape(lambda x, y: max(self.sdf(x, y), -other.sdf(x, y)), self.bbox)

    def grow(self, amount):
        b = self.bbox
        return Shape(lambda x, y: self.sdf(x, y) - amount, (b[0] - amount, b[1] - amount, b[2] + amount, b[3] + amount))

    def moved(self, dx, dy):
        b = self.bbox
        return Shape(lambda x, y: self.sdf(x - dx, y - dy), (b[0] + dx, b[1] + dy, b[2] + dx, b[3] + dy))


def _bbox_union(a, b):
    return (min(a[0], b[0]), min(a[1], b[1]), max(a[2], b[2]), max(a[3], b[3]))


def _bbox_inter(a, b):
    return (max(a[0], b[0]), max(a[1], b[1]), min(a[2], b[2]), min(a[3], b[3]))


def circle(cx, cy, r):
    return Shape(lambda x, y: math.hypot(x - cx, y - cy) - r, (cx - r, cy - r, cx + r, cy + r))


def round_rect(x0, y0, x1, y1, radius):
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - radius, (y1 - y0) / 2 - radius

    def sdf(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - radius
    return Shape(sdf, (x0, y0, x1, y1))


def _segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / length2))
    return math.hypot(px - ax - t * dx, py - ay - t * dy)


def stroke(points, width):
    """A polyline drawn with a round pen of the given width."""
    r = width / 2
    segments = list(zip(points, points[1:])) or [(points[0], points[0])]

    def sdf(x, y):
        return min(_segment_distance(x, y, a[0], a[1], b[0], b[1]) for a, b in segments) - r
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    return Shape(sdf, (min(xs) - r, min(ys) - r, max(xs) + r, max(ys) + r))


def arc_points(cx, cy, rx, ry, start_deg, end_deg, steps=None):
    """Points along an elliptic arc; angles in degrees, 0 = right, 90 = up (screen y grows down)."""
    span = end_deg - start_deg
    steps = steps or max(8, int(abs(span) / 6))
    pts = []
    for i in range(steps + 1):
        a = math.radians(start_deg + span * i / steps)
        pts.append((cx + rx * math.cos(a), cy - ry * math.sin(a)))
    return pts


def polygon(points):
    n = len(points)

    def sdf(x, y):
        d = min(_segment_distance(x, y, *points[i], *points[(i + 1) % n]) for i in range(n))
        inside = False
        for i in range(n):
            (ax, ay), (bx, by) = points[i], points[(i + 1) % n]
            if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                inside = not inside
        return -d if inside else d
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    return Shape(sdf, (min(xs), min(ys), max(xs), max(ys)))


# ---------------------------------------------------------------- paints

def solid(rgb, alpha=1.0):
    return lambda x, y: (rgb[0], rgb[1], rgb[2], alpha)


def vertical_gradient(y0, top, y1, bottom, alpha=1.0):
    def paint(x, y):
        t = max(0.0, min(1.0, (y - y0) / (y1 - y0)))
        return tuple(top[i] + (bottom[i] - top[i]) * t for i in range(3)) + (alpha,)
    return paint


def hex_rgb(text):
    text = text.lstrip('#')
    return tuple(int(text[i:i + 2], 16) for i in (0, 2, 4))


# ---------------------------------------------------------------- canvas

class Canvas:
    """RGBA float canvas (straight alpha). Pixel (i, j) covers shape units
    [i*sx, (i+1)*sx] x [j*sy, (j+1)*sy], so a picture can be drawn in the units it is shown in."""

    def __init__(self, width, height, sx=1.0, sy=1.0):
        self.width, self.height, self.sx, self.sy = width, height, sx, sy
        self.pixels = [[(0.0, 0.0, 0.0, 0.0)] * width for _ in range(height)]

    def fill(self, shape, paint, softness=1.0):
        """Composites the shape over the canvas; softness widens the edge (soft shadows)."""
        footprint = (self.sx + self.sy) / 2 * softness
        x0, y0, x1, y1 = shape.bbox
        margin = footprint
        i0 = max(0, int(math.floor((x0 - margin) / self.sx)))
        i1 = min(self.width, int(math.ceil((x1 + margin) / self.sx)) + 1)
        j0 = max(0, int(math.floor((y0 - margin) / self.sy)))
        j1 = min(self.height, int(math.ceil((y1 + margin) / self.sy)) + 1)
        for j in range(j0, j1):
            y = (j + 0.5) * self.sy
            row = self.pixels[j]
            for i in range(i0, i1):
                x = (i + 0.5) * self.sx
                cover = 0.5 - shape.sdf(x, y) / footprint
                if cover <= 0:
                    continue
                cover = min(cover, 1.0)
                r, g, b, a = paint(x, y)
                a *= cover
                row[i] = _over((r, g, b, a), row[i])

    def rgba8(self):
        out = []
        for row in self.pixels:
            out.append([tuple(int(round(max(0.0, min(255.0, c)))) for c in p[:3]) +
                        (int(round(max(0.0, min(1.0, p[3])) * 255)),) for p in row])
        return out


def _over(src, dst):
    sa, da = src[3], dst[3]
    oa = sa + da * (1 - sa)
    if oa <= 0:
        return (0.0, 0.0, 0.0, 0.0)
    return tuple((src[k] * sa + dst[k] * da * (1 - sa)) / oa for k in range(3)) + (oa,)


# ---------------------------------------------------------------- writers

def png_bytes(rgba_rows):
    height, width = len(rgba_rows), len(rgba_rows[0])
    raw = bytearray()
    for row in rgba_rows:
        raw.append(0)
        for p in row:
            raw.extend(p)

    def chunk(kind, data):
        body = kind + data
        return struct.pack('>I', len(data)) + body + struct.pack('>I', zlib.crc32(body) & 0xFFFFFFFF)
    header = struct.pack('>IIBBBBB', width, height, 8, 6, 0, 0, 0)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) +
            chunk(b'IDAT', zlib.compress(bytes(raw), 9)) + chunk(b'IEND', b''))


def bmp24_bytes(rgb_rows):
    """A bottom-up 24-bit Windows bitmap file."""
    height, width = len(rgb_rows), len(rgb_rows[0])
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rgb_rows):
        line = bytearray()
        for r, g, b in row:
            line.extend((b, g, r))
        line.extend(b'\0' * (stride - len(line)))
        pixels.extend(line)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(pixels), 3780, 3780, 0, 0)
    header = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + pixels


def median_cut(colours, count):
    """A palette of at most `count` colours for the given (r, g, b) list (weighted by repetition)."""
    boxes = [list(colours)]
    while len(boxes) < count:
        # Split the box with the widest channel range that still has more than one colour.
        best, best_range, best_channel = None, -1, 0
        for index, box in enumerate(boxes):
            if len(set(box)) < 2:
                continue
            for channel in range(3):
                values = [c[channel] for c in box]
                spread = max(values) - min(values)
                if spread > best_range:
                    best, best_range, best_channel = index, spread, channel
        if best is None:
            break
        box = sorted(boxes.pop(best), key=lambda c: c[best_channel])
        middle = len(box) // 2
        # Keep equal colours on one side of the cut.
        while middle < len(box) - 1 and box[middle][best_channel] == box[middle - 1][best_channel]:
            middle += 1
        if middle >= len(box):
            middle = len(box) // 2
        boxes.extend([box[:middle], box[middle:]])
    palette = []
    for box in boxes:
        if box:
            palette.append(tuple(int(round(sum(c[k] for c in box) / len(box))) for k in range(3)))
    return palette


def _nearest(palette, colour, cache):
    hit = cache.get(colour)
    if hit is None:
        hit = min(range(len(palette)),
                  key=lambda i: sum((palette[i][k] - colour[k]) ** 2 for k in range(3)))
        cache[colour] = hit
    return hit


def ico_bytes(images):
    """A Windows icon file of 256-colour (8 bits per pixel) images with 1-bit transparency masks.
    `images` are RGBA row lists; a pixel is opaque when its alpha is at least half."""
    entries, bodies = [], []
    for rows in images:
        size = len(rows)
        opaque = [[p[3] >= 128 for p in row] for row in rows]
        colours = [p[:3] for row, mask in zip(rows, opaque) for p, o in zip(row, mask) if o]
        palette = median_cut(colours, 256) if colours else [(0, 0, 0)]
        palette += [(0, 0, 0)] * (256 - len(palette))
        cache = {}
        stride = (size + 3) & ~3
        mask_stride = ((size + 31) // 32) * 4
        xor, andmask = bytearray(), bytearray()
        for row, mask in zip(reversed(rows), reversed(opaque)):
            line = bytearray(_nearest(palette, p[:3], cache) if o else 0 for p, o in zip(row, mask))
            line.extend(b'\0' * (stride - size))
            xor.extend(line)
            bits = bytearray(mask_stride)
            for i, o in enumerate(mask):
                if not o:
                    bits[i // 8] |= 0x80 >> (i % 8)
            andmask.extend(bits)
        header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 8, 0, len(xor) + len(andmask), 0, 0, 256, 0)
        quad = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in palette)
        bodies.append(header + quad + bytes(xor) + bytes(andmask))
        entries.append(size)
    offset = 6 + 16 * len(images)
    directory = struct.pack('<HHH', 0, 1, len(images))
    for size, body in zip(entries, bodies):
        directory += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 8, len(body), offset)
        offset += len(body)
    return directory + b''.join(bodies)
