"""16-colour pixel canvas with writers for 4-bpp Windows bitmaps (.bmp) and icons (.ico)."""

import math
import struct

(BLACK, DARK_RED, DARK_GREEN, DARK_YELLOW, DARK_BLUE, DARK_MAGENTA, DARK_CYAN, LIGHT_GREY,
 DARK_GREY, RED, GREEN, YELLOW, BLUE, MAGENTA, CYAN, WHITE) = range(16)

# Marks a see-through pixel; only icons can hold it.
TRANSPARENT = -1

# The standard Windows 16-colour (VGA) palette as (red, green, blue), in index order.
PALETTE = (
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
)


class Canvas:
    """A width x height grid of palette indices (or TRANSPARENT); (0, 0) is the top-left pixel."""

    def __init__(self, width, height, fill=TRANSPARENT):
        self.width = width
        self.height = height
        self.pixels = [[fill] * width for _ in range(height)]

    @classmethod
    def from_rows(cls, rows, legend):
        """Builds a canvas from equal-length strings, one per row, mapping each character through legend."""
        canvas = cls(len(rows[0]), len(rows))
        for y, row in enumerate(rows):
            if len(row) != canvas.width:
                raise ValueError(f"row {y} is {len(row)} pixels wide, expected {canvas.width}")
            for x, char in enumerate(row):
                canvas.pixels[y][x] = legend[char]
        return canvas

    def set(self, x, y, colour):
        """Sets one pixel; points outside the canvas are ignored so shapes clip at the edges."""
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def fill_rect(self, x0, y0, x1, y1, colour):
        """Fills the rectangle whose corners (x0, y0) and (x1, y1) are both included."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, colour)

    def rect(self, x0, y0, x1, y1, colour):
        """Draws the one-pixel outline of the rectangle with included corners (x0, y0), (x1, y1)."""
        self.line(x0, y0, x1, y0, colour)
        self.line(x0, y1, x1, y1, colour)
        self.line(x0, y0, x0, y1, colour)
        self.line(x1, y0, x1, y1, colour)

    def line(self, x0, y0, x1, y1, colour):
        """Draws a one-pixel line from (x0, y0) to (x1, y1), both ends included."""
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        step_x = 1 if x0 < x1 else -1
        step_y = 1 if y0 < y1 else -1
        error = dx + dy
        while True:
            self.set(x0, y0, colour)
            if x0 == x1 and y0 == y1:
                return
            doubled = 2 * error
            if doubled >= dy:
                error += dy
                x0 += step_x
            if doubled <= dx:
                error += dx
                y0 += step_y

    def thick_line(self, x0, y0, x1, y1, colour, size):
        """Draws a line with a size x size pen whose top-left pixel runs from (x0, y0) to (x1, y1)."""
        for dy in range(size):
            for dx in range(size):
                self.line(x0 + dx, y0 + dy, x1 + dx, y1 + dy, colour)

    def fill_ellipse(self, cx, cy, rx, ry, colour):
        """Fills every pixel whose centre lies within the ellipse at (cx, cy) with radii rx, ry."""
        for y in range(math.floor(cy - ry), math.ceil(cy + ry) + 1):
            for x in range(math.floor(cx - rx), math.ceil(cx + rx) + 1):
                if ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0:
                    self.set(x, y, colour)

    def fill_polygon(self, points, colour, outline=None):
        """Fills the pixels whose centres lie inside the polygon; outline traces its edges."""
        edges = list(zip(points, points[1:] + points[:1]))
        rows = [y for _, y in points]
        for y in range(math.floor(min(rows)), math.ceil(max(rows)) + 1):
            crossings = sorted(xa + (y - ya) * (xb - xa) / (yb - ya)
                               for (xa, ya), (xb, yb) in edges if min(ya, yb) <= y < max(ya, yb))
            for left, right in zip(crossings[0::2], crossings[1::2]):
                for x in range(math.ceil(left), math.floor(right) + 1):
                    self.set(x, y, colour)
        if outline is not None:
            for (xa, ya), (xb, yb) in edges:
                self.line(xa, ya, xb, yb, outline)

    def blit(self, source, left, top):
        """Copies the non-transparent pixels of source with its top-left corner at (left, top)."""
        for y, row in enumerate(source.pixels):
            for x, colour in enumerate(row):
                if colour != TRANSPARENT:
                    self.set(left + x, top + y, colour)


def with_outline(source, colour):
    """A copy of source two pixels larger, its shape ringed by a one-pixel outline in colour."""
    ringed = Canvas(source.width + 2, source.height + 2)
    for y, row in enumerate(source.pixels):
        for x, pixel in enumerate(row):
            if pixel != TRANSPARENT:
                ringed.fill_rect(x, y, x + 2, y + 2, colour)
    ringed.blit(source, 1, 1)
    return ringed


def _row_stride(width, bits):
    """Bytes in one bitmap row of the given bit depth, padded to a 4-byte boundary."""
    return (width * bits + 31) // 32 * 4


def _info_header(width, height, image_size):
    """A 40-byte BITMAPINFOHEADER for an uncompressed 4-bpp picture using all 16 colours."""
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, image_size, 2835, 2835, 16, 16)


def _colour_table():
    """The palette as 16 RGBQUAD entries (blue, green, red, reserved)."""
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)


def _colour_rows(canvas):
    """The 4-bpp pixel rows, bottom row first; transparent pixels are stored as index 0."""
    stride = _row_stride(canvas.width, 4)
    data = bytearray()
    for row in reversed(canvas.pixels):
        packed = bytearray(stride)
        for x, colour in enumerate(row):
            index = 0 if colour == TRANSPARENT else colour
            packed[x // 2] |= index << (4 if x % 2 == 0 else 0)
        data += packed
    return bytes(data)


def _mask_rows(canvas):
    """The 1-bpp AND mask rows, bottom row first; a set bit marks a transparent pixel."""
    stride = _row_stride(canvas.width, 1)
    data = bytearray()
    for row in reversed(canvas.pixels):
        packed = bytearray(stride)
        for x, colour in enumerate(row):
            if colour == TRANSPARENT:
                packed[x // 8] |= 0x80 >> (x % 8)
        data += packed
    return bytes(data)


def _check_colours(canvas, allow_transparent):
    """Rejects pixels that are not palette indices (or TRANSPARENT where allowed)."""
    for y, row in enumerate(canvas.pixels):
        for x, colour in enumerate(row):
            if not (0 <= colour < 16 or (allow_transparent and colour == TRANSPARENT)):
                raise ValueError(f"pixel ({x}, {y}) has colour {colour}, which this file cannot hold")


def write_bmp_4bpp(path, canvas):
    """Writes canvas as an uncompressed 16-colour Windows bitmap."""
    _check_colours(canvas, allow_transparent=False)
    pixels = _colour_rows(canvas)
    offset = 14 + 40 + 16 * 4
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    with open(path, "wb") as out:
        out.write(file_header + _info_header(canvas.width, canvas.height, len(pixels))
                  + _colour_table() + pixels)


def _icon_image(canvas):
    """One icon image: header (twice the height, for colours plus mask), palette, colours, mask."""
    colours = _colour_rows(canvas)
    mask = _mask_rows(canvas)
    header = _info_header(canvas.width, 2 * canvas.height, len(colours) + len(mask))
    return header + _colour_table() + colours + mask


def write_ico(path, canvases):
    """Writes the canvases (each at most 256 pixels a side) as the images of one .ico file."""
    images = []
    for canvas in canvases:
        _check_colours(canvas, allow_transparent=True)
        images.append(_icon_image(canvas))
    offset = 6 + 16 * len(images)
    directory = struct.pack("<HHH", 0, 1, len(images))
    for canvas, image in zip(canvases, images):
        directory += struct.pack("<BBBBHHII", canvas.width % 256, canvas.height % 256, 16, 0, 1, 4,
                                 len(image), offset)
        offset += len(image)
    with open(path, "wb") as out:
        out.write(directory + b"".join(images))


class Font:
    """A proportional pixel font: each glyph is a list of rows of '#' (ink) and '.' (paper).

    Rows start at the top of the capitals; glyphs with fewer rows than the font's height are padded
    with paper at the bottom, so only letters with descenders need the last rows.
    """

    def __init__(self, height, spacing, glyphs):
        self.height = height
        self.spacing = spacing
        self.glyphs = {}
        for char, text in glyphs.items():
            rows = text.split()
            width = len(rows[0])
            if len(rows) > height or any(len(row) != width for row in rows):
                raise ValueError(f"glyph {char!r} does not fit the font")
            self.glyphs[char] = rows + ["." * width] * (height - len(rows))

    def glyph(self, char):
        """The padded rows of one character; an unknown character is an error, not a blank."""
        if char not in self.glyphs:
            raise KeyError(f"the font has no glyph for {char!r}")
        return self.glyphs[char]

    def width(self, text):
        """Pixels from the left of the first glyph to the right of the last, at scale 1."""
        if not text:
            return 0
        return sum(len(self.glyph(char)[0]) for char in text) + self.spacing * (len(text) - 1)


# 5x7 capitals and figures, lower case with a 5-row x-height and 2-row descenders.
SMALL_FONT = Font(9, 1, {
    " ": "... ... ...",
    "A": ".###. #...# #...# ##### #...# #...# #...#",
    "B": "####. #...# #...# ####. #...# #...# ####.",
    "C": ".###. #...# #.... #.... #.... #...# .###.",
    "D": "####. #...# #...# #...# #...# #...# ####.",
    "E": "##### #.... #.... ####. #.... #.... #####",
    "F": "##### #.... #.... ####. #.... #.... #....",
    "G": ".###. #...# #.... #.### #...# #...# .####",
    "H": "#...# #...# #...# ##### #...# #...# #...#",
    "I": "### .#. .#. .#. .#. .#. ###",
    "J": "..### ...#. ...#. ...#. ...#. #..#. .##..",
    "K": "#...# #..#. #.#.. ##... #.#.. #..#. #...#",
    "L": "#.... #.... #.... #.... #.... #.... #####",
    "M": "#...# ##.## #.#.# #.#.# #...# #...# #...#",
    "N": "#...# #...# ##..# #.#.# #..## #...# #...#",
    "O": ".###. #...# #...# #...# #...# #...# .###.",
    "P": "####. #...# #...# ####. #.... #.... #....",
    "Q": ".###. #...# #...# #...# #.#.# #..#. .##.#",
    "R": "####. #...# #...# ####. #.#.. #..#. #...#",
    "S": ".#### #.... #.... .###. ....# ....# ####.",
    "T": "##### ..#.. ..#.. ..#.. ..#.. ..#.. ..#..",
    "U": "#...# #...# #...# #...# #...# #...# .###.",
    "V": "#...# #...# #...# #...# #...# .#.#. ..#..",
    "W": "#...# #...# #...# #.#.# #.#.# #.#.# .#.#.",
    "X": "#...# #...# .#.#. ..#.. .#.#. #...# #...#",
    "Y": "#...# #...# .#.#. ..#.. ..#.. ..#.. ..#..",
    "Z": "##### ....# ...#. ..#.. .#... #.... #####",
    "a": "..... ..... .###. ....# .#### #...# .####",
    "b": "#.... #.... ####. #...# #...# #...# ####.",
    "c": ".... .... .### #... #... #... .###",
    "d": "....# ....# .#### #...# #...# #...# .####",
    "e": "..... ..... .###. #...# ##### #.... .###.",
    "f": "..## .#.. ###. .#.. .#.. .#.. .#..",
    "g": "..... ..... .#### #...# #...# #...# .#### ....# .###.",
    "h": "#.... #.... #.##. ##..# #...# #...# #...#",
    "i": "# . # # # # #",
    "j": "..# ... .## ..# ..# ..# ..# ..# ##.",
    "k": "#... #... #..# #.#. ##.. #.#. #..#",
    "l": "# # # # # # #",
    "m": "..... ..... ##.#. #.#.# #.#.# #.#.# #.#.#",
    "n": "..... ..... #.##. ##..# #...# #...# #...#",
    "o": "..... ..... .###. #...# #...# #...# .###.",
    "p": "..... ..... ####. #...# #...# #...# ####. #.... #....",
    "q": "..... ..... .#### #...# #...# #...# .#### ....# ....#",
    "r": ".... .... #.## ##.. #... #... #...",
    "s": ".... .... .### #... .##. ...# ###.",
    "t": ".#.. .#.. ###. .#.. .#.. .#.. ..##",
    "u": "..... ..... #...# #...# #...# #..## .##.#",
    "v": "..... ..... #...# #...# #...# .#.#. ..#..",
    "w": "..... ..... #...# #...# #.#.# #.#.# .#.#.",
    "x": "..... ..... #...# .#.#. ..#.. .#.#. #...#",
    "y": "..... ..... #...# #...# #...# #...# .#### ....# .###.",
    "z": "..... ..... ##### ...#. ..#.. .#... #####",
    "0": ".###. #...# #..## #.#.# ##..# #...# .###.",
    "1": ".#. ##. .#. .#. .#. .#. ###",
    "2": ".###. #...# ....# ...#. ..#.. .#... #####",
    "3": "##### ...#. ..#.. ...#. ....# #...# .###.",
    "4": "...#. ..##. .#.#. #..#. ##### ...#. ...#.",
    "5": "##### #.... ####. ....# ....# #...# .###.",
    "6": "..##. .#... #.... ####. #...# #...# .###.",
    "7": "##### ....# ...#. ..#.. .#... .#... .#...",
    "8": ".###. #...# #...# .###. #...# #...# .###.",
    "9": ".###. #...# #...# .#### ....# ...#. .##..",
    ".": ". . . . . . #",
    ",": ".. .. .. .. .. .. .# #.",
    ":": ". . # . . . #",
    "'": "# # .",
    "!": "# # # # # . #",
    "?": ".###. #...# ....# ...#. ..#.. ..... ..#..",
    "-": ".... .... .... #### .... .... ....",
    "+": "..... ..... ..#.. ..#.. ##### ..#.. ..#..",
    "/": "....# ....# ...#. ..#.. .#... #.... #....",
    "(": "..# .#. #.. #.. #.. .#. ..#",
    ")": "#.. .#. ..# ..# ..# .#. #..",
})

# A bold face: 9-row capitals and 7-row lower case with two-pixel stems, 2-row descenders.
BOLD_FONT = Font(11, 1, {
    " ": "... ... ...",
    "A": "..###.. .##.##. ##...## ##...## ####### ##...## ##...## ##...## ##...##",
    "B": "######. ##...## ##...## ##...## ######. ##...## ##...## ##...## ######.",
    "C": ".#####. ##...## ##..... ##..... ##..... ##..... ##..... ##...## .#####.",
    "D": "#####.. ##..##. ##...## ##...## ##...## ##...## ##...## ##..##. #####..",
    "E": "###### ##.... ##.... ##.... #####. ##.... ##.... ##.... ######",
    "F": "###### ##.... ##.... ##.... #####. ##.... ##.... ##.... ##....",
    "G": ".#####. ##...## ##..... ##..... ##.#### ##...## ##...## ##...## .######",
    "H": "##...## ##...## ##...## ##...## ####### ##...## ##...## ##...## ##...##",
    "I": "#### .##. .##. .##. .##. .##. .##. .##. ####",
    "J": "..#### ....## ....## ....## ....## ....## ##..## ##..## .####.",
    "K": "##...## ##..##. ##.##.. ####... ###.... ####... ##.##.. ##..##. ##...##",
    "L": "##.... ##.... ##.... ##.... ##.... ##.... ##.... ##.... ######",
    "M": "##.....## ###...### ####.#### ##.###.## ##..#..## ##.....## ##.....## ##.....## "
         "##.....##",
    "N": "##...## ###..## ###..## ####.## ##.#### ##..### ##..### ##...## ##...##",
    "O": ".#####. ##...## ##...## ##...## ##...## ##...## ##...## ##...## .#####.",
    "P": "######. ##...## ##...## ##...## ######. ##..... ##..... ##..... ##.....",
    "Q": ".#####. ##...## ##...## ##...## ##...## ##...## ##.#.## ##..##. .###.##",
    "R": "######. ##...## ##...## ##...## ######. ##.##.. ##..##. ##...## ##...##",
    "S": ".#####. ##...## ##..... ##..... .#####. .....## .....## ##...## .#####.",
    "T": "###### ..##.. ..##.. ..##.. ..##.. ..##.. ..##.. ..##.. ..##..",
    "U": "##...## ##...## ##...## ##...## ##...## ##...## ##...## ##...## .#####.",
    "V": "##...## ##...## ##...## ##...## ##...## ##...## .##.##. ..###.. ...#...",
    "W": "##.....## ##.....## ##.....## ##.....## ##..#..## ##.###.## ####.#### ###...### "
         "##.....##",
    "X": "##...## ##...## .##.##. ..###.. ..###.. ..###.. .##.##. ##...## ##...##",
    "Y": "##....## ##....## .##..##. ..####.. ...##... ...##... ...##... ...##... ...##...",
    "Z": "####### .....## ....##. ...##.. ..##... .##.... ##..... ##..... #######",
    "a": "...... ...... .####. ....## .##### ##..## ##..## ##..## .#####",
    "b": "##.... ##.... #####. ##..## ##..## ##..## ##..## ##..## #####.",
    "c": "..... ..... .#### ##... ##... ##... ##... ##... .####",
    "d": "....## ....## .##### ##..## ##..## ##..## ##..## ##..## .#####",
    "e": "...... ...... .####. ##..## ##..## ###### ##.... ##.... .####.",
    "f": "..### .##.. ####. .##.. .##.. .##.. .##.. .##.. .##..",
    "g": "...... ...... .##### ##..## ##..## ##..## ##..## ##..## .##### ....## .####.",
    "h": "##.... ##.... #####. ##..## ##..## ##..## ##..## ##..## ##..##",
    "i": "## .. ## ## ## ## ## ## ##",
    "j": "..## .... ..## ..## ..## ..## ..## ..## ..## ..## ###.",
    "k": "##.... ##.... ##..## ##.##. ####.. ###... ####.. ##.##. ##..##",
    "l": "## ## ## ## ## ## ## ## ##",
    "m": ".......... .......... #########. ##..##..## ##..##..## ##..##..## ##..##..## "
         "##..##..## ##..##..##",
    "n": "...... ...... #####. ##..## ##..## ##..## ##..## ##..## ##..##",
    "o": "...... ...... .####. ##..## ##..## ##..## ##..## ##..## .####.",
    "p": "...... ...... #####. ##..## ##..## ##..## ##..## ##..## #####. ##.... ##....",
    "q": "...... ...... .##### ##..## ##..## ##..## ##..## ##..## .##### ....## ....##",
    "r": "...... ...... ##.### ####.. ###... ##.... ##.... ##.... ##....",
    "s": "...... ...... .##### ##.... ##.... .####. ....## ....## #####.",
    "t": "..... .##.. ##### .##.. .##.. .##.. .##.. .##.. ..###",
    "u": "...... ...... ##..## ##..## ##..## ##..## ##..## ##..## .#####",
    "v": "...... ...... ##..## ##..## ##..## ##..## .####. .####. ..##..",
    "w": ".......... .......... ##..##..## ##..##..## ##..##..## ##..##..## ##.####.## "
         ".###..###. .##....##.",
    "x": "...... ...... ##..## ##..## .####. ..##.. .####. ##..## ##..##",
    "y": "...... ...... ##..## ##..## ##..## ##..## ##..## ##..## .##### ....## .####.",
    "z": "...... ...... ###### ....## ...##. ..##.. .##... ##.... ######",
    "0": ".####. ##..## ##..## ##..## ##..## ##..## ##..## ##..## .####.",
    "1": "..## .### #### ..## ..## ..## ..## ..## ..##",
    "2": ".####. ##..## ....## ....## ...##. ..##.. .##... ##.... ######",
    "3": ".####. ##..## ....## ....## ..###. ....## ....## ##..## .####.",
    "4": "...##. ..###. .####. ##.##. ##.##. ###### ...##. ...##. ...##.",
    "5": "###### ##.... ##.... #####. ....## ....## ....## ##..## .####.",
    "6": "..###. .##... ##.... #####. ##..## ##..## ##..## ##..## .####.",
    "7": "###### ....## ....## ...##. ...##. ..##.. ..##.. ..##.. ..##..",
    "8": ".####. ##..## ##..## ##..## .####. ##..## ##..## ##..## .####.",
    "9": ".####. ##..## ##..## ##..## ##..## .##### ....## ...##. .###..",
    ".": ".. .. .. .. .. .. .. ## ##",
    ",": ".. .. .. .. .. .. .. ## ## .# #.",
    ":": ".. .. ## ## .. .. .. ## ##",
    "'": "## ## ##",
    "!": "## ## ## ## ## ## .. ## ##",
    "?": ".####. ##..## ....## ...##. ..##.. ..##.. ...... ..##.. ..##..",
    "-": "..... ..... ..... ..... ##### ##### ..... ..... .....",
    "+": "...... ...... ..##.. ..##.. ###### ###### ..##.. ..##.. ......",
    "/": "....## ....## ...##. ...##. ..##.. .##... .##... ##.... ##....",
    "(": "..## .##. ##.. ##.. ##.. ##.. ##.. .##. ..##",
    ")": "##.. .##. ..## ..## ..## ..## ..## .##. ##..",
})


def text_mask(font, text, scale=1):
    """The ink of text as rows of booleans; scale 2 doubles it with smoothed diagonals."""
    mask = [[False] * font.width(text) for _ in range(font.height)]
    left = 0
    for char in text:
        rows = font.glyph(char)
        for y, row in enumerate(rows):
            for x, cell in enumerate(row):
                mask[y][left + x] = cell == "#"
        left += len(rows[0]) + font.spacing
    for _ in range({1: 0, 2: 1, 4: 2}[scale]):
        mask = _scale2x(mask)
    return mask


def _scale2x(mask):
    """Doubles a mask, rounding diagonal steps while stem ends and joins stay square."""
    height, width = len(mask), len(mask[0])

    def at(x, y):
        return mask[y][x] if 0 <= x < width and 0 <= y < height else False

    def corner(x, y, dx, dy):
        centre, beside, above = at(x, y), at(x + dx, y), at(x, y + dy)
        is_step = beside == above != at(x - dx, y) and above != at(x, y - dy)
        continues = centre in (at(x - dx, y + dy), at(x + dx, y - dy))
        return beside if is_step and continues else centre

    doubled = [[False] * (2 * width) for _ in range(2 * height)]
    for y in range(height):
        for x in range(width):
            for dx, dy in ((-1, -1), (1, -1), (-1, 1), (1, 1)):
                doubled[2 * y + (dy > 0)][2 * x + (dx > 0)] = corner(x, y, dx, dy)
    return doubled


def text_width(font, text, scale=1):
    """Width in pixels of text drawn without outline or shadow."""
    return font.width(text) * scale


def draw_text(canvas, font, left, top, text, colour, shadow=None, outline=None, scale=1):
    """Draws text at (left, top); a shadow falls 1 pixel down-right, an outline rings it."""
    mask = text_mask(font, text, scale)
    ink = [(x, y) for y, row in enumerate(mask) for x, cell in enumerate(row) if cell]
    if outline is not None:
        for x, y in ink:
            for dx, dy in ((-1, -1), (0, -1), (1, -1), (-1, 0), (1, 0), (-1, 1), (0, 1), (1, 1)):
                canvas.set(left + x + dx, top + y + dy, outline)
    if shadow is not None:
        for x, y in ink:
            canvas.set(left + x + 1, top + y + 1, shadow)
    for x, y in ink:
        canvas.set(left + x, top + y, colour)
