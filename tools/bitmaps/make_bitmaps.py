#!/usr/bin/env python3
"""Draws the program's own bitmaps into resources/bitmaps/ as 24-bit Windows BMP files at 96 dpi.

The logo (a pager with its antenna and the words "Tarvil 32" in a small hand-made pixel font),
the exit button's power symbol, the receipt window's paper wallpaper, the chat window's lamps,
link bars and hang-up handset, the options window's play button, and the three pictures the
chat-link progress window's marquee cycles through. Every picture comes from
this file alone, so a change to a bitmap is reviewed here. Run it by hand after changing it:

    python3 tools/bitmaps/make_bitmaps.py
"""

import math
import pathlib
import struct

OUT = pathlib.Path(__file__).resolve().parents[2] / "resources" / "bitmaps"

# One palette for all of them. Pictures that sit on a button or a face have the button face
# grey behind them.
PALETTE = {
    ".": 0xC0C0C0,  # button face
    "K": 0x000000,  # outline
    "S": 0x404040,  # pager body
    "D": 0x808080,  # shadow
    "W": 0xFFFFFF,  # highlight
    "N": 0x000080,  # lettering
    "r": 0x800000,  # dark red
    "R": 0xFF0000,  # red
    "p": 0xFF9090,  # red highlight
    "g": 0x008000,  # dark green
    "G": 0x00FF00,  # green
    "q": 0xB0FFB0,  # green highlight
    "y": 0x808000,  # dark yellow
    "Y": 0xFFFF00,  # yellow
    "L": 0x9CC89C,  # pager display
}


class Image:
    def __init__(self, width, height, background="."):
        self.width = width
        self.height = height
        self.pixels = [[PALETTE[background]] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = PALETTE[colour] if isinstance(colour, str) else colour

    def art(self, x0, y0, rows):
        """Pixel art: one letter of the palette a pixel; a blank leaves what is there."""
        for y, row in enumerate(rows):
            for x, letter in enumerate(row):
                if letter != " ":
                    self.put(x0 + x, y0 + y, letter)

    def rect(self, x0, y0, width, height, colour):
        for y in range(y0, y0 + height):
            for x in range(x0, x0 + width):
                self.put(x, y, colour)

    def shape(self, inside, colour):
        """Sets every pixel whose centre `inside(x, y)` accepts."""
        for y in range(self.height):
            for x in range(self.width):
                if inside(x + 0.5, y + 0.5):
                    self.put(x, y, colour)

    def save(self, name):
        # Bottom-up rows of blue, green, red, each padded to four bytes.
        row_size = (self.width * 3 + 3) & ~3
        data = bytearray()
        for row in reversed(self.pixels):
            for colour in row:
                data += bytes((colour & 0xFF, colour >> 8 & 0xFF, colour >> 16))
            data += bytes(row_size - self.width * 3)
        pixels_per_metre = 3780  # 96 dpi
        info = struct.pack("<IiiHHIIiiII", 40, self.width, self.height, 1, 24, 0, len(data),
                           pixels_per_metre, pixels_per_metre, 0, 0)
        header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(data), 0, 0, 14 + len(info))
        (OUT / name).write_bytes(header + info + data)


# The logo's lettering: 12 rows from the top of the capitals to the base line.
GLYPHS = {
    "T": ["########", "########"] + ["   ##   "] * 10,
    "a": ["       "] * 4 + [" ##### ", "     ##", "     ##", " ######", "##   ##", "##   ##",
                            "##  ###", " ### ##"],
    "r": ["      "] * 4 + ["## ###", "######", "###   "] + ["##    "] * 5,
    "v": ["       "] * 4 + ["##   ##"] * 4 + [" ## ## ", " ## ## ", "  ###  ", "   #   "],
    "i": ["##", "##", "  ", "  "] + ["##"] * 8,
    "l": ["##"] * 12,
    " ": ["    "] * 12,
    "3": [" ##### ", "#######", "##   ##", "     ##", "     ##", "  #### ", "  #### ", "     ##",
          "     ##", "##   ##", "#######", " ##### "],
    "2": [" ##### ", "#######", "##   ##", "     ##", "    ###", "   ### ", "  ###  ", " ###   ",
          "###    ", "##     ", "#######", "#######"],
}


