#!/usr/bin/env python3
"""Draws the Hopdirs icon (an open yellow folder with a white sheet sticking out) as a 16-colour
.ico with 16, 20, 24, 32, 40 and 48 pixel images (the sizes the notification area and the title
bars ask for at 100 to 200 % scaling). Run it again after changing the drawing; the .ico is committed."""
import struct
import sys

# The standard 16-colour palette, as (r, g, b).
PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
           (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
           (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
BLACK, OLIVE, SILVER, GREY, YELLOW, WHITE = 0, 3, 7, 8, 11, 15
CLEAR = None


# The drawing on each image's own pixel grid: the small one is laid out by hand, since scaling
# the large one down leaves ragged edges at 16 pixels. The other sizes scale the nearest of the
# two (SCALED: size -> the layout it is drawn from).
LAYOUT = {
    32: dict(tab=(1, 6, 11, 9), back=(1, 8, 26, 29), sheet=(8, 1, 24, 22), lines=(5, 9, 13, 17),
             line_x=(11, 22), line_colour=GREY, flap=(14, 29, 6, 1, 31, 26)),
    16: dict(tab=(0, 1, 5, 3), back=(0, 3, 12, 14), sheet=(4, 0, 11, 9), lines=(2, 4, 6),
             line_x=(6, 9), line_colour=GREY, flap=(7, 14, 3, 0, 15, 12)),
}


SCALED = {16: 16, 20: 16, 24: 32, 32: 32, 40: 32, 48: 32}
SIZES = sorted(SCALED)


def draw(n):
    """Returns an n x n grid of palette indices (None = transparent)."""
    base = SCALED[n]
    s = n / base
    layout = LAYOUT[base]
    px = [[CLEAR] * n for _ in range(n)]

    def rect(x0, y0, x1, y1, fill, edge=BLACK):
        x0, y0, x1, y1 = (round(v * s) for v in (x0, y0, x1, y1))
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                on_edge = x in (x0, x1) or y in (y0, y1)
                px[y][x] = edge if on_edge and edge is not None else fill

    def flap(top, bottom, left_top, left_bottom, right_top, right_bottom):
        top, bottom = round(top * s), round(bottom * s)
        for y in range(top, bottom + 1):
            t = (y - top) / max(1, bottom - top)
            xl = round((left_top + (left_bottom - left_top) * t) * s)
            xr = round((right_top + (right_bottom - right_top) * t) * s)
            for x in range(xl, xr + 1):
                on_edge = x in (xl, xr) or y in (top, bottom)
                px[y][x] = BLACK if on_edge else YELLOW
            if y == top + 1 and xr - xl > 3:  # a highlight along the flap's upper edge
                for x in range(xl + 1, xr):
                    px[y][x] = WHITE if n >= 32 else YELLOW

    rect(*layout["tab"], OLIVE)         # the folder's tab
    rect(*layout["back"], OLIVE)        # the folder's back
    rect(*layout["sheet"], WHITE)       # the sheet sticking out
    for y in layout["lines"]:           # lines of text on the sheet
        for x in range(round(layout["line_x"][0] * s), round(layout["line_x"][1] * s) + 1):
            px[round(y * s)][x] = layout["line_colour"]
    flap(*layout["flap"])               # the open front flap
    return px


def bitmap(n):
    px = draw(n)
    header = struct.pack('<IiiHHIIiiII', 40, n, 2 * n, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b''.join(struct.pack('BBBB', b, g, r, 0) for r, g, b in PALETTE)
    xor = bytearray()
    for row in reversed(px):  # bottom-up
        line = bytearray()
        for x in range(0, n, 2):
            hi = row[x] if row[x] is not None else 0
            lo = row[x + 1] if row[x + 1] is not None else 0
            line.append(hi << 4 | lo)
        xor += line + b'\0' * (-len(line) % 4)
    mask = bytearray()
    for row in reversed(px):
        bits = 0
        line = bytearray()
        for x in range(n):
            bits = bits << 1 | (1 if row[x] is None else 0)
            if x % 8 == 7:
                line.append(bits)
                bits = 0
        if n % 8:  # a width that is not a whole number of bytes: the last bits, left-aligned
            line.append(bits << (8 - n % 8) & 0xFF)
        mask += line + b'\0' * (-len(line) % 4)
    return header + palette + bytes(xor) + bytes(mask)


def main(path):
    images = [bitmap(n) for n in SIZES]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for n, data in zip(SIZES, images):
        out += struct.pack('<BBBBHHII', n, n, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    with open(path, 'wb') as f:
        f.write(out + b''.join(images))


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'src/app/hopdirs.ico')
