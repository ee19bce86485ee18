#!/usr/bin/env python3
"""Draws the display order window's drag pictures as 16-colour bitmaps:
res/dragone.bmp (88 x 16), a dotted box with a dotted line along its top
edge to the right end, and res/dragmany.bmp (89 x 16), two such boxes
stacked with a small offset. White is the background, which the drag image
list takes as transparent."""
import os
import struct

WHITE, GREY = 15, 8
# The 16 standard VGA colours, as red, green, blue.
PALETTE = [(0, 0, 0), (0, 0, 128), (0, 128, 0), (0, 128, 128), (128, 0, 0), (128, 0, 128),
           (128, 128, 0), (192, 192, 192), (128, 128, 128), (0, 0, 255), (0, 255, 0),
           (0, 255, 255), (255, 0, 0), (255, 0, 255), (255, 255, 0), (255, 255, 255)]


def dotted_box(pixels, left, top, size):
    for i in range(size):
        for x, y in ((left + i, top), (left + i, top + size - 1),
                     (left, top + i), (left + size - 1, top + i)):
            if (x + y) % 2 == 0:
                pixels[y][x] = GREY


def picture(width, boxes):
    pixels = [[WHITE] * width for _ in range(16)]
    for left, top in boxes:
        dotted_box(pixels, left, top, 11)
    top = boxes[0][1]
    for x in range(boxes[-1][0] + 11, width):
        if (x + top) % 2 == 0:
            pixels[top][x] = GREY
    return pixels


def write_bmp(path, pixels):
    height, width = len(pixels), len(pixels[0])
    stride = ((width * 4 + 31) // 32) * 4
    rows = b""
    for row in reversed(pixels):
        data = bytearray()
        for x in range(0, width, 2):
            high = row[x]
            low = row[x + 1] if x + 1 < width else 0
            data.append((high << 4) | low)
        rows += bytes(data) + b"\0" * (stride - len(data))
    palette = b"".join(struct.pack("<BBBB", blue, green, red, 0) for (red, green, blue) in PALETTE)
    header_size = 14 + 40 + len(palette)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(rows), 2835, 2835, 16, 16)
    with open(path, "wb") as out:
        out.write(struct.pack("<2sIHHI", b"BM", header_size + len(rows), 0, 0, header_size))
        out.write(info + palette + rows)


here = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "res")
write_bmp(os.path.join(here, "dragone.bmp"), picture(88, [(0, 2)]))
write_bmp(os.path.join(here, "dragmany.bmp"), picture(89, [(0, 1), (3, 4)]))
