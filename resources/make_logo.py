#!/usr/bin/env python3
"""Draws Kaleidra's rollout logo: 318 x 56, 24-bit, uncompressed, bottom-up BMP.

A kaleidoscope rosette at each end and the word KALEIDRA in a tiny built-in pixel font,
on a deep blue ground. Standard library only; the output is the same on every run.
Usage: make_logo.py [output.bmp]   (default: logo.bmp beside this script)
"""
import colorsys
import math
import os
import struct
import sys

WIDTH, HEIGHT = 318, 56

# 5 x 7 glyphs, one string per row, '#' = ink.
GLYPHS = {
    "K": ["#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"],
    "A": [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "L": ["#....", "#....", "#....", "#....", "#....", "#....", "#####"],
    "E": ["#####", "#....", "#....", "####.", "#....", "#....", "#####"],
    "I": ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "#####"],
    "D": ["####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."],
    "R": ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
}
WORD = "KALEIDRA"
SCALE = 4


def background(x, y):
    t = y / (HEIGHT - 1)
    return (0.06 + 0.04 * t, 0.07 + 0.05 * t, 0.20 + 0.10 * t)


def rosette(x, y, cx, cy, radius, hue0):
    """A 12-fold mirrored pattern, or None outside the disc."""
    dx, dy = x + 0.5 - cx, y + 0.5 - cy
    r = math.hypot(dx, dy) / radius
    if r > 1.0:
        return None
    sector = math.pi / 6
    a = math.atan2(dy, dx) % (2 * sector)
    if a > sector:
        a = 2 * sector - a  # mirror, as the kaleidoscope's glass does
    u = r * math.cos(a)
    v = r * math.sin(a)
    wave = math.sin(9.0 * u + 3.0) * math.cos(14.0 * v) + math.sin(6.0 * r * r - 2.0 * a)
    hue = (hue0 + 0.18 * wave + 0.25 * r) % 1.0
    sat = 0.55 + 0.35 * abs(math.sin(5.0 * u))
    val = 0.45 + 0.5 * (0.5 + 0.5 * math.cos(7.0 * r + 4.0 * v))
    edge = min(1.0, (1.0 - r) * radius / 1.5)  # soft rim
    rgb = colorsys.hsv_to_rgb(hue, sat, val)
    return tuple(c * edge for c in rgb), edge


def text_ink(x, y, left, top):
    gx, gy = (x - left) // SCALE, (y - top) // SCALE
    if gy < 0 or gy >= 7 or gx < 0:
        return False
    letter, column = divmod(gx, 6)
    if letter >= len(WORD) or column == 5:
        return False
    return GLYPHS[WORD[letter]][gy][column] == "#"


def pixel(x, y):
    bg = background(x, y)
    text_width = len(WORD) * 6 * SCALE - SCALE
    left, top = (WIDTH - text_width) // 2, (HEIGHT - 7 * SCALE) // 2
    if text_ink(x, y, left, top):
        t = (y - top) / (7 * SCALE)
        return (1.0, 0.86 - 0.25 * t, 0.38 - 0.2 * t)
    if text_ink(x - 1, y - 1, left, top):
        return tuple(c * 0.4 for c in bg)  # drop shadow
    for cx, hue0 in ((28.0, 0.55), (WIDTH - 28.0, 0.85)):
        hit = rosette(x, y, cx, HEIGHT / 2, 25.0, hue0)
        if hit is not None:
            rgb, edge = hit
            return tuple(p + b * (1.0 - edge) for p, b in zip(rgb, bg))
    return bg


def to_byte(c):
    return max(0, min(255, int(round(c * 255.0))))


def bmp_bytes():
    row_size = (WIDTH * 3 + 3) // 4 * 4
    rows = []
    for y in range(HEIGHT - 1, -1, -1):  # bottom-up
        row = bytearray()
        for x in range(WIDTH):
            r, g, b = pixel(x, y)
            row += bytes((to_byte(b), to_byte(g), to_byte(r)))
        row += bytes(row_size - len(row))
        rows.append(bytes(row))
    pixels = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + pixels


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "logo.bmp")
    with open(out, "wb") as f:
        f.write(bmp_bytes())


if __name__ == "__main__":
    main()
