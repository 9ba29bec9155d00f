"""Draws the about box's artwork: the blinking icon, the background mat, title and credits."""

import os

from pixelart import (BLACK, CYAN, DARK_BLUE, DARK_GREEN, DARK_GREY, DARK_RED, DARK_YELLOW,
                      LIGHT_GREY, TRANSPARENT, WHITE, YELLOW, BOLD_FONT, Canvas, draw_text,
                      text_width, write_bmp_4bpp, write_ico)
from program_icon import LEGEND, icon_32

RES_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "wallpaper", "res")

# The program icon's arrow, recoloured from green to yellow.
YELLOW_ARROW = dict(LEGEND, G=YELLOW, g=DARK_YELLOW)

# A crescent moon, its hollow to the upper right.
MOON = [
    "..YY..",
    ".YY...",
    "YYY...",
    "YYY...",
    "YYYY..",
    ".YYYYY",
    "..YYY.",
]

# Where the stars of the night scene twinkle, as (x, y, colour).
NIGHT_STARS = ((1, 1, WHITE), (9, 4, LIGHT_GREY), (15, 1, WHITE), (12, 2, LIGHT_GREY),
               (16, 5, WHITE), (1, 6, LIGHT_GREY), (11, 6, WHITE))

# Dim stars at the ends of the title, clear of its words.
TITLE_STARS = ((7, 9, DARK_GREY), (18, 31, DARK_GREY), (12, 20, LIGHT_GREY), (158, 10, DARK_GREY),
               (150, 33, LIGHT_GREY), (164, 24, DARK_GREY), (4, 35, DARK_GREY), (160, 4, DARK_GREY))


def night_sky():
    """The 18x11 wallpaper of the blink: a starry night, a crescent moon and dark hills."""
    scene = Canvas(18, 11, DARK_BLUE)
    for x, y, colour in NIGHT_STARS:
        scene.set(x, y, colour)
    scene.blit(Canvas.from_rows(MOON, {".": TRANSPARENT, "Y": YELLOW}), 3, 1)
    scene.fill_ellipse(4.5, 14, 8, 7.5, DARK_GREEN)
    scene.fill_ellipse(15, 14.5, 8.5, 6, BLACK)
    return scene


def blink_icon():
    """The program icon at night: same monitor and arrow, another wallpaper, a yellow arrow."""
    return icon_32(night_sky(), YELLOW_ARROW)


def weave_pixel(x, y):
    """One pixel of a basket weave: pairs of dark blue strands crossing in 16-pixel squares."""
    across_rows = ((x // 16) + (y // 16)) % 2 == 0
    along, across = (x % 16, y % 16) if across_rows else (y % 16, x % 16)
    if across % 8 == 7 or along == 15:
        return BLACK
    if across % 8 == 0 and 2 <= along <= 12:
        return DARK_GREY if along % 4 == 2 else DARK_BLUE
    return DARK_BLUE


def mat():
    """The 96x64 background texture; six by four squares of the weave, so it tiles seamlessly."""
    canvas = Canvas(96, 64)
    for y in range(canvas.height):
        for x in range(canvas.width):
            canvas.set(x, y, weave_pixel(x, y))
    return canvas


def sunken_panel(width, height):
    """A black panel set into the surface with a two-pixel sunken edge."""
    panel = Canvas(width, height, BLACK)
    panel.rect(0, 0, width - 1, height - 1, WHITE)
    panel.line(0, 0, width - 1, 0, DARK_GREY)
    panel.line(0, 0, 0, height - 1, DARK_GREY)
    panel.rect(1, 1, width - 2, height - 2, LIGHT_GREY)
    panel.line(1, 1, width - 2, 1, BLACK)
    panel.line(1, 1, 1, height - 2, BLACK)
    return panel


def title():
    """The 171x43 title: the product name large, with what it does beneath."""
    canvas = sunken_panel(171, 43)
    for x, y, colour in TITLE_STARS:
        canvas.set(x, y, colour)
    name, subtitle = "Quorvane", "Wallpaper Rotator"
    draw_text(canvas, BOLD_FONT, (171 - text_width(BOLD_FONT, name, 2)) // 2, 4, name, YELLOW,
              shadow=DARK_RED, scale=2)
    draw_text(canvas, BOLD_FONT, (171 - text_width(BOLD_FONT, subtitle)) // 2, 26, subtitle, CYAN,
              shadow=DARK_BLUE)
    return canvas


def credits():
    """The 374x25 credit line under the picture panels."""
    canvas = sunken_panel(374, 25)
    name, rest = "Quorvane", " - changes your desktop wallpaper on a schedule"
    left = (374 - text_width(BOLD_FONT, name + rest)) // 2
    draw_text(canvas, BOLD_FONT, left, 8, name, YELLOW, shadow=DARK_RED)
    left += text_width(BOLD_FONT, name) + BOLD_FONT.spacing
    draw_text(canvas, BOLD_FONT, left, 8, rest, LIGHT_GREY, shadow=DARK_BLUE)
    return canvas


def main():
    write_ico(os.path.join(RES_DIR, "AboutBlink.ico"), [blink_icon()])
    write_bmp_4bpp(os.path.join(RES_DIR, "AboutMat.bmp"), mat())
    write_bmp_4bpp(os.path.join(RES_DIR, "AboutTitle.bmp"), title())
    write_bmp_4bpp(os.path.join(RES_DIR, "AboutCredits.bmp"), credits())


if __name__ == "__main__":
    main()
