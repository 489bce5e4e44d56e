#!/usr/bin/env python3
"""Draws the pictures of the shared library's resource tree: three Windows bitmaps (the
maker, VXI and LXI logos) and two PNG files (splash and about box). Plain Python, no
imaging library: a 5x7 block font and rectangles. Run from softfrontpanel_lib/resources."""
import struct
import zlib

FONT = {
    'T': ["11111", "00100", "00100", "00100", "00100", "00100", "00100"],
    'O': ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    'R': ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    'M': ["10001", "11011", "10101", "10101", "10001", "10001", "10001"],
    'E': ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    'L': ["10000", "10000", "10000", "10000", "10000", "10000", "11111"],
    'V': ["10001", "10001", "10001", "10001", "10001", "01010", "00100"],
    'X': ["10001", "10001", "01010", "00100", "01010", "10001", "10001"],
    'I': ["11111", "00100", "00100", "00100", "00100", "00100", "11111"],
    'B': ["11110", "10001", "10001", "11110", "10001", "10001", "11110"],
    'S': ["01111", "10000", "10000", "01110", "00001", "00001", "11110"],
    'A': ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    'N': ["10001", "11001", "10101", "10011", "10001", "10001", "10001"],
    'P': ["11110", "10001", "10001", "11110", "10000", "10000", "10000"],
    'F': ["11111", "10000", "10000", "11110", "10000", "10000", "10000"],
    'U': ["10001", "10001", "10001", "10001", "10001", "10001", "01110"],
    '4': ["00010", "00110", "01010", "10010", "11111", "00010", "00010"],
    '8': ["01110", "10001", "10001", "01110", "10001", "10001", "01110"],
    '3': ["11110", "00001", "00001", "01110", "00001", "00001", "11110"],
    '0': ["01110", "10001", "10011", "10101", "11001", "10001", "01110"],
    ' ': ["00000"] * 7,
}

NAVY, WHITE, GOLD, GREY, BLUE = (0x1a, 0x2c, 0x5e), (255, 255, 255), (0xe0, 0xa8, 0x20), \
    (0xd8, 0xd8, 0xd8), (0x00, 0x5a, 0x9c)


def canvas(w, h, bg):
    return [[bg] * w for _ in range(h)]


def rect(img, x0, y0, x1, y1, color):
    for y in range(y0, y1):
        for x in range(x0, x1):
            img[y][x] = color


def text(img, s, x, y, scale, color):
    for ch in s:
        for r, row in enumerate(FONT[ch]):
            for c, bit in enumerate(row):
                if bit == '1':
                    rect(img, x + c * scale, y + r * scale, x + (c + 1) * scale,
                         y + (r + 1) * scale, color)
        x += 6 * scale


def bmp(path, img):
    h, w = len(img), len(img[0])
    rowsize = (w * 3 + 3) & ~3
    data = b''
    for row in reversed(img):  # Windows bitmaps store the bottom row first
        line = b''.join(struct.pack('BBB', b, g, r) for (r, g, b) in row)
        data += line + b'\0' * (rowsize - len(line))
    header = struct.pack('<2sIHHI', b'BM', 54 + len(data), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, 'wb') as f:
        f.write(header + info + data)


def png(path, img):
    h, w = len(img), len(img[0])
    raw = b''.join(b'\0' + b''.join(struct.pack('BBB', *p) for p in row) for row in img)

    def chunk(kind, body):
        return struct.pack('>I', len(body)) + kind + body + \
            struct.pack('>I', zlib.crc32(kind + body) & 0xffffffff)
    out = b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 2, 0, 0, 0))
    out += chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b'')
    with open(path, 'wb') as f:
        f.write(out)


img = canvas(96, 40, NAVY)
rect(img, 3, 4, 7, 36, GOLD)
text(img, "TORMEL", 12, 13, 2, WHITE)
bmp('tormel-logo.bmp', img)

# The two bus logos: a white frame around a coloured field with the bus's name.
for name, field in (("VXI", NAVY), ("LXI", BLUE)):
    img = canvas(64, 40, WHITE)
    rect(img, 2, 2, 62, 38, field)
    text(img, name, 6, 6, 3, WHITE)
    bmp(name.lower() + '-logo.bmp', img)

img = canvas(320, 120, NAVY)
rect(img, 0, 100, 320, 104, GOLD)
text(img, "ORBISA 4830", 28, 24, 4, WHITE)
text(img, "SOFT FRONT PANEL", 64, 70, 2, GOLD)
png('fp_splash.png', img)

img = canvas(160, 96, GREY)
rect(img, 0, 0, 160, 24, NAVY)
text(img, "ABOUT", 50, 5, 2, WHITE)
text(img, "TORMEL", 44, 44, 2, NAVY)
text(img, "4830", 56, 68, 2, GOLD)
png('about.png', img)
