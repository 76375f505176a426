#!/usr/bin/env python3
"""Draws Quillboard's artwork: the splash logo, the program icon and a preview.

The logo is a pale yellow sticky note, tilted, with its darker header band,
a folded bottom-right corner, a few written lines and a blue quill resting on
it. Every shape is drawn on an oversized canvas and scaled down, which gives
clean anti-aliased edges. Each icon size has its own style: the 48 and 64
pixel icons drop the finer details, and the 16 and 32 pixel icons are upright
notes laid on whole pixels with fewer lines and a bolder quill, so they stay
legible in the notification area.

Outputs (paths relative to the repository root):
  resources/logo.png        1024 x 1024 RGBA, transparent background
  resources/logo_splash.bmp the logo at the splash's size, 32-bit BGRA (the program's
                            resource: drawn with no picture decoder)
  resources/quillboard.ico  16, 32, 48, 64 and 256 px, 32-bit BGRA
  docs/logo-preview.png     the logo at splash size and every icon size

Run from anywhere:  python3 resources/make_artwork.py
Needs Pillow (Debian: python3-pil). The outputs are committed, so building the
program does not need this script; run it again only to change the artwork.
"""

import io
import math
import struct
from pathlib import Path

from PIL import Image, ImageChops, ImageDraw, ImageFilter

RESOURCES_DIR = Path(__file__).resolve().parent
REPO_DIR = RESOURCES_DIR.parent

LOGO_SIZE = 1024
SPLASH_LOGO_SIZE = 116  # the size the splash shows it at
ICON_SIZES = (16, 32, 48, 64, 256)
PNG_ICON_MIN_SIZE = 256  # Images this big are stored PNG-compressed.
ALPHA_FLOOR = 3  # Coverage below this, after scaling down, is noise.

# Note colours: the default note yellow and its header band (each channel
# times 0.82, the same shade the notes themselves use).
NOTE_YELLOW = (255, 246, 160)
HEADER_YELLOW = tuple(int(c * 0.82) for c in NOTE_YELLOW)
FLAP_YELLOW = (240, 226, 132)
NOTE_OUTLINE = (150, 134, 58)
TEXT_INK = (150, 138, 90)
QUILL_BLUE = (33, 97, 170)
QUILL_DARK = (21, 58, 110)
QUILL_SHAFT = (170, 202, 238)
NIB_COLOUR = (44, 48, 62)
SHADOW_COLOUR = (60, 48, 10)


# ---------------------------------------------------------------- geometry

def add(p, q):
    return (p[0] + q[0], p[1] + q[1])


def sub(p, q):
    return (p[0] - q[0], p[1] - q[1])


def scale(p, k):
    return (p[0] * k, p[1] * k)


def length(p):
    return math.hypot(p[0], p[1])


def unit(p):
    n = length(p)
    return (p[0] / n, p[1] / n)


def perpendicular(p):
    """The vector turned a quarter to the left on screen (y grows down)."""
    return (p[1], -p[0])


def rounded_polygon(points, radii, steps=24):
    """Replaces each corner by a quadratic curve of about the given radius."""
    out = []
    count = len(points)
    for i, corner in enumerate(points):
        radius = radii[i] if isinstance(radii, (list, tuple)) else radii
        if radius <= 0:
            out.append(corner)
            continue
        before = points[i - 1]
        after = points[(i + 1) % count]
        to_before = sub(before, corner)
        to_after = sub(after, corner)
        cut = min(radius, length(to_before) / 2, length(to_after) / 2)
        start = add(corner, scale(unit(to_before), cut))
        end = add(corner, scale(unit(to_after), cut))
        for step in range(steps + 1):
            t = step / steps
            a = (1 - t) * (1 - t)
            b = 2 * (1 - t) * t
            c = t * t
            out.append((a * start[0] + b * corner[0] + c * end[0],
                        a * start[1] + b * corner[1] + c * end[1]))
    return out


