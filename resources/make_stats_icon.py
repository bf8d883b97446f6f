#!/usr/bin/env python3
"""Writes stats_icon.ico beside this script: the windows' icon, a small pale-yellow window with a
title bar, lines of text and the highlighted band row, at 16x16 and doubled to 32x32."""
import os
import struct

PICTURE = [
    "................",
    "bbbbbbbbbbbbbbbb",
    "bbbbbbbbbbbbbbbb",
    "kyyyyyyyyyyyyyyk",
    "kykkyykkkyykkkyk",
    "kyyyyyyyyyyyyyyk",
    "kcccccccccccccck",
    "kckkcckkkcckkkck",
    "kcccccccccccccck",
    "kyyyyyyyyyyyyyyk",
    "kykkyykkkyykkkyk",
    "kyyyyyyyyyyyyyyk",
    "kykkyykkkyykkkyk",
    "kyyyyyyyyyyyyyyk",
    "kkkkkkkkkkkkkkkk",
    "................",
]

# Red, green, blue; "." is transparent.
COLOURS = {
    "b": (40, 70, 150),
    "k": (0, 0, 0),
    "y": (255, 250, 198),
    "c": (198, 255, 255),
}


def scaled(picture, factor):
    return ["".join(ch * factor for ch in row) for row in picture for _ in range(factor)]


def icon_image(rows):
    """One image as an icon resource stores it: header, colour rows and mask rows, bottom up."""
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytearray()
    mask = bytearray()
    mask_stride = ((size + 31) // 32) * 4
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, ch in enumerate(row):
            if ch == ".":
                pixels += bytes((0, 0, 0, 0))
                bits[x // 8] |= 0x80 >> (x % 8)
            else:
                r, g, b = COLOURS[ch]
                pixels += bytes((b, g, r, 255))
        mask += bits
    return header + bytes(pixels) + bytes(mask)


def main():
    images = [(16, icon_image(PICTURE)), (32, icon_image(scaled(PICTURE, 2)))]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries = b""
    data = b""
    for size, image in images:
        entries += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset + len(data))
        data += image
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "stats_icon.ico")
    with open(path, "wb") as out:
        out.write(directory + entries + data)


if __name__ == "__main__":
    main()
