#!/usr/bin/env python3
"""Draws the sample stereo pair samples/stereo_pair.png: one simple scene seen
from two eyes, the left view and the right view side by side (1600 x 480).

Objects nearer to the viewer are drawn with a larger horizontal disparity, so
the interlaced output shows them in front of the screen. Standard library only.
"""
import os
import struct
import zlib

VIEW_W, VIEW_H = 800, 480


def scene(eye):
    """Pixel rows (lists of (r, g, b)) of one view; eye is -1 (left) or +1 (right)."""
    rows = []
    # Objects: (kind, centre x, centre y, size, disparity in pixels, colour).
    objects = [
        ("rect", 400, 240, 300, 0, (40, 90, 160)),      # the screen plane
        ("disc", 250, 200, 90, 12, (230, 180, 40)),     # in front
        ("disc", 560, 300, 70, -8, (60, 190, 90)),      # behind
        ("rect", 420, 330, 80, 20, (220, 60, 60)),      # nearest
    ]
    for y in range(VIEW_H):
        row = []
        for x in range(VIEW_W):
            # Background: a soft vertical gradient with a checker for depth cues.
            shade = 200 - y * 120 // VIEW_H
            if ((x // 40) + (y // 40)) % 2:
                shade -= 20
            colour = (shade, shade, shade + 20)
            for kind, cx, cy, size, disparity, c in objects:
                ox = cx - eye * disparity // 2
                if kind == "disc":
                    inside = (x - ox) ** 2 + (y - cy) ** 2 <= size * size
                else:
                    inside = abs(x - ox) <= size // 2 and abs(y - cy) <= size // 2
                if inside:
                    colour = c
            row.append(colour)
        rows.append(row)
    return rows


def write_png(path, width, height, rows):
    raw = b"".join(b"\x00" + bytes(v for px in row for v in px) for row in rows)

    def chunk(tag, data):
        body = tag + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", header))
        f.write(chunk(b"IDAT", zlib.compress(raw, 9)))
        f.write(chunk(b"IEND", b""))


def main():
    left, right = scene(-1), scene(+1)
    rows = [l + r for l, r in zip(left, right)]
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "samples", "stereo_pair.png")
    write_png(os.path.normpath(out), 2 * VIEW_W, VIEW_H, rows)


if __name__ == "__main__":
    main()