def capsule(p0, p1, radius, steps=16):
    """A stroke with round ends from p0 to p1, as a polygon."""
    direction = unit(sub(p1, p0))
    side = perpendicular(direction)
    out = []
    for centre, sign in ((p1, 1), (p0, -1)):
        for step in range(steps + 1):
            angle = math.pi * step / steps
            across = sign * radius * math.cos(angle)
            along = sign * radius * math.sin(angle)
            out.append(add(centre, add(scale(side, across),
                                       scale(direction, along))))
    return out


class NoteFrame:
    """Maps note coordinates (0..1 across the square note, y down) to canvas
    pixels, with the note's tilt."""

    def __init__(self, centre, side, tilt_degrees):
        self.centre = centre
        self.side = side
        angle = math.radians(tilt_degrees)
        self.cos = math.cos(angle)
        self.sin = math.sin(angle)

    def point(self, u, v):
        x = (u - 0.5) * self.side
        y = (v - 0.5) * self.side
        return (self.centre[0] + x * self.cos - y * self.sin,
                self.centre[1] + x * self.sin + y * self.cos)

    def points(self, uvs):
        return [self.point(u, v) for u, v in uvs]

    def length(self, d):
        return d * self.side


# ----------------------------------------------------------------- drawing

class Canvas:
    """An oversized RGBA picture built from filled masks, layer on layer."""

    def __init__(self, size):
        self.size = size
        self.image = Image.new("RGBA", (size, size), (0, 0, 0, 0))

    def mask(self, *polygons, grow=0):
        """Coverage of the polygons, widened all round by `grow` pixels."""
        shape = Image.new("L", (self.size, self.size), 0)
        draw = ImageDraw.Draw(shape)
        for polygon in polygons:
            draw.polygon(polygon, fill=255)
            if grow > 0:
                ring = list(polygon) + [polygon[0], polygon[1]]
                # Two pixels more than twice the growth: Pillow's wide lines
                # fall about a pixel short of their nominal width.
                draw.line(ring, fill=255, width=round(grow * 2) + 2,
                          joint="curve")
        return shape

    def paint(self, shape, colour, opacity=1.0):
        if opacity < 1.0:
            shape = shape.point(lambda a: int(a * opacity))
        layer = Image.new("RGBA", (self.size, self.size), colour + (255,))
        layer.putalpha(shape)
        self.image.alpha_composite(layer)

    def fill(self, polygon, colour, clip=None):
        shape = self.mask(polygon)
        if clip is not None:
            shape = ImageChops.multiply(shape, clip)
        self.paint(shape, colour)

    def shadow(self, shape, offset, blur, opacity):
        moved = Image.new("L", (self.size, self.size), 0)
        moved.paste(shape, (round(offset[0]), round(offset[1])))
        if blur > 0:
            moved = moved.filter(ImageFilter.GaussianBlur(blur))
        self.paint(moved, SHADOW_COLOUR, opacity)

    def result(self, size, sharp_edges):
        """Scales the picture down. LANCZOS keeps the big pictures crisp; the
        upright pixel-aligned icons use a plain area average instead, whose
        edges stay exactly on the pixel grid without LANCZOS's faint halo.
        Alpha left over from ringing (a few units) is cleared, and fully
        transparent pixels are made black."""
        kind = Image.BOX if sharp_edges else Image.LANCZOS
        small = self.image.resize((size, size), kind)
        alpha = small.getchannel("A").point(
            lambda a: 0 if a < ALPHA_FLOOR else a)
        cleared = Image.new("RGBA", small.size, (0, 0, 0, 0))
        return Image.composite(small, cleared, alpha).convert("RGBA")


def note_outline_uv(fold):
    return [(0, 0), (1, 0), (1, 1 - fold), (1 - fold, 1), (0, 1)]


