#!/usr/bin/env python3
"""Draws the program icon (a note head on a chart sheet) and the chart
file icon (a page carrying the program icon) as PNG files for Linux
desktops, and both as .ico files for the Windows programs.

Run from this folder: python3 make_icon.py. Only the standard library is
used, so the icons can be redrawn on any machine.
"""
import math
import struct
import zlib

SIZES = (32, 48, 128, 256)
ICO_SIZES = (16, 24, 32, 48, 64, 256)  # what Explorer asks for, at any scale
SAMPLES = 4  # supersampling per axis, for smooth edges


def inside_rounded_rect(x, y, x0, y0, x1, y1, r):
    cx = min(max(x, x0 + r), x1 - r)
    cy = min(max(y, y0 + r), y1 - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r and x0 <= x <= x1 and y0 <= y <= y1


def inside_ellipse(x, y, cx, cy, rx, ry, angle):
    c, s = math.cos(angle), math.sin(angle)
    dx, dy = x - cx, y - cy
    u = (dx * c + dy * s) / rx
    v = (-dx * s + dy * c) / ry
    return u * u + v * v <= 1.0


def colour_at(x, y):
    """Colour of the unit-square point (x, y), or None where transparent."""
    if not inside_rounded_rect(x, y, 0.03, 0.03, 0.97, 0.97, 0.16):
        return None
    # Sheet: deep blue fading to violet from top to bottom.
    top, bottom = (28, 52, 120), (96, 40, 140)
    colour = tuple(int(a + (b - a) * y) for a, b in zip(top, bottom))
    # Three lanes of a chart, as thin light lines.
    for lane in (0.30, 0.50, 0.70):
        if abs(x - lane) < 0.018 and 0.12 < y < 0.88:
            colour = (150, 170, 230)
    # A note: head, stem and flag, in warm yellow.
    yellow = (255, 204, 64)
    if inside_ellipse(x, y, 0.42, 0.70, 0.15, 0.105, -0.45):
        colour = yellow
    if 0.535 <= x <= 0.585 and 0.22 <= y <= 0.68:
        colour = yellow
    if 0.56 <= x <= 0.80 and inside_ellipse(x, y, 0.585, 0.33, 0.22, 0.10, 0.9) \
            and not inside_ellipse(x, y, 0.57, 0.42, 0.20, 0.10, 0.9):
        colour = yellow
    return colour


def chart_colour_at(x, y):
    """The chart file icon: a page with its top right corner folded over,
    two lines of text, and the program icon below them."""
    x0, y0, x1, y1, fold, edge = 0.15, 0.03, 0.85, 0.97, 0.24, 0.03
    if not (x0 <= x <= x1 and y0 <= y <= y1 and (x1 - x) + (y - y0) >= fold):
        return None
    if x >= x1 - fold and y <= y0 + fold:
        return (190, 198, 220)  # the folded flap
    if (x < x0 + edge or x > x1 - edge or y > y1 - edge or y < y0 + edge
            or (x1 - x) + (y - y0) < fold + edge * 1.4):
        return (110, 120, 150)  # the page's outline
    for top, right in ((0.15, 0.55), (0.24, 0.65)):
        if top <= y <= top + 0.045 and 0.25 <= x <= right:
            return (160, 168, 190)
    box_x, box_y, box_size = 0.25, 0.38, 0.5
    if box_x <= x <= box_x + box_size and box_y <= y <= box_y + box_size:
        colour = colour_at((x - box_x) / box_size, (y - box_y) / box_size)
        if colour is not None:
            return colour
    return (250, 250, 252)


def render(size, colour_at=colour_at):
    rows = []
    for py in range(size):
        row = bytearray([0])  # PNG filter type: none
        for px in range(size):
            acc = [0, 0, 0]
            hits = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    c = colour_at((px + (sx + 0.5) / SAMPLES) / size,
                                  (py + (sy + 0.5) / SAMPLES) / size)
                    if c is not None:
                        hits += 1
                        for i in range(3):
                            acc[i] += c[i]
            alpha = round(255 * hits / (SAMPLES * SAMPLES))
            rgb = [round(a / hits) for a in acc] if hits else [0, 0, 0]
            row += bytes(rgb + [alpha])
        rows.append(bytes(row))
    return b"".join(rows)


def png(size, pixels):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(pixels, 9)) + chunk(b"IEND", b""))


def ico(pngs):
    """An .ico file holding the given (size, PNG bytes) images."""
    header = struct.pack("<HHH", 0, 1, len(pngs))
    entries, data = b"", b""
    offset = len(header) + 16 * len(pngs)
    for size, image in pngs:
        # Width and height 0 mean 256.
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32,
                               len(image), offset + len(data))
        data += image
    return header + entries + data


if __name__ == "__main__":
    for name, draw in (("ojn-tevrik-editor", colour_at),
                       ("application-x-o2jam-ojn", chart_colour_at)):
        images = {s: png(s, render(s, draw)) for s in sorted(set(SIZES + ICO_SIZES))}
        for s in SIZES:
            with open(f"{name}-{s}.png", "wb") as f:
                f.write(images[s])
        with open(f"{name}.ico", "wb") as f:
            f.write(ico([(s, images[s]) for s in ICO_SIZES]))
