"""Draws the six picture buttons of the wallpaper program's main dialog into wallpaper/res/."""

import os

from pixelart import (BLACK, BLUE, CYAN, DARK_BLUE, DARK_GREEN, DARK_GREY, DARK_RED, DARK_YELLOW,
                      GREEN, LIGHT_GREY, RED, TRANSPARENT, WHITE, YELLOW, BOLD_FONT, Canvas,
                      draw_text, text_width, with_outline, write_bmp_4bpp)

RES_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "wallpaper", "res")

# The dialog is black with yellow labels; the button faces match it.
FACE = BLACK
LABEL = YELLOW
LABEL_SHADOW = DARK_RED

# Pixels between a symbol and its label, and from one label line to the next.
GAP = 5
LINE_STEP = BOLD_FONT.height + 2

LEGEND = {
    ".": TRANSPARENT, "K": BLACK, "Y": YELLOW, "y": DARK_YELLOW, "W": WHITE, "L": LIGHT_GREY,
    "d": DARK_GREY, "G": GREEN, "g": DARK_GREEN, "R": RED, "r": DARK_RED, "B": BLUE,
}

# A lightning flash, from the top right down to a point at the bottom left.
FLASH = [
    "....WYYYY.",
    "....YYYYy.",
    "...WYYYy..",
    "...YYYy...",
    "..WYYYYYY.",
    "..YYYYYYy.",
    ".....YYy..",
    ".....YYy..",
    "....YYy...",
    "....Yy....",
    "...Yy.....",
    "...Y......",
]

# A red diagonal cross, shaded at its lower right.
CROSS = [
    "Rr.......Rr",
    "RRr.....RRr",
    ".RRr...RRr.",
    "..RRr.RRr..",
    "...RRRRr...",
    "....RRr....",
    "...RRRRr...",
    "..RRr.RRr..",
    ".RRr...RRr.",
    "RRr.....RRr",
    "Rr.......Rr",
]


