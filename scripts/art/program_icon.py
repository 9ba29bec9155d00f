"""Draws the wallpaper program's icon (group 128) at 32x32 and 16x16 into wallpaper/res/Quorvane.ico."""

import os

from pixelart import (BLACK, CYAN, DARK_GREEN, DARK_GREY, GREEN, LIGHT_GREY, TRANSPARENT, WHITE,
                      YELLOW, Canvas, write_ico)

ICON_PATH = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "wallpaper", "res",
                         "Quorvane.ico")

LEGEND = {
    ".": TRANSPARENT, "K": BLACK, "G": GREEN, "g": DARK_GREEN, "C": CYAN, "Y": YELLOW,
    "W": WHITE, "L": LIGHT_GREY, "d": DARK_GREY,
}

# A clockwise circular arrow whose head, at the top, points right across the gap.
ARROW_32 = [
    "........K.......",
    ".......KGK......",
    ".......KGGK.....",
    ".....KKKGGGK....",
    "....KGGGGGGK....",
    "...KGGGGGGK.....",
    "..KGGGKKGK......",
    ".KGGGK..K.......",
    ".KGGK...........",
    ".KGGK.......KK..",
    ".KGGK......KGgK.",
    ".KGGK......KGgK.",
    ".KGGGK....KGGgK.",
    "..KGGgKKKKGGgK..",
    "...KGggggggGK...",
    "....KggggggK....",
    ".....KKKKKK.....",
]

# The whole small icon, drawn pixel by pixel: monitor, stand and the same arrow.
ICON_16 = [
    "KKKKKKKKKKKK....",
    "KLLLLLLLLLLK....",
    "KLCCCCCCCCLK....",
    "KLCYYCCWWCLK....",
    "KLCYYCWWWCKK....",
    "KLCCCCCCCKGK....",
    "KLGGCCCCKKGGK...",
    "KLGGGGgKGGGGGK..",
    "KLLLLLKGGGGGK...",
    "KKKKKKGGKKGK....",
    "....KKgGK.K..KK.",
    "..KKKKgGK...KGgK",
    "..KLLKgGGK.KGGgK",
    "..KKKKKggGGGGgK.",
    ".......KgggggK..",
    "........KKKKK...",
]


def landscape():
    """The 18x11 wallpaper on the screen: sky, sun, a cloud and two rolling hills."""
    scene = Canvas(18, 11, CYAN)
    scene.fill_ellipse(4, 3, 2.3, 2.3, YELLOW)
    scene.fill_rect(10, 3, 15, 3, WHITE)
    scene.fill_rect(11, 2, 13, 2, WHITE)
    scene.fill_ellipse(4.5, 14, 8, 7.5, GREEN)
    scene.fill_ellipse(15, 14.5, 8.5, 6, DARK_GREEN)
    return scene


def monitor_32(canvas, scene):
    """A raised grey monitor on a stand, its sunken screen showing the 18x11 scene."""
    canvas.fill_rect(0, 1, 25, 19, LIGHT_GREY)
    canvas.line(1, 2, 24, 2, WHITE)
    canvas.line(1, 2, 1, 18, WHITE)
    canvas.line(2, 18, 24, 18, DARK_GREY)
    canvas.line(24, 3, 24, 18, DARK_GREY)
    canvas.rect(0, 1, 25, 19, BLACK)
    canvas.line(3, 4, 22, 4, DARK_GREY)
    canvas.line(3, 4, 3, 16, DARK_GREY)
    canvas.line(4, 16, 22, 16, WHITE)
    canvas.line(22, 5, 22, 16, WHITE)
    canvas.blit(scene, 4, 5)
    canvas.fill_rect(10, 20, 15, 22, DARK_GREY)
    canvas.line(9, 20, 9, 22, BLACK)
    canvas.line(16, 20, 16, 22, BLACK)
    canvas.fill_rect(5, 23, 20, 25, LIGHT_GREY)
    canvas.line(6, 23, 19, 23, WHITE)
    canvas.rect(5, 23, 20, 25, BLACK)


def icon_32(scene=None, legend=LEGEND):
    """The large icon: the monitor with the arrow over its lower right corner.

    The screen shows the landscape unless another scene is given; legend colours the arrow.
    """
    canvas = Canvas(32, 32)
    monitor_32(canvas, landscape() if scene is None else scene)
    arrow = Canvas.from_rows(ARROW_32, legend)
    canvas.blit(arrow, 32 - arrow.width, 32 - arrow.height)
    return canvas


def icon_16():
    """The small icon, drawn by hand rather than shrunk from the large one."""
    return Canvas.from_rows(ICON_16, LEGEND)


def main():
    write_ico(ICON_PATH, [icon_32(), icon_16()])


if __name__ == "__main__":
    main()