def lettering(image, x, y, text, colour):
    """Writes `text` with a grey drop shadow; returns the x after it."""
    for letter in text:
        glyph = GLYPHS[letter]
        for dx, dy, ink in ((1, 1, "D"), (0, 0, colour)):
            image.art(x + dx, y + dy, [row.replace("#", ink) for row in glyph])
        x += len(glyph[0]) + 1
    return x


# A pager whose antenna sends: a dark body, a display with two lines of text, three keys and
# a red lamp.
PAGER = [
    "       N         N    ",
    "      N   N   N   N   ",
    "      N  N KKK N  N   ",
    "      N  N KKK N  N   ",
    "      N  N KKK N  N   ",
    "      N   N K N   N   ",
    "       N    K    N    ",
    "            K         ",
    " KKKKKKKKKKKKKKKKKK   ",
    "KSSSSSSSSSSSSSSSSSSK  ",
    "KSKKKKKKKKKKKKKKKKSKD ",
    "KSKLLLLLLLLLLLLLLKSKD ",
    "KSKLggggLgggLggLLKSKD ",
    "KSKLLLLLLLLLLLLLLKSKD ",
    "KSKLgggLgggggLLLLKSKD ",
    "KSKLLLLLLLLLLLLLLKSKD ",
    "KSKKKKKKKKKKKKKKKKSKD ",
    "KSSSSSSSSSSSSSSSSSSKD ",
    "KSSWDSSWDSSWDSSSRSSKD ",
    "KSSDDSSDDSSDDSSSSSSKD ",
    "KSSSSSSSSSSSSSSSSSSKD ",
    " KKKKKKKKKKKKKKKKKK D ",
    "  DDDDDDDDDDDDDDDDDD  ",
]


def logo():
    image = Image(96, 26)
    image.art(3, 2, PAGER)
    x = lettering(image, 28, 7, "Tarvil", "N")
    lettering(image, x, 7, " 32", "r")
    image.save("logo.bmp")


def power():
    # An open ring with a bar through its gap, dark red, on the button face.
    image = Image(18, 18)
    cx, cy = 9, 9.5

    def ring(x, y):
        distance = math.hypot(x - cx, y - cy)
        opening = abs(x - cx) < 3.2 and y < cy
        return 4.6 <= distance <= 7.0 and not opening

    image.shape(ring, "r")
    image.rect(8, 1, 2, 9, "r")
    image.save("exit.bmp")


def wallpaper():
    # Cream paper with faint ruled lines and a light grain; 32 pixels square, so it tiles.
    image = Image(32, 32)
    seed = 12345
    for y in range(32):
        for x in range(32):
            seed = (seed * 1103515245 + 12345) & 0x7FFFFFFF
            grain = (seed >> 16) % 7 - 3
            base = (0xEC, 0xE8, 0xDA) if y % 8 == 7 else (0xF7, 0xF4, 0xE8)
            r, g, b = (min(255, channel + grain) for channel in base)
            image.put(x, y, r << 16 | g << 8 | b)
    image.save("wallpaper.bmp")


def lamp(name, rim, lit, shine):
    # A round lamp behind a black rim: lit colour, darker towards the lower right, a shine.
    image = Image(16, 16)
    c = 8
    image.shape(lambda x, y: math.hypot(x - c, y - c) <= 7.2, "K")
    image.shape(lambda x, y: math.hypot(x - c, y - c) <= 6.2, rim)
    image.shape(lambda x, y: math.hypot(x - c + 0.8, y - c + 0.8) <= 5.0, lit)
    image.shape(lambda x, y: math.hypot(x - 5.6, y - 5.4) <= 1.6, shine)
    image.save(name)


