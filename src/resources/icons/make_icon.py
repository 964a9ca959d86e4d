#!/usr/bin/env python3
"""Draws the program icon (a note head on a chart sheet) as PNG files.

Run from this folder: python3 make_icon.py. Only the standard library is
used, so the icon can be redrawn on any machine.
"""
import math
import struct
import zlib

SIZES = (32, 48, 128, 256)
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


def render(size):
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


if __name__ == "__main__":
    for s in SIZES:
        with open(f"ojn-tevrik-editor-{s}.png", "wb") as f:
            f.write(png(s, render(s)))
