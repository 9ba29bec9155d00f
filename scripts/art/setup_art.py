"""Draws the installer's artwork into setup/res/: its icon, two picture buttons and banner."""

import os

from pixelart import (BLACK, BLUE, DARK_BLUE, DARK_GREEN, DARK_GREY, DARK_RED, DARK_YELLOW, GREEN,
                      LIGHT_GREY, RED, TRANSPARENT, WHITE, YELLOW, BOLD_FONT, Canvas, draw_text,
                      text_width, write_bmp_4bpp, write_ico)

RES_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "setup", "res")

LEGEND = {
    ".": TRANSPARENT, "K": BLACK, "Y": YELLOW, "y": DARK_YELLOW, "G": GREEN, "g": DARK_GREEN,
    "d": DARK_GREY, "W": WHITE,
}

# The small icon, drawn pixel by pixel: the open box and the green arrow going into it.
ICON_16 = [
    ".....KKKKK......",
    ".....KGGgK......",
    ".....KGGgK......",
    ".....KGGgKKKKKK.",
    "...KKKGGgKYYYYK.",
    "..KYKGGGGgKYYYK.",
    ".KYYKKGGgKYYYK..",
    "KYYYYKKGKKKKKK..",
    "KYYKKddKdddKKK..",
    ".KKKddddddKyyK..",
    ".KKKKKKKKKyyyK..",
    ".KYYYYYYYKyyyK..",
    ".KYyyyyYYKyyyK..",
    ".KYYYYYYYKyyK...",
    ".KYYYYYYYKKK....",
    ".KKKKKKKKK......",
]


def open_box(canvas):
    """A yellow cardboard box seen from above left, open, its back and left flaps folded out."""
    canvas.fill_polygon([(10, 13), (26, 13), (28, 6), (12, 6)], YELLOW, BLACK)
    canvas.fill_polygon([(2, 19), (10, 13), (7, 8), (0, 14)], YELLOW, BLACK)
    canvas.fill_polygon([(2, 19), (18, 19), (26, 13), (10, 13)], BLACK, BLACK)
    canvas.fill_polygon([(2, 19), (18, 19), (18, 31), (2, 31)], YELLOW, BLACK)
    canvas.fill_polygon([(18, 19), (26, 13), (26, 25), (18, 31)], DARK_YELLOW, BLACK)
    canvas.line(5, 24, 14, 24, DARK_YELLOW)
    canvas.line(5, 26, 11, 26, DARK_YELLOW)


def down_arrow(canvas, left, top, width, shaft, stem, body, shade):
    """A down arrow width pixels wide, its shaft shaft wide and stem tall, shaded at the right."""
    half = width // 2
    shaft_left = left + (width - shaft) // 2
    shaft_right = shaft_left + shaft - 1
    head_top = top + stem
    tip = (left + half, head_top + half)
    canvas.fill_polygon([(shaft_left, top), (shaft_right, top), (shaft_right, head_top),
                         (left + width - 1, head_top), tip, (left, head_top),
                         (shaft_left, head_top)], body, BLACK)
    canvas.line(shaft_right - 1, top + 1, shaft_right - 1, head_top, shade)
    canvas.line(left + width - 3, head_top + 1, tip[0] + 1, tip[1] - 1, shade)


def diskette(canvas, left, top):
    """A 20x20 grey diskette: metal shutter at the top, white label below, one corner cut."""
    right, bottom = left + 19, top + 19
    canvas.fill_rect(left, top, right, bottom, DARK_GREY)
    canvas.line(left, top, right - 2, top, LIGHT_GREY)
    canvas.line(left, top, left, bottom, LIGHT_GREY)
    canvas.fill_rect(right - 1, top, right, top, BLACK)
    canvas.set(right, top + 1, BLACK)
    canvas.set(right - 1, top + 1, LIGHT_GREY)
    canvas.fill_rect(left + 5, top + 1, right - 4, top + 7, LIGHT_GREY)
    canvas.line(left + 5, top + 1, right - 4, top + 1, WHITE)
    canvas.fill_rect(right - 7, top + 2, right - 6, top + 6, BLACK)
    canvas.fill_rect(left + 3, top + 10, right - 3, bottom, WHITE)
    canvas.line(left + 5, top + 12, right - 5, top + 12, BLUE)
    canvas.line(left + 5, top + 14, right - 7, top + 14, BLUE)
    canvas.line(left + 5, top + 16, right - 6, top + 16, BLUE)