def draw_note(canvas, frame, style):
    fold = style["fold"]
    corner = frame.length(style["corner"])
    crease_corner = corner * 0.4
    radii = [corner, corner, crease_corner, crease_corner, corner]

    outer_width = style["outline"]
    body = rounded_polygon(frame.points(note_outline_uv(fold)), radii)
    body_mask = canvas.mask(body)

    if style["shadow"]:
        canvas.shadow(body_mask, (frame.side * 0.025, frame.side * 0.04),
                      frame.side * 0.035, 0.30)

    # The outline is the body grown outwards by the outline width.
    if outer_width > 0:
        canvas.paint(canvas.mask(body, grow=outer_width),
                     style["outline_colour"])

    canvas.paint(body_mask, NOTE_YELLOW)

    header = frame.points([(-0.1, -0.1), (1.1, -0.1),
                           (1.1, style["header"]), (-0.1, style["header"])])
    canvas.fill(header, HEADER_YELLOW, clip=body_mask)

    for v, u0, u1 in style["lines"]:
        canvas.fill(capsule(frame.point(u0, v), frame.point(u1, v),
                            frame.length(style["line_width"]) / 2),
                    TEXT_INK, clip=body_mask)

    draw_fold(canvas, frame, style, fold, crease_corner)


def draw_fold(canvas, frame, style, fold, crease_corner):
    # The corner is folded up over the note: a triangle whose long side is
    # the cut, lying on the note, with a soft shadow along the crease.
    flap = frame.points([(1, 1 - fold), (1 - fold, 1),
                         (1 - fold * 0.92, 1 - fold * 0.92)])
    flap = rounded_polygon(flap, [crease_corner, crease_corner,
                                  frame.length(style["corner"]) * 0.6])
    flap_mask = canvas.mask(flap)
    if style["shadow"]:
        canvas.shadow(flap_mask, (-frame.side * 0.012, -frame.side * 0.012),
                      frame.side * 0.012, 0.25)
    outline = style["outline"]
    if outline > 0:
        canvas.paint(canvas.mask(flap, grow=outline),
                     style["outline_colour"])
    canvas.paint(flap_mask, FLAP_YELLOW)


def quill_axis(frame, style):
    quill = style["quill"]
    tip = frame.point(*quill["tip"])
    angle = math.radians(quill["angle"])
    direction = (math.cos(angle), -math.sin(angle))
    return tip, direction, frame.length(quill["length"])


def axis_point(tip, direction, along, across):
    side = perpendicular(direction)
    return add(tip, add(scale(direction, along), scale(side, across)))


def quill_vane(tip, direction, total, quill, steps=60):
    """Both edges of the feather: a leaf shape, wider on the left, with its
    spine bent a little to the left as it rises."""
    start = quill["vane_start"] * total
    span = total - start
    width = quill["width"] * total
    left, right, spine = [], [], []
    for step in range(steps + 1):
        s = step / steps
        along = start + s * span
        bend = quill["bend"] * total * s * s
        profile = math.sin(math.pi * min(1.0, s ** 0.75 * 1.02)) ** 0.8
        left.append(axis_point(tip, direction, along,
                               bend + width * 1.15 * profile))
        right.append(axis_point(tip, direction, along,
                                bend - width * 0.85 * profile))
        spine.append(axis_point(tip, direction, along, bend))
    return left, right, spine


