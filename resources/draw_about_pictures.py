#!/usr/bin/env python3
"""Draws the About box's button skins and the splash picture as 24-bit BMPs.

Run from anywhere: python3 resources/draw_about_pictures.py
Writes, beside this script:
  skin-sysinfo-{up,over,down}.bmp, skin-exit-{up,over,down}.bmp
      55x31; outside the rounded button shape every pixel is the key colour
      RGB(0xC0, 0xC0, 0xFF) (0x00FFC0C0 in the platform's BGR order), which the
      button control treats as transparent. The caption is drawn by the
      control, so the skins carry none.
  splash.bmp
      266x144; the top-left pixel's colour (magenta) is cut away when the
      splash window is shaped, so it appears only outside the shape.
The committed bitmaps are this script's output; edit the drawing here and run
it again rather than editing the pictures by hand.
"""
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

SKIN_W, SKIN_H = 55, 31
SKIN_KEY = (0xC0, 0xC0, 0xFF)          # RGB; stored as 0x00FFC0C0
SPLASH_W, SPLASH_H = 266, 144
SPLASH_KEY = (0xFF, 0x00, 0xFF)

INK = (0x11, 0x11, 0x33)               # the About box's text colour


def write_bmp(path, pixels):
    """pixels[y][x] = (r, g, b), top row first; writes a bottom-up 24-bit BMP."""
    h = len(pixels)
    w = len(pixels[0])
    stride = (w * 3 + 3) & ~3
    image = bytearray()
    for row in reversed(pixels):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += b"\0" * (stride - len(line))
        image += line
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(image), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(image), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + image)


def mix(a, b, t):
    t = max(0.0, min(1.0, t))
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def inside_round_rect(x, y, x0, y0, x1, y1, r):
    """Pixel centre (x+.5, y+.5) inside the rectangle [x0, x1) x [y0, y1) with corner radius r."""
    px, py = x + 0.5, y + 0.5
    if not (x0 <= px < x1 and y0 <= py < y1):
        return False
    cx = min(max(px, x0 + r), x1 - r)
    cy = min(max(py, y0 + r), y1 - r)
    return (px - cx) ** 2 + (py - cy) ** 2 <= r * r


# --- Button skins ----------------------------------------------------------

SKIN_STYLES = {
    # state: (top colour, bottom colour, border, highlight line, pressed)
    "up": ((236, 236, 250), (164, 164, 214), INK, (255, 255, 255), False),
    "over": ((255, 248, 222), (226, 190, 120), (0x55, 0x22, 0x11), (255, 255, 240), False),
    "down": ((132, 132, 188), (206, 206, 238), INK, None, True),
}


def skin(state, accent):
    top, bottom, border, shine, pressed = SKIN_STYLES[state]
    img = [[SKIN_KEY] * SKIN_W for _ in range(SKIN_H)]
    x0, y0, x1, y1, r = 1, 1, SKIN_W - 1, SKIN_H - 1, 9
    for y in range(SKIN_H):
        for x in range(SKIN_W):
            if not inside_round_rect(x, y, x0, y0, x1, y1, r):
                continue
            if not inside_round_rect(x, y, x0 + 1, y0 + 1, x1 - 1, y1 - 1, r - 1):
                img[y][x] = border
                continue
            img[y][x] = mix(top, bottom, (y - y0) / (y1 - y0))
    # A glint under the top edge (raised), or a shadow there (pressed).
    for x in range(x0 + 6, x1 - 6):
        y = y0 + 2
        if pressed:
            img[y][x] = mix(img[y][x], INK, 0.35)
        elif shine:
            img[y][x] = mix(img[y][x], shine, 0.8)
    # A small accent mark at the right end tells the two buttons apart at a glance.
    cx, cy = x1 - 9, (y0 + y1) // 2 + (1 if pressed else 0)
    for y in range(cy - 2, cy + 3):
        for x in range(cx - 2, cx + 3):
            if (x - cx) ** 2 + (y - cy) ** 2 <= 5:
                img[y][x] = accent
    return img


def check_skin(img):
    """The key colour must stay outside the shape: a key pixel inside would be a hole."""
    for y in range(SKIN_H):
        for x in range(SKIN_W):
            inside = inside_round_rect(x, y, 1, 1, SKIN_W - 1, SKIN_H - 1, 9)
            assert inside == (img[y][x] != SKIN_KEY), (x, y)
    for x in range(SKIN_W):
        assert img[0][x] == SKIN_KEY and img[SKIN_H - 1][x] == SKIN_KEY


# --- Splash ----------------------------------------------------------------