def door(canvas, left, top):
    """A 17x34 doorway with its grey door swung open inwards, the door's edge painted red."""
    right, bottom = left + 16, top + 33
    canvas.fill_rect(left, top, right, bottom, LIGHT_GREY)
    canvas.line(left, top, right, top, WHITE)
    canvas.line(left, top, left, bottom, WHITE)
    canvas.fill_rect(left + 2, top + 2, right - 2, bottom, DARK_BLUE)
    canvas.line(left + 2, top + 2, right - 2, top + 2, BLACK)
    canvas.set(right - 5, top + 8, WHITE)
    canvas.set(right - 3, top + 13, LIGHT_GREY)
    canvas.set(right - 6, top + 17, WHITE)
    canvas.fill_polygon([(left + 2, top + 2), (left + 9, top + 5), (left + 9, bottom - 3),
                         (left + 2, bottom)], LIGHT_GREY, DARK_GREY)
    canvas.fill_rect(left + 10, top + 5, left + 11, bottom - 3, RED)
    canvas.line(left + 11, top + 5, left + 11, bottom - 3, DARK_RED)
    canvas.fill_rect(left + 7, top + 17, left + 8, top + 18, YELLOW)
    canvas.set(left + 8, top + 18, DARK_YELLOW)


def screwdriver(canvas, left, top):
    """A 36x36 screwdriver lying from bottom left to top right: grooved red handle, steel shaft."""
    canvas.fill_polygon([(left, top + 31), (left + 4, top + 35), (left + 17, top + 22),
                         (left + 13, top + 18)], RED, DARK_RED)
    canvas.fill_polygon([(left + 3, top + 34), (left + 4, top + 35), (left + 17, top + 22),
                         (left + 16, top + 21)], DARK_RED)
    canvas.line(left + 2, top + 31, left + 13, top + 20, WHITE)
    canvas.line(left + 5, top + 32, left + 14, top + 23, DARK_RED)
    canvas.fill_polygon([(left + 15, top + 19), (left + 18, top + 22), (left + 21, top + 19),
                         (left + 18, top + 16)], LIGHT_GREY, DARK_GREY)
    canvas.line(left + 20, top + 17, left + 32, top + 5, WHITE)
    canvas.line(left + 21, top + 17, left + 33, top + 5, LIGHT_GREY)
    canvas.line(left + 21, top + 18, left + 33, top + 6, DARK_GREY)
    canvas.fill_rect(left + 33, top + 3, left + 34, top + 4, LIGHT_GREY)
    canvas.set(left + 35, top + 3, DARK_GREY)
    canvas.set(left + 34, top + 5, DARK_GREY)


def label(canvas, left, top, text, colour, shadow):
    """Draws a button label in the bold face with a one-pixel shadow."""
    draw_text(canvas, BOLD_FONT, left, top, text, colour, shadow=shadow)


def install_button():
    """The 101x41 install button: a red arrow down onto a diskette, and the word Install."""
    canvas = Canvas(101, 41, BLACK)
    word = "Install"
    left = (101 - (20 + 7 + text_width(BOLD_FONT, word))) // 2
    diskette(canvas, left, 19)
    down_arrow(canvas, left + 2, 3, 15, 7, 7, RED, DARK_RED)
    label(canvas, left + 27, 16, word, WHITE, DARK_GREY)
    return canvas


def exit_button():
    """The 101x41 exit button: a grey door with a red edge, and the word Exit in red."""
    canvas = Canvas(101, 41, BLACK)
    word = "Exit"
    left = (101 - (17 + 8 + text_width(BOLD_FONT, word))) // 2
    door(canvas, left, 3)
    label(canvas, left + 25, 16, word, RED, DARK_RED)
    return canvas


def banner():
    """The 274x38 banner: a screwdriver and the words Welcome To SetUp in grey."""
    canvas = Canvas(274, 38, BLACK)
    words = "Welcome To SetUp"
    width = 36 + 10 + text_width(BOLD_FONT, words, 2)
    left = (274 - width) // 2
    screwdriver(canvas, left, 1)
    draw_text(canvas, BOLD_FONT, left + 46, 8, words, LIGHT_GREY, shadow=DARK_GREY, scale=2)
    return canvas


def icon_32():
    """The large icon: the green arrow of the program icon going down into an open box."""
    canvas = Canvas(32, 32)
    open_box(canvas)
    down_arrow(canvas, 8, 1, 13, 7, 8, GREEN, DARK_GREEN)
    return canvas


def icon_16():
    """The small icon, drawn by hand rather than shrunk from the large one."""
    return Canvas.from_rows(ICON_16, LEGEND)


def main():
    os.makedirs(RES_DIR, exist_ok=True)
    write_ico(os.path.join(RES_DIR, "Setup.ico"), [icon_32(), icon_16()])
    write_bmp_4bpp(os.path.join(RES_DIR, "ButtonInstall.bmp"), install_button())
    write_bmp_4bpp(os.path.join(RES_DIR, "ButtonExit.bmp"), exit_button())
    write_bmp_4bpp(os.path.join(RES_DIR, "SetupBanner.bmp"), banner())


if __name__ == "__main__":
    main()
