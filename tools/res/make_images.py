#!/usr/bin/env python3
"""Draws the program's icon (res/kraxed.ico) and splash picture (res/splash.bmp).

Run by hand after changing the drawing; the results are kept in res/ so a
build needs no Python. Everything here is drawn from these few lines.
"""
import os
import struct

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "res")

# A 5 x 7 block font, just the letters the splash needs.
FONT = {
    "K": ["X...X", "X..X.", "X.X..", "XX...", "X.X..", "X..X.", "X...X"],
    "R": ["XXXX.", "X...X", "X...X", "XXXX.", "X.X..", "X..X.", "X...X"],
    "A": [".XXX.", "X...X", "X...X", "XXXXX", "X...X", "X...X", "X...X"],
    "X": ["X...X", "X...X", ".X.X.", "..X..", ".X.X.", "X...X", "X...X"],
    "O": [".XXX.", "X...X", "X...X", "X...X", "X...X", "X...X", ".XXX."],
    "L": ["X....", "X....", "X....", "X....", "X....", "X....", "XXXXX"],
    "N": ["X...X", "XX..X", "X.X.X", "X..XX", "X...X", "X...X", "X...X"],
    "E": ["XXXXX", "X....", "X....", "XXXX.", "X....", "X....", "XXXXX"],
    "D": ["XXXX.", "X...X", "X...X", "X...X", "X...X", "X...X", "XXXX."],
    "I": ["XXX", ".X.", ".X.", ".X.", ".X.", ".X.", "XXX"],
    "T": ["XXXXX", "..X..", "..X..", "..X..", "..X..", "..X..", "..X.."],
    " ": ["...", "...", "...", "...", "...", "...", "..."],
}


def bomb_pixel(x, y, size):
    """The icon: a round bomb with a lit fuse on a grass-green tile."""
    s = size / 32.0
    cx, cy, r = 15 * s, 18 * s, 10 * s
    dx, dy = x + 0.5 - cx, y + 0.5 - cy
    d2 = dx * dx + dy * dy
    if d2 <= r * r:
        # shading: a highlight up and left
        hx, hy = x + 0.5 - (cx - 4 * s), y + 0.5 - (cy - 4 * s)
        if hx * hx + hy * hy <= (2.5 * s) ** 2:
            return (200, 200, 230)
        return (40, 40, 70) if d2 > (r - 1.5 * s) ** 2 else (70, 70, 110)
    # the fuse: a short diagonal above the bomb
    for t in range(0, 8):
        fx, fy = (19 + t * 0.6) * s, (8 - t * 0.6) * s
        if abs(x + 0.5 - fx) < 1.0 * s and abs(y + 0.5 - fy) < 1.0 * s:
            return (160, 110, 60)
    # the spark
    sx, sy = 24.5 * s, 3.5 * s
    if abs(x + 0.5 - sx) + abs(y + 0.5 - sy) < 2.5 * s:
        return (255, 230, 60)
    # tile with a darker grid line
    if x % max(1, int(8 * s)) == 0 or y % max(1, int(8 * s)) == 0:
        return (40, 120, 40)
    return (60, 160, 60)


def icon_image(size):
    """One ICO image: 32-bit BGRA bottom-up DIB plus a 1-bit AND mask."""
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = []
    for y in range(size - 1, -1, -1):
        row = b""
        for x in range(size):
            r, g, b = bomb_pixel(x, y, size)
            row += bytes((b, g, r, 255))
        rows.append(row)
    mask_row = b"\0" * (((size + 31) // 32) * 4)
    return header + b"".join(rows) + mask_row * size


def write_icon():
    images = [icon_image(32), icon_image(16)]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip((32, 16), images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(images)
    with open(os.path.join(ROOT, "kraxed.ico"), "wb") as f:
        f.write(out)


def splash_pixels(width, height):
    """The splash: the program's name in block letters over a dusk gradient,
    with a row of little bricks along the bottom."""
    pix = [[(0, 0, 0)] * width for _ in range(height)]
    for y in range(height):
        for x in range(width):
            t = y / (height - 1)
            pix[y][x] = (int(30 + 60 * t), int(20 + 30 * t), int(90 - 40 * t))
    for y in range(height - 5, height):
        for x in range(width):
            mortar = y == height - 5 or (x + (8 if y >= height - 2 else 0)) % 16 == 0
            pix[y][x] = (90, 60, 40) if mortar else (170, 90, 50)
    text = "KRAXOLAN EDITOR"
    scale = 2
    widths = [len(FONT[c][0]) for c in text]
    total = sum(w + 1 for w in widths) * scale - scale
    x0, y0 = (width - total) // 2, 4
    for c, w in zip(text, widths):
        for gy, line in enumerate(FONT[c]):
            for gx, ch in enumerate(line):
                if ch != "X":
                    continue
                for sy in range(scale):
                    for sx in range(scale):
                        px, py = x0 + gx * scale + sx, y0 + gy * scale + sy
                        # shadow first, then the letter
                        if py + 1 < height and px + 1 < width:
                            pix[py + 1][px + 1] = (20, 10, 30)
                        pix[py][px] = (255, 210, 80) if gy < 4 else (240, 150, 40)
        x0 += (w + 1) * scale
    return pix


def write_splash():
    width, height = 234, 29
    pix = splash_pixels(width, height)
    stride = (width * 3 + 3) // 4 * 4
    data = b""
    for y in range(height - 1, -1, -1):
        row = b"".join(bytes((b, g, r)) for r, g, b in pix[y])
        data += row + b"\0" * (stride - len(row))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 14 + 40)
    with open(os.path.join(ROOT, "splash.bmp"), "wb") as f:
        f.write(head + info + data)


if __name__ == "__main__":
    write_icon()
    write_splash()