# 5x7 capitals, enough for the splash's words.
GLYPHS = {
    "A": ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    "D": ["11110", "10001", "10001", "10001", "10001", "10001", "11110"],
    "E": ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    "F": ["11111", "10000", "10000", "11110", "10000", "10000", "10000"],
    "G": ["01110", "10001", "10000", "10111", "10001", "10001", "01111"],
    "I": ["01110", "00100", "00100", "00100", "00100", "00100", "01110"],
    "L": ["10000", "10000", "10000", "10000", "10000", "10000", "11111"],
    "N": ["10001", "11001", "10101", "10011", "10001", "10001", "10001"],
    "O": ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    "T": ["11111", "00100", "00100", "00100", "00100", "00100", "00100"],
    "V": ["10001", "10001", "10001", "10001", "10001", "01010", "00100"],
    " ": ["00000"] * 7,
}


def text(img, s, x, y, scale, gap, colour, shadow=None):
    for ch in s:
        rows = GLYPHS[ch]
        for gy, row in enumerate(rows):
            for gx, bit in enumerate(row):
                if bit != "1":
                    continue
                for dy in range(scale):
                    for dx in range(scale):
                        if shadow:
                            img[y + gy * scale + dy + 2][x + gx * scale + dx + 2] = shadow
                        img[y + gy * scale + dy][x + gx * scale + dx] = colour
        x += 5 * scale + gap
    return x


def text_width(s, scale, gap):
    return len(s) * (5 * scale + gap) - gap


def splash():
    img = [[SPLASH_KEY] * SPLASH_W for _ in range(SPLASH_H)]
    # The card: a rounded panel with a dark rim and a soft vertical gradient.
    px0, py0, px1, py1, pr = 6, 16, 246, 138, 18
    # The clock badge overlapping the card's top-right corner.
    bcx, bcy, br = 232, 36, 30

    def in_badge(x, y, r):
        return (x + 0.5 - bcx) ** 2 + (y + 0.5 - bcy) ** 2 <= r * r

    for y in range(SPLASH_H):
        for x in range(SPLASH_W):
            card = inside_round_rect(x, y, px0, py0, px1, py1, pr)
            badge = in_badge(x, y, br)
            if not (card or badge):
                continue
            inner_card = inside_round_rect(x, y, px0 + 3, py0 + 3, px1 - 3, py1 - 3, pr - 3)
            inner_badge = in_badge(x, y, br - 3)
            if badge and inner_badge:
                img[y][x] = mix((255, 246, 200), (240, 200, 110), (y - (bcy - br)) / (2 * br))
            elif card and inner_card and not badge:
                img[y][x] = mix((226, 226, 246), (160, 160, 212), (y - py0) / (py1 - py0))
            else:
                img[y][x] = INK
    # Clock hands at ten to two: the minutes that pass before the logoff.
    for t in range(0, 22):
        img[bcy - t][bcx] = INK
        img[bcy - t][bcx + 1] = INK
    for t in range(0, 16):
        x = bcx - t
        y = bcy - t // 2
        img[y][x] = INK
        img[y + 1][x] = INK
    for a in range(12):
        ang = a * math.pi / 6
        tx = int(round(bcx + math.sin(ang) * (br - 8)))
        ty = int(round(bcy - math.cos(ang) * (br - 8)))
        for dy in (0, 1):
            for dx in (0, 1):
                img[ty + dy - 1][tx + dx - 1] = INK

    title = "TOLLVANE"
    text(img, title, 18, 50, 4, 2, INK, shadow=(120, 120, 180))
    sub = "IDLE LOGOFF"
    text(img, sub, 20, 96, 2, 3, (0x55, 0x22, 0x11))
    # An envelope in the lower right corner of the card.
    ex0, ey0, ex1, ey1 = 190, 94, 232, 124
    for y in range(ey0, ey1):
        for x in range(ex0, ex1):
            edge = x in (ex0, ex1 - 1) or y in (ey0, ey1 - 1)
            img[y][x] = INK if edge else (255, 255, 255)
    for x in range(ex0, ex1):
        t = (x - ex0) if x - ex0 < (ex1 - ex0) // 2 else (ex1 - 1 - x)
        y = ey0 + t * (ey1 - ey0 - 8) // ((ex1 - ex0) // 2)
        img[y][x] = INK
    return img


def check_splash(img):
    assert len(img) == SPLASH_H and len(img[0]) == SPLASH_W
    assert img[0][0] == SPLASH_KEY
    # Every card pixel away from the edge is drawn, so the shape has no stray holes.
    for y in range(30, 120):
        for x in range(30, 200):
            assert img[y][x] != SPLASH_KEY, (x, y)


def main():
    accents = {"sysinfo": (0x22, 0x66, 0x22), "exit": (0xAA, 0x22, 0x22)}
    for name, accent in accents.items():
        for state in ("up", "over", "down"):
            img = skin(state, accent)
            check_skin(img)
            write_bmp(os.path.join(HERE, "skin-%s-%s.bmp" % (name, state)), img)
    img = splash()
    check_splash(img)
    write_bmp(os.path.join(HERE, "splash.bmp"), img)


if __name__ == "__main__":
    main()
