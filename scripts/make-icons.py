#!/usr/bin/env python3
"""Draws the program's icons (res/keystave.ico, res/banner.ico) as 32-bit ICO files."""
import math
import struct
import sys


def key_pixel(x, y, size, body, accent):
    """A key lying across a rounded tile; coordinates scaled to a 32 grid."""
    s = 32.0 / size
    fx, fy = (x + 0.5) * s, (y + 0.5) * s
    corner = 6
    inside_tile = True
    for cx, cy in ((corner, corner), (32 - corner, corner), (corner, 32 - corner), (32 - corner, 32 - corner)):
        if (fx < corner or fx > 32 - corner) and (fy < corner or fy > 32 - corner):
            if math.hypot(fx - cx, fy - cy) > corner:
                inside_tile = False
    if not inside_tile:
        return (0, 0, 0, 0)
    ring = math.hypot(fx - 10, fy - 16)
    if 3 < ring < 7:
        return accent
    if 16 <= fx <= 28 and 14.5 <= fy <= 17.5:
        return accent
    if (20 <= fx <= 22 or 25 <= fx <= 27) and 17.5 <= fy <= 22:
        return accent
    return body


def bitmap(size, body, accent):
    rows = []
    for y in range(size - 1, -1, -1):  # bottom-up
        row = b""
        for x in range(size):
            r, g, b, a = key_pixel(x, y, size, body, accent)
            row += struct.pack("BBBB", b, g, r, a)
        rows.append(row)
    pixels = b"".join(rows)
    mask_row = ((size + 31) // 32) * 4
    mask = b"\0" * (mask_row * size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    return header + pixels + mask


def write_icon(path, body, accent, sizes=(16, 32, 48)):
    images = [bitmap(s, body, accent) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for s, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", s % 256, s % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    folder = sys.argv[1] if len(sys.argv) > 1 else "res"
    write_icon(folder + "/keystave.ico", (28, 84, 160, 255), (250, 204, 60, 255))
    write_icon(folder + "/banner.ico", (40, 120, 60, 255), (255, 255, 255, 255))