def link_clear():
    # The link-down indicator while the link is up: the place of the red bar, empty.
    image = Image(48, 16)
    image.rect(0, 0, 48, 16, "D")
    image.rect(1, 1, 46, 14, ".")
    image.save("link_clear.bmp")


def link_bar(name, rim, colour, shine, joined):
    # A lit bar, 48 by 16, with a line between two ends: whole when the link is up, broken in
    # the middle when it is down.
    image = Image(48, 16)
    image.rect(0, 0, 48, 16, "K")
    image.rect(1, 1, 46, 14, rim)
    image.rect(2, 2, 44, 12, colour)
    image.rect(2, 2, 44, 1, shine)
    for end in (10, 38):
        image.shape(lambda x, y, end=end: math.hypot(x - end, y - 8) <= 3.0, "K")
    if joined:
        image.rect(10, 7, 28, 2, "K")
    else:
        image.rect(10, 7, 9, 2, "K")
        image.rect(29, 7, 9, 2, "K")
    image.save(name)


# The hang-up button: a handset put down.
HANDSET = [
    "                    ",
    "                    ",
    "                    ",
    "                    ",
    "                    ",
    "     rrrrrrrrrr     ",
    "   rrRRRRRRRRRRrr   ",
    "  rRRppppppppppRRr  ",
    " rRRpRRRRRRRRRRRRRr ",
    " rRRRRRrrrrrrrRRRRr ",
    " rRRRRr      rRRRRr ",
    " rRRRRr      rRRRRr ",
    " rRRRr        rRRRr ",
    "  rrr          rrr  ",
    "                    ",
    "                    ",
    "                    ",
    "                    ",
    "                    ",
    "                    ",
]


def play():
    # A green triangle pointing right, in a black rim.
    image = Image(16, 16)

    def triangle(inset):
        left, tip = 4.5 + inset, 12.5 - inset * 1.9
        top, bottom = 2.0 + inset * 1.9, 14.0 - inset * 1.9
        slope = (bottom - top) / 2 / (tip - left)
        return lambda x, y: left <= x and abs(y - (top + bottom) / 2) <= (tip - x) * slope

    image.shape(triangle(0), "K")
    image.shape(triangle(0.9), "G")
    image.save("play.bmp")


def link_wait(frame):
    # Two pagers under a night sky with a signal between their antennas: a dim arc of dots on
    # which three bright ones travel from left to right, a third of the way each frame.
    image = Image(148, 84, "N")
    for x0 in (8, 118):
        image.rect(x0 + 12, 56, 1, 8, "D")
        image.art(x0, 64, PAGER[7:])
    dots = 9
    for dot in range(dots):
        t = dot / (dots - 1)
        cx = 20.5 + t * 110
        cy = 51.5 - 160 * t * (1 - t)
        lit = dot // 3 == frame
        radius = 3.0 if lit else 1.8
        image.shape(lambda x, y, cx=cx, cy=cy, r=radius: math.hypot(x - cx, y - cy) <= r,
                    "Y" if lit else "y")
    image.save(f"link_wait{frame + 1}.bmp")


def art_bitmap(name, rows):
    image = Image(len(rows[0]), len(rows))
    image.art(0, 0, rows)
    image.save(name)


def main():
    OUT.mkdir(parents=True, exist_ok=True)
    logo()
    power()
    wallpaper()
    lamp("lamp_green.bmp", "g", "G", "q")
    lamp("lamp_red.bmp", "r", "R", "p")
    link_bar("link_down.bmp", "r", "R", "p", joined=False)
    link_bar("link_up.bmp", "y", "Y", "W", joined=True)
    link_bar("link_open.bmp", "y", "Y", "W", joined=False)
    link_clear()
    art_bitmap("hangup.bmp", HANDSET)
    play()
    for frame in range(3):
        link_wait(frame)


if __name__ == "__main__":
    main()
