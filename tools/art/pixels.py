"""Pixel plumbing for the art tool: SVG rendering through rsvg-convert, a small
PNG reader and writer, a 24-bit Windows bitmap writer and alpha compositing.

Everything here is plain Python so that the outputs depend only on the SVG
text, the rsvg-convert build and the fonts, never on a timestamp.
"""

import struct
import subprocess
import zlib


class Image:
    """RGBA pixels, row-major, each a 4-tuple of 0..255."""

    def __init__(self, width, height, fill=(0, 0, 0, 0)):
        self.width = width
        self.height = height
        self.px = [fill] * (width * height)

    def get(self, x, y):
        return self.px[y * self.width + x]

    def put(self, x, y, rgba):
        self.px[y * self.width + x] = rgba

    def copy(self):
        out = Image(self.width, self.height)
        out.px = list(self.px)
        return out


def _unfilter(raw, width, height, bpp):
    stride = width * bpp
    rows = []
    prev = bytearray(stride)
    pos = 0
    for _ in range(height):
        kind = raw[pos]
        line = bytearray(raw[pos + 1 : pos + 1 + stride])
        pos += 1 + stride
        if kind == 1:
            for i in range(bpp, stride):
                line[i] = (line[i] + line[i - bpp]) & 255
        elif kind == 2:
            for i in range(stride):
                line[i] = (line[i] + prev[i]) & 255
        elif kind == 3:
            for i in range(stride):
                left = line[i - bpp] if i >= bpp else 0
                line[i] = (line[i] + ((left + prev[i]) >> 1)) & 255
        elif kind == 4:
            for i in range(stride):
                a = line[i - bpp] if i >= bpp else 0
                b = prev[i]
                c = prev[i - bpp] if i >= bpp else 0
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                pred = a if pa <= pb and pa <= pc else (b if pb <= pc else c)
                line[i] = (line[i] + pred) & 255
        rows.append(line)
        prev = line
    return rows


def read_png(data):
    """Decodes an 8-bit RGB or RGBA, non-interlaced PNG (what cairo writes)."""
    assert data[:8] == b"\x89PNG\r\n\x1a\n", "not a PNG"
    pos = 8
    idat = b""
    width = height = 0
    colour_type = 6
    while pos < len(data):
        (length,) = struct.unpack(">I", data[pos : pos + 4])
        kind = data[pos + 4 : pos + 8]
        body = data[pos + 8 : pos + 8 + length]
        pos += 12 + length
        if kind == b"IHDR":
            width, height, depth, colour_type, _, _, interlace = struct.unpack(">IIBBBBB", body)
            assert depth == 8 and colour_type in (2, 6) and interlace == 0, "unsupported PNG"
        elif kind == b"IDAT":
            idat += body
        elif kind == b"IEND":
            break
    bpp = 4 if colour_type == 6 else 3
    rows = _unfilter(zlib.decompress(idat), width, height, bpp)
    img = Image(width, height)
    px = []
    for line in rows:
        for x in range(width):
            i = x * bpp
            if bpp == 4:
                px.append((line[i], line[i + 1], line[i + 2], line[i + 3]))
            else:
                px.append((line[i], line[i + 1], line[i + 2], 255))
    img.px = px
    return img


def write_png(path, img):
    """Writes an opaque RGB PNG (for mock-ups and previews)."""
    raw = bytearray()
    for y in range(img.height):
        raw.append(0)
        for x in range(img.width):
            r, g, b = img.get(x, y)[:3]
            raw += bytes((r, g, b))

    def chunk(kind, body):
        return (
            struct.pack(">I", len(body))
            + kind
            + body
            + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)
        )

    head = struct.pack(">IIBBBBB", img.width, img.height, 8, 2, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", head))
        f.write(chunk(b"IDAT", zlib.compress(bytes(raw), 9)))
        f.write(chunk(b"IEND", b""))


def bmp_bytes(img):
    """A 24-bit, bottom-up, uncompressed Windows bitmap (BITMAPINFOHEADER)."""
    w, h = img.width, img.height
    stride = (w * 3 + 3) & ~3
    pixels = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray()
        for x in range(w):
            r, g, b, a = img.get(x, y)
            assert a == 255, "bitmaps must be opaque"
            row += bytes((b, g, r))
        row += bytes(stride - len(row))
        pixels += row
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return header + info + bytes(pixels)


def read_bmp(path):
    """Reads a bitmap written by bmp_bytes (24-bit, bottom-up)."""
    with open(path, "rb") as f:
        data = f.read()
    offset = struct.unpack("<I", data[10:14])[0]
    w, h = struct.unpack("<ii", data[18:26])
    stride = (w * 3 + 3) & ~3
    img = Image(w, h)
    for y in range(h):
        row = offset + (h - 1 - y) * stride
        for x in range(w):
            b, g, r = data[row + 3 * x : row + 3 * x + 3]
            img.put(x, y, (r, g, b, 255))
    return img


def render_svg(svg_text, width, height):
    """Renders SVG text at width x height pixels; transparent where nothing is drawn."""
    png = subprocess.run(
        ["rsvg-convert", "-w", str(width), "-h", str(height), "-f", "png"],
        input=svg_text.encode("utf-8"),
        capture_output=True,
        check=True,
    ).stdout
    img = read_png(png)
    assert img.width == width and img.height == height
    return img


def over(top, bottom):
    """Porter-Duff 'over' of one RGBA pixel on another (bottom usually opaque)."""
    ta = top[3]
    if ta == 255:
        return top
    if ta == 0:
        return bottom
    ba = bottom[3]
    a = ta + ba * (255 - ta) // 255
    if a == 0:
        return (0, 0, 0, 0)

    def mix(t, b):
        return (t * ta * 255 + b * ba * (255 - ta) + (a * 255) // 2) // (a * 255)

    return (mix(top[0], bottom[0]), mix(top[1], bottom[1]), mix(top[2], bottom[2]), a)


def flatten(fg, background):
    """fg over an opaque background image of the same size."""
    out = Image(fg.width, fg.height)
    out.px = [over(t, b) for t, b in zip(fg.px, background.px)]
    return out


def paste(canvas, img, x0, y0):
    """Draws an opaque picture onto the canvas at (x0, y0), clipped to the canvas."""
    for y in range(img.height):
        cy = y0 + y
        if not 0 <= cy < canvas.height:
            continue
        for x in range(img.width):
            cx = x0 + x
            if 0 <= cx < canvas.width:
                canvas.put(cx, cy, img.get(x, y))


def paste_over(canvas, img, x0, y0):
    """Blends an RGBA picture onto the canvas at (x0, y0)."""
    for y in range(img.height):
        cy = y0 + y
        if not 0 <= cy < canvas.height:
            continue
        for x in range(img.width):
            cx = x0 + x
            if 0 <= cx < canvas.width:
                canvas.put(cx, cy, over(img.get(x, y), canvas.get(cx, cy)))