def draw_quill(canvas, frame, style):
    quill = style["quill"]
    tip, direction, total = quill_axis(frame, style)
    left, right, spine = quill_vane(tip, direction, total, quill)

    vane_outline = left + list(reversed(right))
    vane = canvas.mask(vane_outline)
    for notch_at, depth in quill["notches"]:
        vane = ImageChops.subtract(
            vane, canvas.mask(notch(direction, total, right, notch_at, depth)))

    nib_length = quill["nib"] * total
    nib_half = quill["nib_width"] * total / 2
    nib_outline = [
        tip,
        axis_point(tip, direction, nib_length, nib_half),
        axis_point(tip, direction, nib_length * 1.15, nib_half * 0.9),
        axis_point(tip, direction, nib_length * 1.15, -nib_half * 0.9),
        axis_point(tip, direction, nib_length, -nib_half)]
    shaft_outline = capsule(axis_point(tip, direction, nib_length, 0),
                            spine[len(spine) // 3], quill["shaft"] * total / 2)
    nib = canvas.mask(nib_outline)
    shaft = canvas.mask(shaft_outline)
    silhouette = ImageChops.lighter(ImageChops.lighter(vane, nib), shaft)

    if style["shadow"]:
        canvas.shadow(silhouette, (frame.side * 0.03, frame.side * 0.045),
                      frame.side * 0.025, 0.28)
    if quill["rim"] > 0:
        canvas.paint(canvas.mask(vane_outline, nib_outline, shaft_outline,
                                 grow=quill["rim"]), QUILL_DARK)
    canvas.paint(shaft, QUILL_DARK)
    canvas.paint(vane, QUILL_BLUE)
    canvas.paint(nib, NIB_COLOUR)
    if quill["spine"] > 0:
        canvas.paint(ImageChops.multiply(
            spine_mask(canvas, spine, quill["spine"] * total / 2), vane),
            QUILL_SHAFT)


def spine_mask(canvas, spine, radius):
    # The spine stops short of the feather's tip, where the vane closes.
    usable = spine[:int(len(spine) * 0.9)]
    shape = Image.new("L", (canvas.size, canvas.size), 0)
    draw = ImageDraw.Draw(shape)
    for a, b in zip(usable, usable[1:]):
        draw.polygon(capsule(a, b, radius, steps=6), fill=255)
    return shape


def notch(direction, total, right_edge, at, depth):
    """A small V cut into the right edge of the vane, slanting towards the
    top, the way the barbs of a real feather part."""
    edge = right_edge[int(at * (len(right_edge) - 1))]
    inward = perpendicular(direction)
    reach = depth * total
    deepest = add(add(edge, scale(inward, reach)),
                  scale(direction, reach * 0.9))
    outside = add(edge, scale(inward, -reach))
    return [add(edge, scale(direction, -reach * 0.12)), deepest,
            add(edge, scale(direction, reach * 0.30)),
            add(outside, scale(direction, reach * 0.3)),
            add(outside, scale(direction, -reach * 0.12))]


def render(style, size):
    oversample = max(4, 512 // size)
    big = size * oversample
    canvas = Canvas(big)
    frame = NoteFrame((style["centre"][0] * big, style["centre"][1] * big),
                      style["side"] * big, style["tilt"])
    scaled = dict(style)
    scaled["outline"] = style["outline"] * oversample
    scaled["quill"] = dict(style["quill"])
    scaled["quill"]["rim"] = style["quill"]["rim"] * oversample
    draw_note(canvas, frame, scaled)
    draw_quill(canvas, frame, scaled)
    return canvas.result(size, sharp_edges=style["tilt"] == 0)


# ------------------------------------------------------------------ styles
#
# Positions are fractions of the picture; "side" is the note's width; note
# coordinates (lines, quill tip) run 0..1 across the note. Outline and rim
# widths are in final pixels, so they stay crisp at every size.

FULL_QUILL = {
    "tip": (0.60, 0.79), "angle": 58, "length": 0.98,
    "vane_start": 0.26, "width": 0.085, "bend": -0.05,
    "nib": 0.14, "nib_width": 0.05, "shaft": 0.022, "spine": 0.012,
    "rim": 0, "notches": [(0.42, 0.05), (0.66, 0.04)],
}

FULL_STYLE = {
    "centre": (0.45, 0.52), "side": 0.70, "tilt": -8,
    "corner": 0.045, "fold": 0.22, "header": 0.21,
    "outline": 4, "outline_colour": (214, 198, 112),
    "shadow": True,
    "lines": [(0.40, 0.12, 0.86), (0.54, 0.12, 0.80), (0.68, 0.12, 0.50)],
    "line_width": 0.036,
    "quill": FULL_QUILL,
}


def pixel_note(size, left, top, side, header, lines, line_width):
    """Style values for an upright note laid on whole pixels: `left`, `top`,
    `side` and `header` in pixels, each line as (row centre, first column,
    last column) in pixels."""
    def across(px):
        return px / side
    return {
        "centre": ((left + side / 2) / size, (top + side / 2) / size),
        "side": side / size, "tilt": 0, "header": across(header),
        "lines": [(across(row - top), across(first - left),
                   across(last - left)) for row, first, last in lines],
        "line_width": across(line_width),
    }


ICON_STYLES = {
    256: dict(FULL_STYLE, outline=2, outline_colour=NOTE_OUTLINE),
    64: dict(FULL_STYLE, outline=1, outline_colour=NOTE_OUTLINE,
             shadow=False,
             quill=dict(FULL_QUILL, notches=[(0.5, 0.06)], spine=0.02)),
    48: dict(FULL_STYLE, outline=1, outline_colour=NOTE_OUTLINE,
             shadow=False,
             lines=[(0.42, 0.12, 0.84), (0.62, 0.12, 0.48)],
             line_width=0.06,
             quill=dict(FULL_QUILL, notches=[], spine=0.025, width=0.09)),
    32: dict(FULL_STYLE, outline=1, outline_colour=NOTE_OUTLINE,
             shadow=False, corner=0.06, fold=0.30,
             **pixel_note(32, 2, 6, 24, 6,
                          [(15, 5.5, 19.5), (20, 5.5, 12.5)], 2),
             quill=dict(FULL_QUILL, tip=(0.50, 0.78), angle=48, length=1.0,
                        width=0.09, notches=[], spine=0, rim=0.5,
                        nib_width=0.08, shaft=0.04)),
    16: dict(FULL_STYLE, outline=1, outline_colour=NOTE_OUTLINE,
             shadow=False, corner=0.08, fold=0.32,
             **pixel_note(16, 1, 4, 11, 3, [(8.5, 3, 6)], 1),
             quill=dict(FULL_QUILL, tip=(0.40, 0.78), angle=50, length=1.20,
                        width=0.12, vane_start=0.33, notches=[], spine=0,
                        rim=0.35, nib=0.16, nib_width=0.12, shaft=0.08)),
}


# --------------------------------------------------------------- ico file

def dib_image(image):
    """A 32-bit BGRA bitmap as stored in an icon: header with the doubled
    height, bottom-up pixel rows, then the 1-bit AND mask (1 = transparent)."""
    width, height = image.size
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 32, 0,
                         0, 0, 0, 0, 0)
    pixels = bytearray()
    mask = bytearray()
    mask_stride = ((width + 31) // 32) * 4
    rgba = image.load()
    for y in reversed(range(height)):
        row_mask = bytearray(mask_stride)
        for x in range(width):
            r, g, b, a = rgba[x, y]
            if a == 0:
                r = g = b = 0
                row_mask[x // 8] |= 0x80 >> (x % 8)
            pixels += bytes((b, g, r, a))
        mask += row_mask
    return header + bytes(pixels) + bytes(mask)


def png_bytes(image):
    stream = io.BytesIO()
    image.save(stream, format="PNG", optimize=True)
    return stream.getvalue()


def write_ico(path, images):
    ordered = sorted(images, key=lambda im: im.size[0])
    blobs = [png_bytes(im) if im.size[0] >= PNG_ICON_MIN_SIZE else dib_image(im)
             for im in ordered]
    directory = struct.pack("<HHH", 0, 1, len(ordered))
    offset = 6 + 16 * len(ordered)
    entries = b""
    for image, blob in zip(ordered, blobs):
        width, height = image.size
        entries += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0,
                               1, 32, len(blob), offset)
        offset += len(blob)
    path.write_bytes(directory + entries + b"".join(blobs))


def require(condition, message):
    if not condition:
        raise SystemExit(f"quillboard.ico: {message}")


def check_ico(path):
    """Reads the icon back and checks it holds exactly the expected images,
    each 32 bits per pixel."""
    data = path.read_bytes()
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    require((reserved, kind, count) == (0, 1, len(ICON_SIZES)),
            f"header says type {kind} with {count} images")
    found = []
    for index in range(count):
        width, height, colours, _, planes, bits, size, offset = \
            struct.unpack_from("<BBBBHHII", data, 6 + 16 * index)
        width = width or 256
        height = height or 256
        require((colours, planes, bits) == (0, 1, 32),
                f"image {index} is not 32-bit")
        require(offset + size <= len(data), f"image {index} runs past the end")
        blob = data[offset:offset + size]
        if blob.startswith(b"\x89PNG\r\n\x1a\n"):
            picture = Image.open(io.BytesIO(blob))
            require(picture.mode == "RGBA" and picture.size == (width, height),
                    f"PNG image {index} is {picture.mode} {picture.size}")
            found.append((width, height, "PNG"))
        else:
            header = struct.unpack_from("<IiiHHI", blob, 0)
            require(header == (40, width, height * 2, 1, 32, 0),
                    f"bitmap image {index} has header {header}")
            mask_bytes = ((width + 31) // 32) * 4 * height
            require(size == 40 + width * height * 4 + mask_bytes,
                    f"bitmap image {index} has {size} bytes")
            found.append((width, height, "BMP"))
    require(all(w == h for w, h, _ in found), "an image is not square")
    require([w for w, _, _ in found] == list(ICON_SIZES),
            f"sizes are {[w for w, _, _ in found]}")
    return found


# ---------------------------------------------------------------- preview

def write_preview(path, logo, icons):
    """On white: the logo at splash size and each icon at its own size; below,
    the 16 and 32 pixel icons enlarged pixel by pixel, and the small icons on
    a dark strip as on a dark taskbar."""
    gap = 24
    label_height = 14
    sheet = Image.new("RGBA", (760, 470), (255, 255, 255, 255))
    draw = ImageDraw.Draw(sheet)

    def place(picture, x, bottom, label):
        sheet.alpha_composite(picture, (x, bottom - picture.size[1]))
        draw.text((x, bottom + 4), label, fill=(120, 120, 120))
        return x + picture.size[0] + gap

    x = gap
    baseline = gap + 256
    x = place(logo.resize((116, 116), Image.LANCZOS), x, baseline,
              "logo 116")
    for size in ICON_SIZES:
        x = place(icons[size], x, baseline, f"{size}")

    x = gap
    baseline = baseline + label_height + gap + 128
    for size, zoom in ((16, 8), (32, 4)):
        x = place(icons[size].resize((size * zoom, size * zoom),
                                     Image.NEAREST),
                  x, baseline, f"{size} x{zoom}")
    strip = Image.new("RGBA", (250, 128), (32, 32, 36, 255))
    strip_x = 16
    for size in (16, 32, 48):
        strip.alpha_composite(icons[size], (strip_x, 64 - size // 2))
        strip_x += size + 20
    strip.alpha_composite(icons[16].resize((64, 64), Image.NEAREST),
                          (strip_x, 32))
    place(strip, x, baseline, "on a dark taskbar")
    sheet.convert("RGB").save(path, optimize=True)


def main():
    logo = render(FULL_STYLE, LOGO_SIZE)
    logo.save(RESOURCES_DIR / "logo.png", optimize=True)
    splash_logo = logo.resize((SPLASH_LOGO_SIZE, SPLASH_LOGO_SIZE), Image.LANCZOS)
    splash_logo.save(RESOURCES_DIR / "logo_splash.bmp")  # 32-bit, with alpha

    icons = {size: render(ICON_STYLES[size], size) for size in ICON_SIZES}
    ico_path = RESOURCES_DIR / "quillboard.ico"
    write_ico(ico_path, [icons[s] for s in ICON_SIZES])
    for width, height, kind in check_ico(ico_path):
        print(f"icon image {width}x{height} 32-bit {kind}")

    docs = REPO_DIR / "docs"
    docs.mkdir(exist_ok=True)
    write_preview(docs / "logo-preview.png", logo, icons)
    print("wrote logo.png, logo_splash.bmp, quillboard.ico, docs/logo-preview.png")


if __name__ == "__main__":
    main()
