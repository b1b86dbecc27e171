#!/usr/bin/env python3
"""Draws Tollvane's icons (16 colours; 32, 24, 20 and 16 pixels square) into .ico files.

The tray loads its pictures at the system's small-icon size: 16 pixels at 100 %
(and on Windows XP), 20 at 125 %, 24 at 150 %, 32 at 200 %.

Run from anywhere: python3 resources/draw_pictures.py
The committed .ico files are this script's output; edit the drawing here and
run it again rather than editing the icons by hand.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

# The standard 16-colour palette, index -> (r, g, b).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DARKRED, DARKGREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER = range(8)
GREY, RED, GREEN, YELLOW, BLUE, MAGENTA, CYAN, WHITE = range(8, 16)
CLEAR = None
SIZES = (32, 24, 20, 16)


def canvas(n):
    return [[CLEAR] * n for _ in range(n)]


def rect(img, x0, y0, x1, y1, c):
    """Fills [x0, x1) x [y0, y1) in unit coordinates (0..1)."""
    n = len(img)
    for y in range(n):
        for x in range(n):
            fx, fy = (x + 0.5) / n, (y + 0.5) / n
            if x0 <= fx < x1 and y0 <= fy < y1:
                img[y][x] = c


def line(img, ax, ay, bx, by, width, c):
    """A thick segment in unit coordinates."""
    n = len(img)
    for y in range(n):
        for x in range(n):
            px, py = (x + 0.5) / n, (y + 0.5) / n
            dx, dy = bx - ax, by - ay
            t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
            qx, qy = ax + t * dx, ay + t * dy
            if (px - qx) ** 2 + (py - qy) ** 2 <= (width / 2) ** 2:
                img[y][x] = c


def disc(img, cx, cy, r, c):
    n = len(img)
    for y in range(n):
        for x in range(n):
            px, py = (x + 0.5) / n, (y + 0.5) / n
            if (px - cx) ** 2 + (py - cy) ** 2 <= r * r:
                img[y][x] = c


def envelope(img, body, edge):
    """A letter: the mail client's identity the program looks after."""
    rect(img, 0.06, 0.22, 0.94, 0.80, edge)
    rect(img, 0.12, 0.28, 0.88, 0.74, body)
    w = 2.0 / len(img)
    line(img, 0.10, 0.26, 0.50, 0.56, w, edge)
    line(img, 0.90, 0.26, 0.50, 0.56, w, edge)


def app_icon(n):
    img = canvas(n)
    envelope(img, WHITE, NAVY)
    disc(img, 0.76, 0.74, 0.20, NAVY)
    disc(img, 0.76, 0.74, 0.15, YELLOW)
    line(img, 0.76, 0.74, 0.76, 0.64, 1.5 / n, BLACK)
    line(img, 0.76, 0.74, 0.84, 0.74, 1.5 / n, BLACK)
    return img


def watching(n, lamp):
    img = canvas(n)
    envelope(img, WHITE, TEAL)
    disc(img, 0.78, 0.76, 0.18, BLACK)
    disc(img, 0.78, 0.76, 0.13, lamp)
    return img


def not_watching(n):
    img = canvas(n)
    envelope(img, SILVER, GREY)
    w = max(3.0 / n, 0.14)
    line(img, 0.18, 0.18, 0.82, 0.82, w, RED)
    line(img, 0.82, 0.18, 0.18, 0.82, w, RED)
    return img


def bmp_entry(img):
    """One icon image: BITMAPINFOHEADER, palette, 4-bit XOR rows, 1-bit AND rows (bottom-up)."""
    n = len(img)
    header = struct.pack("<IiiHHIIiiII", 40, n, n * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    xor_rows, and_rows = [], []
    for y in reversed(range(n)):
        row = img[y]
        nibbles = [(c if c is not None else 0) for c in row]
        data = bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, n, 2))
        xor_rows.append(data + b"\0" * ((-len(data)) % 4))
        bits = 0
        mask = bytearray()
        for i, c in enumerate(row):
            bits = (bits << 1) | (1 if c is None else 0)
            if i % 8 == 7:
                mask.append(bits)
                bits = 0
        if n % 8:
            mask.append(bits << (8 - n % 8))
        mask += b"\0" * ((-len(mask)) % 4)
        and_rows.append(bytes(mask))
    return header + palette + b"".join(xor_rows) + b"".join(and_rows)


def write_ico(name, painter):
    images = [painter(n) for n in SIZES]
    entries = [bmp_entry(i) for i in images]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for img, data in zip(images, entries):
        n = len(img)
        out += struct.pack("<BBBBHHII", n, n, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    out += b"".join(entries)
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(out)


def main():
    write_ico("tollvane.ico", app_icon)
    write_ico("watching-even.ico", lambda n: watching(n, GREEN))
    write_ico("watching-odd.ico", lambda n: watching(n, YELLOW))
    write_ico("not-watching.ico", not_watching)


if __name__ == "__main__":
    main()
