#!/usr/bin/env python3
"""Compares PNG pictures pixel by pixel: same_pictures.py DIR_A DIR_B NAME...

Prints each name with the number of pixels that differ and exits non-zero when any
picture differs or is missing. Reads 8-bit greyscale, RGB and RGBA PNGs without
interlacing (what the game and the usual tools write); alpha is ignored.
"""
import struct
import sys
import zlib


def read_png(path):
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError(f"{path}: not a PNG")
    pos, idat, header = 8, b"", None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    width, height, depth, colour, _, _, interlace = header
    channels = {0: 1, 2: 3, 6: 4, 4: 2}.get(colour)
    if depth != 8 or channels is None or interlace:
        raise ValueError(f"{path}: unsupported PNG layout")
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, previous, pos = [], bytearray(stride), 0
    for _ in range(height):
        kind, line = raw[pos], bytearray(raw[pos + 1:pos + 1 + stride])
        pos += 1 + stride
        for i in range(stride):
            a = line[i - channels] if i >= channels else 0
            b = previous[i]
            c = previous[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + a) & 255
            elif kind == 2:
                line[i] = (line[i] + b) & 255
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                pred = a if pa <= pb and pa <= pc else (b if pb <= pc else c)
                line[i] = (line[i] + pred) & 255
        rows.append(line)
        previous = line
    pixels = []
    for line in rows:
        for x in range(width):
            px = line[x * channels:(x + 1) * channels]
            pixels.append(tuple(px[:3]) if channels >= 3 else (px[0],) * 3)
    return width, height, pixels


def main():
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    a_dir, b_dir, names = sys.argv[1], sys.argv[2], sys.argv[3:]
    bad = 0
    for name in names:
        try:
            wa, ha, pa = read_png(f"{a_dir}/{name}")
            wb, hb, pb = read_png(f"{b_dir}/{name}")
        except (OSError, ValueError) as e:
            print(f"{name}: {e}")
            bad += 1
            continue
        if (wa, ha) != (wb, hb):
            print(f"{name}: sizes differ ({wa}x{ha} and {wb}x{hb})")
            bad += 1
            continue
        differ = sum(1 for x, y in zip(pa, pb) if x != y)
        print(f"{name}: {wa}x{ha}, {differ} pixels differ")
        bad += differ != 0
    sys.exit(1 if bad else 0)


if __name__ == "__main__":
    main()