def scene(width, height):
    """A tiny wallpaper: sky, sun and two hills, like the one on the program icon."""
    picture = Canvas(width, height, CYAN)
    picture.fill_ellipse(width // 4 + 0.5, 2.5, 1.7, 1.7, YELLOW)
    picture.fill_ellipse(width * 0.7, height + 1, width * 0.5, 4, GREEN)
    picture.fill_ellipse(0, height + 1.5, width * 0.45, 3.5, DARK_GREEN)
    return picture


def framed_picture():
    """A 16x13 picture in a light frame with a dark rim."""
    picture = Canvas(16, 13, LIGHT_GREY)
    picture.rect(0, 0, 15, 12, BLACK)
    picture.line(1, 1, 14, 1, WHITE)
    picture.line(1, 1, 1, 11, WHITE)
    picture.blit(scene(12, 9), 2, 2)
    return picture


def plus_sign():
    """An 11x11 green plus with three-pixel arms and a dark outline."""
    plus = Canvas(11, 11)
    plus.fill_rect(3, 0, 7, 10, BLACK)
    plus.fill_rect(0, 3, 10, 7, BLACK)
    plus.fill_rect(4, 1, 6, 9, GREEN)
    plus.fill_rect(1, 4, 9, 6, GREEN)
    plus.line(1, 6, 9, 6, DARK_GREEN)
    plus.line(6, 1, 6, 9, DARK_GREEN)
    return plus


def cross_sign():
    """The red cross with a dark outline, 13x13."""
    return with_outline(Canvas.from_rows(CROSS, LEGEND), BLACK)


def picture_with(badge):
    """The framed picture with a badge over its lower right corner."""
    symbol = Canvas(22, 18)
    symbol.blit(framed_picture(), 0, 0)
    symbol.blit(badge, symbol.width - badge.width, symbol.height - badge.height)
    return symbol


def small_monitor():
    """An 18x17 grey monitor on a foot, its screen showing the tiny wallpaper."""
    monitor = Canvas(18, 17)
    monitor.fill_rect(0, 0, 17, 12, LIGHT_GREY)
    monitor.line(0, 0, 17, 0, WHITE)
    monitor.line(0, 0, 0, 12, WHITE)
    monitor.line(1, 12, 17, 12, DARK_GREY)
    monitor.line(17, 1, 17, 12, DARK_GREY)
    monitor.rect(2, 2, 15, 10, DARK_GREY)
    monitor.blit(scene(12, 7), 3, 3)
    monitor.fill_rect(7, 13, 10, 14, LIGHT_GREY)
    monitor.line(10, 13, 10, 14, DARK_GREY)
    monitor.fill_rect(3, 15, 14, 16, LIGHT_GREY)
    monitor.line(3, 15, 14, 15, WHITE)
    return monitor


def monitor_with_flash():
    """The small monitor struck by a yellow flash at its right."""
    symbol = Canvas(25, 17)
    symbol.blit(small_monitor(), 0, 0)
    symbol.blit(with_outline(Canvas.from_rows(FLASH, LEGEND), BLACK), 14, 1)
    return symbol


def disc(size, rim, fill):
    """A round disc of the given diameter with a one-pixel rim."""
    centre = (size - 1) / 2
    shape = Canvas(size, size)
    shape.fill_ellipse(centre, centre, size / 2, size / 2, rim)
    shape.fill_ellipse(centre, centre, size / 2 - 1, size / 2 - 1, fill)
    return shape


def clock():
    """A 21x21 white clock face in a blue ring, its hands at three o'clock."""
    face = disc(21, BLACK, BLUE)
    face.fill_ellipse(10, 10, 8.6, 8.6, DARK_BLUE)
    face.fill_ellipse(10, 10, 7.6, 7.6, WHITE)
    for x, y in ((10, 4), (16, 10), (10, 16), (4, 10)):
        face.set(x, y, DARK_GREY)
    face.thick_line(10, 5, 10, 10, BLACK, 1)
    face.line(10, 10, 14, 10, BLACK)
    face.fill_rect(10, 10, 11, 11, RED)
    return face


def check_mark():
    """A 17x14 thick green check mark with a dark outline."""
    mark = Canvas(17, 14)
    mark.thick_line(0, 5, 5, 10, BLACK, 4)
    mark.thick_line(5, 10, 13, 0, BLACK, 4)
    mark.thick_line(1, 6, 6, 11, GREEN, 2)
    mark.thick_line(6, 11, 14, 1, GREEN, 2)
    return mark


def clock_with_check():
    """The clock with a green check mark ticked over its lower right."""
    symbol = Canvas(31, 24)
    symbol.blit(clock(), 0, 0)
    symbol.blit(check_mark(), 14, 10)
    return symbol


def question_disc():
    """A white disc with a blue bold question mark in it."""
    symbol = disc(17, BLACK, WHITE)
    symbol.fill_ellipse(8, 8, 7.5, 7.5, BLUE)
    symbol.fill_ellipse(8, 8, 6.5, 6.5, WHITE)
    draw_text(symbol, BOLD_FONT, 5, 4, "?", BLUE)
    return symbol


def info_disc():
    """A 22x22 blue disc with a white letter i, lit from the top left."""
    symbol = disc(22, BLACK, DARK_BLUE)
    symbol.fill_ellipse(10.5, 10.5, 9.2, 9.2, BLUE)
    symbol.fill_ellipse(9.8, 9.8, 7.4, 7.4, BLUE)
    symbol.fill_rect(9, 4, 12, 6, WHITE)
    symbol.fill_rect(8, 8, 12, 9, WHITE)
    symbol.fill_rect(9, 10, 12, 16, WHITE)
    symbol.fill_rect(8, 16, 13, 17, WHITE)
    return symbol


def ink_height(lines):
    """Height of a block of label lines in the bold font, down to the baseline of the last."""
    return (len(lines) - 1) * LINE_STEP + 9


def labelled_button(width, height, symbol, lines):
    """A button face with the symbol at the left of its label, the pair centred on the face."""
    canvas = Canvas(width, height, FACE)
    label_width = max(text_width(BOLD_FONT, line) for line in lines)
    left = (width - (symbol.width + GAP + label_width)) // 2
    canvas.blit(symbol, left, (height - symbol.height) // 2)
    top = (height - ink_height(lines)) // 2
    for index, line in enumerate(lines):
        line_left = left + symbol.width + GAP + (label_width - text_width(BOLD_FONT, line)) // 2
        draw_text(canvas, BOLD_FONT, line_left, top + index * LINE_STEP, line, LABEL,
                  shadow=LABEL_SHADOW)
    return canvas


def stacked_button(width, height, symbol, lines):
    """A tall button face with the symbol above its label lines, all centred."""
    canvas = Canvas(width, height, FACE)
    block = symbol.height + GAP + ink_height(lines)
    top = (height - block) // 2
    canvas.blit(symbol, (width - symbol.width) // 2, top)
    top += symbol.height + GAP
    for index, line in enumerate(lines):
        left = (width - text_width(BOLD_FONT, line)) // 2
        draw_text(canvas, BOLD_FONT, left, top + index * LINE_STEP, line, LABEL,
                  shadow=LABEL_SHADOW)
    return canvas


def symbol_button(width, height, symbol):
    """A small button face showing only the symbol, centred."""
    canvas = Canvas(width, height, FACE)
    canvas.blit(symbol, (width - symbol.width) // 2, (height - symbol.height) // 2)
    return canvas


def buttons():
    """Each button bitmap's file name and picture."""
    return {
        "ButtonAdd.bmp": labelled_button(113, 29, picture_with(plus_sign()), ["Add..."]),
        "ButtonRemove.bmp": labelled_button(113, 28, picture_with(cross_sign()), ["Remove"]),
        "ButtonSetNow.bmp": labelled_button(113, 30, monitor_with_flash(), ["Set Now"]),
        "ButtonApply.bmp": stacked_button(115, 79, clock_with_check(), ["Apply", "Settings"]),
        "ButtonHelp.bmp": labelled_button(113, 26, question_disc(), ["Help"]),
        "ButtonAbout.bmp": symbol_button(37, 38, info_disc()),
    }


def main():
    for name, canvas in buttons().items():
        write_bmp_4bpp(os.path.join(RES_DIR, name), canvas)


if __name__ == "__main__":
    main()
