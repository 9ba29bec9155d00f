"""Draws the five sample wallpapers that the installer ships into package/, and the picture that
the demo story adds through Add... into demo/.

Each is 640 x 480 and uses another format that the wallpaper program reads:
  Forest.BMP      a misty pine forest at dawn           8-bit, full 256-colour table
  NightSky.BMP    stars, the Milky Way and the moon     8-bit, 64-colour table (biClrUsed 64)
  Rainbow.BMP     a rainbow over green hills            24-bit
  Skull.BMP       a cheerful sugar skull with flowers   4-bit, 16 colours
  Ivy.BMP         ivy climbing a brick wall             8-bit, full 256-colour table
  Lighthouse.png  a lighthouse on a headland at sunset  PNG, 24-bit colour (not shipped)
Standard library only; the same seeds give the same files.
"""

import math
import os
import random
import struct
import zlib

OUT_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "package")
DEMO_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "demo")
WIDTH, HEIGHT = 640, 480


# Bitmap files --------------------------------------------------------------------------------

def bmp_headers(width, height, bit_count, colours_used, table_entries, pixel_bytes):
    offset = 14 + 40 + 4 * table_entries
    file_header = struct.pack("<2sIHHI", b"BM", offset + pixel_bytes, 0, 0, offset)
    info_header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bit_count, 0, pixel_bytes, 2835, 2835,
                              colours_used, 0)
    return file_header + info_header


def row_stride(width, bit_count):
    return (width * bit_count + 31) // 32 * 4


def write_bmp_24(path, image):
    """image: rows top to bottom of (r, g, b) floats; stored bottom-up as B, G, R bytes."""
    height, width = len(image), len(image[0])
    stride = row_stride(width, 24)
    body = bytearray()
    for row in reversed(image):
        line = bytearray()
        for r, g, b in row:
            line += bytes((clamp_byte(b), clamp_byte(g), clamp_byte(r)))
        body += line + bytes(stride - len(line))
    with open(path, "wb") as out:
        out.write(bmp_headers(width, height, 24, 0, 0, len(body)) + body)


def write_bmp_indexed(path, indices, palette, bit_count, colours_used):
    """indices: rows top to bottom of palette indices; colours_used 0 means a full table."""
    height, width = len(indices), len(indices[0])
    stride = row_stride(width, bit_count)
    table = b"".join(bytes((clamp_byte(b), clamp_byte(g), clamp_byte(r), 0)) for r, g, b in palette)
    body = bytearray()
    for row in reversed(indices):
        if bit_count == 8:
            line = bytearray(row)
        else:
            padded = list(row) + [0] * (len(row) % 2)
            line = bytearray((padded[i] << 4) | padded[i + 1] for i in range(0, len(padded), 2))
        body += line + bytes(stride - len(line))
    with open(path, "wb") as out:
        out.write(bmp_headers(width, height, bit_count, colours_used, len(palette), len(body)) + table + body)


def png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def write_png_24(path, image):
    """image: rows top to bottom of (r, g, b) floats. Each row is stored with the Sub filter (each
    byte less the one a pixel to its left), which turns smooth skies and seas into runs of small
    numbers that deflate well."""
    height, width = len(image), len(image[0])
    rows = bytearray()
    for row in image:
        line = bytes(clamp_byte(channel) for pixel in row for channel in pixel)
        rows.append(1)
        rows += bytes((line[i] - (line[i - 3] if i >= 3 else 0)) & 255 for i in range(len(line)))
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", header) +
                  png_chunk(b"IDAT", zlib.compress(bytes(rows), 9)) + png_chunk(b"IEND", b""))


# Colour and noise helpers --------------------------------------------------------------------

def clamp_byte(value):
    return 0 if value < 0 else 255 if value > 255 else int(value + 0.5)


def mix(a, b, t):
    return (a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t, a[2] + (b[2] - a[2]) * t)


def scale(colour, factor):
    return (colour[0] * factor, colour[1] * factor, colour[2] * factor)


def smoothstep(edge0, edge1, x):
    t = min(1.0, max(0.0, (x - edge0) / (edge1 - edge0)))
    return t * t * (3 - 2 * t)


def gradient(stops, t):
    """A colour along stops [(position, colour), ...] sorted by position."""
    if t <= stops[0][0]:
        return stops[0][1]
    for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
        if t <= p1:
            return mix(c0, c1, (t - p0) / (p1 - p0))
    return stops[-1][1]


def hsv(hue, saturation, value):
    i = int(hue * 6) % 6
    f = hue * 6 - int(hue * 6)
    p, q, t = value * (1 - saturation), value * (1 - saturation * f), value * (1 - saturation * (1 - f))
    r, g, b = [(value, t, p), (q, value, p), (p, value, t), (p, q, value), (t, p, value), (value, p, q)][i]
    return (r * 255, g * 255, b * 255)


class ValueNoise:
    """Smooth 2-D value noise on a 256 x 256 lattice that wraps; fbm() sums octaves into 0..1."""

    def __init__(self, seed):
        rng = random.Random(seed)
        self.table = [[rng.random() for _ in range(256)] for _ in range(256)]

    def noise(self, x, y):
        x0, y0 = math.floor(x), math.floor(y)
        fx, fy = x - x0, y - y0
        fx, fy = fx * fx * (3 - 2 * fx), fy * fy * (3 - 2 * fy)
        row0, row1 = self.table[y0 & 255], self.table[(y0 + 1) & 255]
        top = row0[x0 & 255] + (row0[(x0 + 1) & 255] - row0[x0 & 255]) * fx
        bottom = row1[x0 & 255] + (row1[(x0 + 1) & 255] - row1[x0 & 255]) * fx
        return top + (bottom - top) * fy

    def fbm(self, x, y, octaves=4):
        total, amplitude, norm = 0.0, 1.0, 0.0
        for _ in range(octaves):
            total += self.noise(x, y) * amplitude
            norm += amplitude
            x, y, amplitude = x * 2.03, y * 2.03, amplitude * 0.5
        return total / norm


def new_image(colour=(0, 0, 0)):
    return [[colour] * WIDTH for _ in range(HEIGHT)]


def blend_pixel(image, x, y, colour, alpha):
    if 0 <= x < WIDTH and 0 <= y < HEIGHT and alpha > 0:
        image[y][x] = mix(image[y][x], colour, min(1.0, alpha))


def fill_shape(image, bounds, inside, colour_at):
    """Paints colour_at(x, y) wherever inside(x, y) holds, within bounds (x0, y0, x1, y1)."""
    x0, y0, x1, y1 = bounds
    for y in range(max(0, int(y0)), min(HEIGHT, int(y1) + 1)):
        row = image[y]
        for x in range(max(0, int(x0)), min(WIDTH, int(x1) + 1)):
            if inside(x, y):
                row[x] = colour_at(x, y)


# Reducing to a colour table ------------------------------------------------------------------

def median_cut(image, count):
    """A table of count colours for image: boxes of 5-bit colour cells split at their medians,
    the widest and fullest box first, so that rare bright colours keep entries of their own."""
    cells = {}
    for row in image:
        for r, g, b in row:
            key = (clamp_byte(r) >> 3, clamp_byte(g) >> 3, clamp_byte(b) >> 3)
            cell = cells.get(key)
            if cell is None:
                cells[key] = [1, r, g, b]
            else:
                cell[0] += 1
                cell[1] += r
                cell[2] += g
                cell[3] += b
    boxes = [list(cells.items())]

    def spread(box):
        ranges = [max(k[c] for k, _ in box) - min(k[c] for k, _ in box) for c in range(3)]
        widest = max(range(3), key=lambda c: ranges[c])
        population = sum(v[0] for _, v in box)
        return ranges[widest] * population ** 0.3, widest

    while len(boxes) < count:
        candidates = [(spread(box), i) for i, box in enumerate(boxes) if len(box) > 1]
        if not candidates:
            break
        (_, channel), index = max(candidates)
        box = sorted(boxes.pop(index), key=lambda item: item[0][channel])
        half, running, split = sum(v[0] for _, v in box) / 2, 0, 1
        for split, (_, value) in enumerate(box, start=1):
            running += value[0]
            if running >= half:
                break
        split = min(max(split, 1), len(box) - 1)
        boxes += [box[:split], box[split:]]
    palette = []
    for box in boxes:
        n = sum(v[0] for _, v in box)
        palette.append(tuple(sum(v[c] for _, v in box) / n for c in (1, 2, 3)))
    return palette


def dither(image, palette):
    """Palette indices for image by Floyd-Steinberg error diffusion."""
    nearest_cache = {}

    def nearest(r, g, b):
        key = (int(r) >> 2, int(g) >> 2, int(b) >> 2)
        index = nearest_cache.get(key)
        if index is None:
            index = min(range(len(palette)), key=lambda i: (palette[i][0] - r) ** 2 * 3 +
                        (palette[i][1] - g) ** 2 * 4 + (palette[i][2] - b) ** 2 * 2)
            nearest_cache[key] = index
        return index

    errors = [[0.0] * 3 * (WIDTH + 2) for _ in range(2)]
    indices = []
    for y in range(HEIGHT):
        current, below = errors[y % 2], errors[(y + 1) % 2]
        for i in range(len(below)):
            below[i] = 0.0
        row = []
        for x in range(WIDTH):
            base = 3 * (x + 1)
            r = min(255.0, max(0.0, image[y][x][0] + current[base]))
            g = min(255.0, max(0.0, image[y][x][1] + current[base + 1]))
            b = min(255.0, max(0.0, image[y][x][2] + current[base + 2]))
            index = nearest(r, g, b)
            row.append(index)
            chosen = palette[index]
            for c, error in enumerate((r - chosen[0], g - chosen[1], b - chosen[2])):
                current[base + 3 + c] += error * 7 / 16
                below[base - 3 + c] += error * 3 / 16
                below[base + c] += error * 5 / 16
                below[base + 3 + c] += error * 1 / 16
        indices.append(row)
    return indices


def write_bmp_8(path, image, colours):
    palette = median_cut(image, colours)
    table = palette + [(0, 0, 0)] * (colours - len(palette))
    write_bmp_indexed(path, dither(image, palette), table, 8, 0 if colours == 256 else colours)


# Forest --------------------------------------------------------------------------------------

def draw_forest():
    rng = random.Random(11)
    noise = ValueNoise(12)
    sky = [(0.0, (38, 52, 104)), (0.35, (118, 98, 150)), (0.62, (236, 150, 120)), (0.8, (250, 206, 150))]
    image = [[gradient(sky, y / HEIGHT)] * WIDTH for y in range(HEIGHT)]
    haze = (244, 196, 160)

    sun_x, sun_y = 410, 250
    for y in range(HEIGHT):
        for x in range(WIDTH):
            d = math.hypot(x - sun_x, y - sun_y)
            glow = math.exp(-d / 90) * 0.8
            blend_pixel(image, x, y, (255, 238, 190), 1.0 if d < 34 else glow)

    # Far mountains, then five rows of pines, each nearer, darker and less hazy.
    ridge = [290 - 130 * noise.fbm(x / 120, 3.5, 5) for x in range(WIDTH)]
    for x in range(WIDTH):
        for y in range(int(ridge[x]), HEIGHT):
            image[y][x] = mix((150, 120, 150), haze, 0.45 + 0.2 * (y - ridge[x]) / 200)

    for layer in range(5):
        depth = layer / 4
        ground = 300 + layer * 42
        colour = mix(haze, (18, 46, 34), 0.35 + 0.65 * depth)
        lit = mix(colour, (250, 190, 120), 0.25 * (1 - depth) + 0.08)
        tree_height = 60 + 75 * depth
        x = rng.uniform(-30, 10)
        while x < WIDTH + 40:
            height = tree_height * rng.uniform(0.7, 1.25)
            draw_pine(image, x, ground + rng.uniform(-6, 6), height, height * 0.36, colour, lit)
            x += rng.uniform(0.35, 0.8) * height * 0.36
        for gx in range(WIDTH):
            top = int(ground + 4 + 6 * noise.noise(gx / 40, layer * 7.0))
            for gy in range(top, HEIGHT):
                image[gy][gx] = colour
        # Mist in front of this row, thinner for the nearer ones.
        for y in range(int(ground - tree_height), min(HEIGHT, int(ground + 30))):
            band = smoothstep(ground - tree_height, ground + 20, y) * 0.45 * (1 - depth * 0.7)
            for x in range(WIDTH):
                mist = band * (0.6 + 0.6 * noise.fbm(x / 90 + layer * 10, y / 30, 3))
                blend_pixel(image, x, y, haze, mist)
    return image


def draw_pine(image, cx, base, height, width, colour, lit):
    """A fir in four tiers on a short trunk; its side towards the sun catches the light."""
    top = base - height
    tiers = 4

    def inside(x, y):
        rel = (base - y) / height
        if rel < 0.08:
            return abs(x - cx) < width * 0.06
        phase = (rel * tiers) % 1.0
        half = width / 2 * (1 - rel) * (0.55 + 0.45 * (1 - phase))
        return abs(x - cx) < half

    def colour_at(x, y):
        return mix(colour, lit, 0.55) if x > cx + 1 and (x + y) % 3 else colour

    fill_shape(image, (cx - width / 2, top, cx + width / 2, base), inside, colour_at)


# Night sky -----------------------------------------------------------------------------------

def draw_night_sky():
    rng = random.Random(21)
    noise = ValueNoise(22)
    sky = [(0.0, (4, 6, 22)), (0.55, (14, 22, 58)), (0.85, (40, 44, 96)), (1.0, (60, 50, 100))]
    image = [[gradient(sky, y / 430)] * WIDTH for y in range(HEIGHT)]

    # The Milky Way: a soft, cloudy band across the sky from lower left to upper right.
    for y in range(HEIGHT):
        for x in range(WIDTH):
            d = abs(0.55 * x + y - 470) / math.hypot(0.55, 1)
            band = math.exp(-(d / 70) ** 2) * (0.3 + 0.9 * noise.fbm(x / 60, y / 60, 4) ** 2)
            if band > 0.02:
                image[y][x] = mix(image[y][x], (120, 110, 160), band * 0.6)

    for _ in range(900):
        x, y = rng.randrange(WIDTH), rng.randrange(400)
        bright = rng.random() ** 3
        tint = rng.choice([(255, 255, 255), (200, 220, 255), (255, 240, 200)])
        blend_pixel(image, x, y, tint, 0.25 + bright)
        if bright > 0.55:
            for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                blend_pixel(image, x + dx, y + dy, tint, bright * 0.5)
        if bright > 0.85:
            for step in (2, 3):
                for dx, dy in ((step, 0), (-step, 0), (0, step), (0, -step)):
                    blend_pixel(image, x + dx, y + dy, tint, 0.35 / step)

    # A shooting star.
    for i in range(90):
        blend_pixel(image, 120 + i, int(60 + i * 0.45), (255, 255, 240), 0.9 * (i / 90) ** 1.5)

    # The crescent moon and its glow.
    mx, my, radius = 500, 105, 36
    for y in range(my - 110, my + 110):
        for x in range(mx - 110, mx + 110):
            d = math.hypot(x - mx, y - my)
            if d < radius and math.hypot(x - mx + 15, y - my + 8) > radius * 0.9:
                blend_pixel(image, x, y, (252, 244, 206), 1.0)
            elif d >= radius:
                blend_pixel(image, x, y, (120, 120, 170), 0.5 * math.exp(-(d - radius) / 30))

    # Hills with pines, and a cabin with lit windows.
    silhouette = (6, 8, 18)
    ridge = [410 - 40 * noise.fbm(x / 180, 9.0, 4) for x in range(WIDTH)]
    for x in range(WIDTH):
        for y in range(int(ridge[x]), HEIGHT):
            image[y][x] = silhouette
    for _ in range(26):
        x = rng.uniform(0, WIDTH)
        if 130 < x < 215:
            continue
        height = rng.uniform(25, 60)
        base = ridge[min(WIDTH - 1, int(x))] + 6
        fill_shape(image, (x - height / 4, base - height, x + height / 4, base),
                   lambda px, py, x=x, base=base, height=height:
                   abs(px - x) < (py - (base - height)) * 0.25, lambda px, py: silhouette)
    floor = int(ridge[170]) + 4
    fill_shape(image, (145, floor - 34, 195, floor), lambda x, y: True, lambda x, y: silhouette)
    fill_shape(image, (138, floor - 56, 202, floor - 34), lambda x, y: abs(x - 170) < (y - (floor - 56)) * 1.45,
               lambda x, y: silhouette)
    for wx in (153, 175):
        fill_shape(image, (wx, floor - 26, wx + 11, floor - 15), lambda x, y: True, lambda x, y: (255, 200, 90))
    for y in range(floor - 50, floor + 10):
        for x in range(120, 225):
            d = math.hypot(x - 170, y - (floor - 20))
            if image[y][x] != (255, 200, 90):
                blend_pixel(image, x, y, (255, 190, 90), 0.18 * math.exp(-d / 18))
    return image


# Rainbow -------------------------------------------------------------------------------------

def draw_rainbow():
    rng = random.Random(31)
    noise = ValueNoise(32)
    sky = [(0.0, (62, 122, 206)), (0.6, (140, 190, 238)), (1.0, (200, 228, 248))]
    centre_x, centre_y, inner, outer = 330, 470, 250, 330
    image = new_image()
    for y in range(HEIGHT):
        base = gradient(sky, y / 330)
        for x in range(WIDTH):
            colour = base
            d = math.hypot(x - centre_x, y - centre_y)
            if d < inner:
                colour = mix(colour, (235, 245, 255), 0.12)
            cloud = smoothstep(0.5, 0.72, noise.fbm(x / 150, y / 55, 5)) * smoothstep(330, 120, y)
            colour = mix(colour, mix((255, 255, 255), (200, 210, 230), smoothstep(0.72, 0.45, cloud)), cloud)
            if inner <= d <= outer:
                t = (d - inner) / (outer - inner)
                alpha = 0.62 * smoothstep(0, 0.12, t) * smoothstep(1, 0.88, t)
                colour = mix(colour, hsv(0.78 * (1 - t), 0.85, 1.0), alpha)
            elif outer + 40 <= d <= outer + 75:
                t = (d - outer - 40) / 35
                colour = mix(colour, hsv(0.78 * t, 0.7, 1.0), 0.16 * math.sin(math.pi * t))
            image[y][x] = colour

    hills = [
        (330, 28, 0.011, 0.4, (120, 170, 120), (150, 196, 140)),
        (372, 30, 0.008, 2.1, (76, 150, 70), (120, 186, 90)),
        (420, 26, 0.006, 4.0, (48, 124, 48), (96, 170, 64)),
    ]
    for base, amplitude, frequency, phase, dark, light in hills:
        for x in range(WIDTH):
            top = base - amplitude * math.sin(x * frequency + phase) - amplitude * 0.4 * math.sin(x * frequency * 2.7)
            slope = math.cos(x * frequency + phase)
            for y in range(int(top), HEIGHT):
                shade = 0.5 + 0.35 * slope + 0.3 * (noise.fbm(x / 12, y / 6, 2) - 0.5)
                image[y][x] = mix(dark, light, min(1.0, max(0.0, shade)) * smoothstep(top + 120, top, y))

    # A round tree on the near hill, and flowers in the grass.
    tree_x, tree_y = 140, 392
    fill_shape(image, (tree_x - 6, tree_y - 40, tree_x + 6, tree_y + 12), lambda x, y: True,
               lambda x, y: (96, 64, 40) if x < tree_x + 2 else (70, 46, 30))
    for cx, cy, r in ((tree_x, tree_y - 66, 42), (tree_x - 30, tree_y - 46, 30), (tree_x + 30, tree_y - 44, 32)):
        fill_shape(image, (cx - r, cy - r, cx + r, cy + r),
                   lambda x, y, cx=cx, cy=cy, r=r: math.hypot(x - cx, y - cy) < r,
                   lambda x, y: mix((34, 100, 40), (110, 180, 70),
                                    smoothstep(40, -40, (x - tree_x) + (y - tree_y + 60)) * 0.8 +
                                    0.3 * noise.fbm(x / 7, y / 7, 2) - 0.1))
    for _ in range(500):
        x = rng.randrange(WIDTH)
        y = rng.randrange(405, HEIGHT)
        colour = rng.choice([(255, 255, 255), (255, 230, 80), (250, 140, 190), (200, 160, 255)])
        size = 1 + (y - 405) // 30
        fill_shape(image, (x - size, y - size, x + size, y + size),
                   lambda px, py, x=x, y=y, size=size: abs(px - x) + abs(py - y) <= size, lambda px, py: colour)
    return image


# Skull ---------------------------------------------------------------------------------------

SKULL_PALETTE = [
    (70, 26, 100), (52, 16, 78), (248, 244, 234), (206, 200, 220), (24, 12, 34), (60, 36, 92),
    (244, 116, 176), (206, 40, 124), (252, 156, 40), (255, 222, 70), (44, 192, 180), (76, 172, 84),
    (226, 52, 62), (128, 184, 250), (56, 96, 210), (255, 255, 255),
]
(BG, BG_DARK, BONE, BONE_SHADE, INK, SOCKET, PINK, MAGENTA, ORANGE, YELLOW, TEAL, LEAF, RED, SKY, BLUE,
 WHITE) = range(16)


def ellipse(cx, cy, rx, ry):
    return lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def paint(canvas, bounds, inside, index):
    x0, y0, x1, y1 = bounds
    for y in range(max(0, int(y0)), min(HEIGHT, int(y1) + 2)):
        for x in range(max(0, int(x0)), min(WIDTH, int(x1) + 2)):
            if inside(x, y):
                canvas[y][x] = index


def paint_circle(canvas, cx, cy, r, index, outline=0):
    if outline:
        paint(canvas, (cx - r - outline, cy - r - outline, cx + r + outline, cy + r + outline),
              circle(cx, cy, r + outline), INK)
    paint(canvas, (cx - r, cy - r, cx + r, cy + r), circle(cx, cy, r), index)


def paint_flower(canvas, cx, cy, radius, petal, centre, petals=6, turn=0.0):
    for k in range(petals):
        angle = turn + 2 * math.pi * k / petals
        paint_circle(canvas, cx + math.cos(angle) * radius, cy + math.sin(angle) * radius, radius * 0.62, petal, 2)
    paint_circle(canvas, cx, cy, radius * 0.55, centre, 2)


def draw_skull():
    rng = random.Random(41)
    canvas = [[BG] * WIDTH for _ in range(HEIGHT)]
    for y in range(0, HEIGHT, 32):
        for x in range((y // 32) % 2 * 16, WIDTH, 32):
            paint(canvas, (x - 5, y - 5, x + 5, y + 5), lambda px, py, x=x, y=y: abs(px - x) + abs(py - y) <= 5,
                  BG_DARK)
    for cx, cy in ((70, 70), (575, 85), (60, 405), (585, 400), (150, 440), (500, 455), (40, 235), (600, 240)):
        paint_flower(canvas, cx, cy, rng.uniform(16, 24), rng.choice([ORANGE, PINK, SKY, TEAL]),
                     rng.choice([YELLOW, MAGENTA, BLUE]), rng.choice([5, 6, 8]), rng.random())

    cx = 320
    cranium = ellipse(cx, 205, 150, 140)

    def jaw(x, y):
        if not 250 <= y <= 375:
            return False
        half = 98 - max(0, y - 330) * 0.9
        return abs(x - cx) <= half

    def skull(x, y):
        return cranium(x, y) or jaw(x, y)

    def grown(inside, by):
        return lambda x, y: inside(x, y) or inside(x - by, y) or inside(x + by, y) or inside(x, y - by) or \
            inside(x, y + by)

    bounds = (cx - 160, 55, cx + 160, 385)
    paint(canvas, bounds, grown(skull, 5), INK)
    paint(canvas, bounds, skull, BONE)
    paint(canvas, bounds, lambda x, y: skull(x, y) and not skull(x - 14, y - 10), BONE_SHADE)

    # The eyes: big sockets ringed with petals, with a bright sparkle that makes them kind.
    for ex, petal in ((255, PINK), (385, ORANGE)):
        for k in range(10):
            angle = 2 * math.pi * k / 10
            paint_circle(canvas, ex + math.cos(angle) * 50, 215 + math.sin(angle) * 50, 12,
                         petal if k % 2 else MAGENTA if petal == PINK else RED, 2)
        paint_circle(canvas, ex, 215, 42, SOCKET, 4)
        paint_circle(canvas, ex - 13, 201, 13, WHITE)
        paint_circle(canvas, ex + 14, 232, 6, WHITE)

    # The nose, an upside-down heart.
    paint_circle(canvas, cx - 9, 285, 10, MAGENTA, 3)
    paint_circle(canvas, cx + 9, 285, 10, MAGENTA, 3)
    paint(canvas, (cx - 22, 280, cx + 22, 312), lambda x, y: y >= 285 and abs(x - cx) <= 19 - (y - 285) * 0.7 + 3,
          INK)
    paint(canvas, (cx - 19, 282, cx + 19, 310), lambda x, y: y >= 285 and abs(x - cx) <= 19 - (y - 285) * 0.75,
          MAGENTA)
    paint_circle(canvas, cx - 9, 285, 10, MAGENTA)
    paint_circle(canvas, cx + 9, 285, 10, MAGENTA)

    # Rosy cheeks and a wide, stitched smile.
    paint_circle(canvas, 222, 292, 20, PINK)
    paint_circle(canvas, 418, 292, 20, PINK)
    def smile_y(x):
        return 322 + 22 * (1 - ((x - cx) / 82) ** 2)
    paint(canvas, (cx - 86, 315, cx + 86, 352), lambda x, y: abs(x - cx) <= 82 and abs(y - smile_y(x)) <= 2.5, INK)
    for k in range(-4, 5):
        sx = cx + k * 18
        sy = smile_y(sx)
        paint(canvas, (sx - 2, sy - 12, sx + 2, sy + 12), lambda x, y, sx=sx, sy=sy: abs(x - sx) <= 1.5 and
              abs(y - sy) <= 10, INK)
    for side in (-1, 1):
        paint_circle(canvas, cx + side * 88, smile_y(cx + side * 82) - 4, 6, INK)

    # A forehead flower with leaves, and dots along the brow.
    for side in (-1, 1):
        paint(canvas, (cx - 70, 105, cx + 70, 150),
              lambda x, y, side=side: ((x - (cx + side * 40)) / 34) ** 2 + ((y - 128) / 12) ** 2 <= 1, INK)
        paint(canvas, (cx - 70, 105, cx + 70, 150),
              lambda x, y, side=side: ((x - (cx + side * 40)) / 31) ** 2 + ((y - 128) / 9) ** 2 <= 1, LEAF)
    paint_flower(canvas, cx, 128, 20, TEAL, YELLOW, 8)
    for k in range(7):
        angle = math.pi * (0.18 + 0.64 * k / 6)
        paint_circle(canvas, cx - math.cos(angle) * 120, 205 - math.sin(angle) * 100, 5,
                     [BLUE, TEAL, YELLOW][k % 3], 2)
    for k in range(5):
        paint_circle(canvas, cx - 40 + k * 20, 367, 4, [SKY, PINK, YELLOW, PINK, SKY][k], 1)
    return canvas


# Ivy -----------------------------------------------------------------------------------------

def draw_ivy():
    rng = random.Random(51)
    noise = ValueNoise(52)
    image = new_image()

    # A brick wall: staggered bricks of slightly different reds, with pale mortar.
    brick_w, brick_h, mortar = 80, 34, 4
    brick_colours = {}
    for y in range(HEIGHT):
        row = y // brick_h
        for x in range(WIDTH):
            shifted = x + (brick_w // 2 if row % 2 else 0)
            column = shifted // brick_w
            texture = noise.fbm(x / 9, y / 9, 3) - 0.5
            if y % brick_h < mortar or shifted % brick_w < mortar:
                image[y][x] = scale((196, 186, 168), 1 + 0.3 * texture)
                continue
            key = (row, column)
            if key not in brick_colours:
                brick_colours[key] = mix((150, 62, 44), (190, 104, 70), rng.random())
            image[y][x] = scale(brick_colours[key], 1 + 0.45 * texture)

    stems = []
    for k in range(6):
        x0 = 40 + k * 112 + rng.uniform(-20, 20)
        amplitude, wavelength, phase = rng.uniform(25, 55), rng.uniform(140, 220), rng.uniform(0, 6.3)
        start = rng.uniform(-40, 160)
        points = [(x0 + amplitude * math.sin(y / wavelength * 2 * math.pi + phase), y)
                  for y in range(int(start), HEIGHT + 20, 4)]
        stems.append(points)

    leaves = []
    for points in stems:
        side = 1
        for i in range(0, len(points) - 1, 5):
            x, y = points[i]
            nx, ny = points[i + 1]
            along = math.atan2(ny - y, nx - x)
            angle = along + side * rng.uniform(0.9, 1.5) - 0.25
            size = rng.uniform(20, 34)
            leaves.append((x + math.cos(angle) * size * 0.55, y + math.sin(angle) * size * 0.55, size,
                           angle, rng.random(), (x, y)))
            side = -side

    # Shadows first, then stems and stalks, then the leaves.
    for lx, ly, size, angle, _, _ in leaves:
        shape = ivy_leaf(lx + 6, ly + 7, size, angle)
        for y in range(int(ly - size + 7), int(ly + size + 8)):
            for x in range(int(lx - size + 6), int(lx + size + 7)):
                if 0 <= x < WIDTH and 0 <= y < HEIGHT and shape(x, y) is not None:
                    image[y][x] = scale(image[y][x], 0.62)
    for points in stems:
        for (x0, y0), (x1, y1) in zip(points, points[1:]):
            draw_line(image, x0, y0, x1, y1, 2.2, (104, 78, 52))
    for lx, ly, size, angle, _, (sx, sy) in leaves:
        draw_line(image, sx, sy, lx - math.cos(angle) * size * 0.2, ly - math.sin(angle) * size * 0.2, 1.2,
                  (110, 120, 50))
    for lx, ly, size, angle, tone, _ in leaves:
        paint_leaf(image, lx, ly, size, angle, tone)
    return image


def ivy_leaf(cx, cy, size, angle):
    """The leaf's shape around its stalk end (cx, cy), pointing along angle: a function that
    gives, for a pixel, its polar place in the leaf (radius fraction, angle), or None outside."""
    lobes = ((0.0, 1.0), (0.95, 0.78), (-0.95, 0.78), (1.85, 0.55), (-1.85, 0.55))

    def place(x, y):
        dx, dy = x - cx, y - cy
        r = math.hypot(dx, dy)
        a = math.atan2(dy, dx) - angle
        a = (a + math.pi) % (2 * math.pi) - math.pi
        reach = 0.34 + max(weight * math.exp(-((a - lobe) / 0.5) ** 2) for lobe, weight in lobes)
        limit = size * reach
        return None if r > limit else (r / limit, a)

    return place


def paint_leaf(image, cx, cy, size, angle, tone):
    shape = ivy_leaf(cx, cy, size, angle)
    dark = mix((22, 70, 30), (40, 100, 36), tone)
    light = mix((70, 140, 52), (120, 176, 70), tone)
    for y in range(int(cy - size), int(cy + size) + 1):
        for x in range(int(cx - size), int(cx + size) + 1):
            if not (0 <= x < WIDTH and 0 <= y < HEIGHT):
                continue
            found = shape(x, y)
            if found is None:
                continue
            fraction, a = found
            distance = math.hypot(x - cx, y - cy)
            vein = min(abs(a - lobe) for lobe in (0.0, 0.95, -0.95, 1.85, -1.85)) * distance
            lit = 0.5 + 0.5 * math.cos(math.atan2(y - cy, x - cx) + 2.3)
            colour = mix(dark, light, lit * (1 - fraction ** 3))
            if vein < 1.1 and fraction < 0.85:
                colour = mix(colour, (176, 206, 140), 0.7)
            if fraction > 0.9:
                colour = scale(colour, 0.8)
            image[y][x] = colour


def draw_line(image, x0, y0, x1, y1, width, colour):
    length = max(1.0, math.hypot(x1 - x0, y1 - y0))
    for i in range(int(length * 2) + 1):
        t = i / (length * 2)
        px, py = x0 + (x1 - x0) * t, y0 + (y1 - y0) * t
        for y in range(int(py - width), int(py + width) + 1):
            for x in range(int(px - width), int(px + width) + 1):
                if 0 <= x < WIDTH and 0 <= y < HEIGHT and math.hypot(x - px, y - py) <= width:
                    image[y][x] = colour


# Lighthouse ----------------------------------------------------------------------------------

LIGHTHOUSE_HORIZON = 292
LIGHTHOUSE_SUN = (188, 262)


def lighthouse_cliff_top(noise, x):
    """The headland's outline: a grassy plateau on the right whose face falls steeply to the sea."""
    face = max(0.0, 452 - x)
    rough = 9 * noise.fbm(x / 22, 5.0, 3) + min(1.0, face / 20) * 40 * (noise.fbm(x / 9, 9.0, 3) - 0.5)
    return 200 + rough + face * 2.6


def draw_lighthouse():
    rng = random.Random(61)
    noise = ValueNoise(62)
    horizon = LIGHTHOUSE_HORIZON
    sun_x, sun_y = LIGHTHOUSE_SUN
    sky = [(0.0, (214, 96, 78)), (0.4, (242, 150, 84)), (0.78, (252, 204, 122)), (1.0, (255, 232, 172))]
    image = new_image()

    # A warm evening sky with long thin clouds lit from below, and the low sun.
    for y in range(horizon):
        base = gradient(sky, y / horizon)
        for x in range(WIDTH):
            streak = smoothstep(0.56, 0.74, noise.fbm(x / 240, y / 12, 4)) * smoothstep(horizon - 10, 40, y)
            colour = mix(base, mix((176, 70, 86), (255, 190, 140), y / horizon), streak * 0.75)
            d = math.hypot(x - sun_x, y - sun_y)
            image[y][x] = mix(colour, (255, 248, 222), 1.0 if d < 22 else 0.65 * math.exp(-(d - 22) / 60))

    # A far island in the haze on the horizon.
    for x in range(0, 150):
        top = horizon - 16 * math.sin(math.pi * x / 150) ** 0.7 - 4 * noise.fbm(x / 15, 8.0, 2)
        for y in range(int(top), horizon):
            image[y][x] = mix(image[y][x], (168, 104, 118), 0.75)

    # The sea: waves that shrink towards the horizon, and a path of glitter below the sun.
    for y in range(horizon, HEIGHT):
        near = (y - horizon) / (HEIGHT - horizon)
        distance = 1 / (y - horizon + 2.0)
        base = mix((64, 146, 150), (10, 62, 84), near ** 0.6)
        base = mix(base, (250, 196, 140), 0.35 * (1 - near) ** 6)
        for x in range(WIDTH):
            wave = noise.fbm((x - sun_x) * distance * 9, 2400 * distance, 3)
            colour = mix(base, (8, 44, 64), smoothstep(0.55, 0.3, wave) * 0.5)
            colour = mix(colour, (120, 196, 190), smoothstep(0.62, 0.8, wave) * 0.6)
            path = math.exp(-((x - sun_x) / (12 + 150 * near)) ** 2)
            glitter = smoothstep(0.58, 0.72, wave) * path
            image[y][x] = mix(colour, (255, 226, 150), min(1.0, glitter * 1.4 + path * 0.12))

    # The headland: layered rock under a cap of grass, its sea-facing edge in the sun, with foam
    # where it meets the sea.
    tops = [lighthouse_cliff_top(noise, x) for x in range(WIDTH)]
    for y in range(int(min(tops)), HEIGHT):
        edge = next(x for x in range(WIDTH) if tops[x] <= y or x == WIDTH - 1)
        for x in range(edge, WIDTH):
            if y < tops[x]:
                continue
            layer = 0.5 + 0.5 * math.sin(y / 4.5 + 7 * noise.noise(x / 45, y / 45))
            rock = mix((120, 68, 60), (198, 126, 82), layer * 0.7 + 0.3 * noise.fbm(x / 8, y / 5, 2))
            rock = mix(rock, (255, 196, 130), 0.4 * math.exp(-(x - edge) / 40))
            rock = scale(rock, 1 - 0.3 * smoothstep(0, 260, y - tops[x]))
            grass = mix((92, 118, 44), (178, 172, 72), noise.fbm(x / 6, y / 6, 2))
            image[y][x] = grass if x >= 440 and y - tops[x] < 8 + 4 * noise.noise(x / 9, 3.0) else rock
        for x in range(max(0, edge - 14), edge):
            if y >= LIGHTHOUSE_HORIZON:
                foam = noise.fbm(x / 5, y / 3, 2) * (1 - (edge - x) / 14)
                blend_pixel(image, x, y, (252, 244, 228), smoothstep(0.25, 0.55, foam))

    draw_lighthouse_tower(image, 548, min(tops[528:570]) + 4)
    draw_keepers_house(image, 484, min(tops[466:506]) + 4)

    # A sailing boat on its way home, and gulls.
    hull = lambda x, y: 318 <= y <= 326 and abs(x - 112) <= 26 - (y - 318) * 1.2
    fill_shape(image, (80, 318, 140, 326), hull, lambda x, y: (58, 36, 48))
    fill_shape(image, (112, 262, 140, 316), lambda x, y: x >= 114 and x - 114 <= (y - 262) * 0.45,
               lambda x, y: (252, 236, 206))
    fill_shape(image, (92, 276, 111, 316), lambda x, y: x <= 110 and 110 - x <= (y - 276) * 0.4,
               lambda x, y: (236, 196, 170))
    draw_line(image, 112, 258, 112, 318, 0.8, (58, 36, 48))
    for _ in range(7):
        gx, gy, span = rng.uniform(260, 460), rng.uniform(60, 190), rng.uniform(5, 9)
        draw_line(image, gx - span, gy - span * 0.45, gx, gy, 0.7, (74, 44, 56))
        draw_line(image, gx, gy, gx + span, gy - span * 0.45, 0.7, (74, 44, 56))
    return image


def draw_lighthouse_tower(image, cx, base):
    """A tapering tower in red and white bands, lit from the left, with its lantern burning."""
    top = base - 150

    def half_width(y):
        return 13 + 9 * (y - top) / (base - top)

    def band_colour(x, y):
        red = int((y - top) / 25) % 2 == 1
        colour = (200, 44, 46) if red else (250, 240, 226)
        side = (x - cx) / half_width(y)
        return scale(mix(colour, (255, 214, 160), 0.25 * max(0.0, -side)), 1 - 0.38 * max(0.0, side))

    fill_shape(image, (cx - 24, top, cx + 24, base), lambda x, y: abs(x - cx) <= half_width(y), band_colour)
    fill_shape(image, (cx - 19, top - 5, cx + 19, top), lambda x, y: True, lambda x, y: (48, 34, 42))
    fill_shape(image, (cx - 10, top - 27, cx + 10, top - 6), lambda x, y: True,
               lambda x, y: (56, 40, 44) if (x - cx + 10) % 7 == 0 else (255, 244, 176))
    fill_shape(image, (cx - 13, top - 42, cx + 13, top - 27),
               lambda x, y: abs(x - cx) <= (y - (top - 42)) * 0.9, lambda x, y: (168, 36, 42))
    fill_shape(image, (cx - 2, top - 48, cx + 2, top - 42), lambda x, y: True, lambda x, y: (48, 34, 42))
    # Its beam, a soft wedge of light out over the sea.
    lamp_y = int(top - 16)
    for y in range(lamp_y - 60, lamp_y + 60):
        for x in range(0, cx - 10):
            spread = abs(y - lamp_y) / (cx - x)
            if spread < 0.14:
                blend_pixel(image, x, y, (255, 246, 200), 0.5 * (1 - spread / 0.14) * (x / cx) ** 0.8)


def draw_keepers_house(image, cx, base):
    """The keeper's white cottage beside the tower, a red roof and a lit window."""
    wall = lambda x, y: (250, 236, 214) if x < cx + 10 else (196, 172, 160)
    fill_shape(image, (cx - 20, base - 26, cx + 20, base), lambda x, y: True, wall)
    fill_shape(image, (cx - 25, base - 44, cx + 25, base - 26),
               lambda x, y: abs(x - cx) <= 25 - (base - 26 - y) * 1.3, lambda x, y: (170, 44, 40))
    fill_shape(image, (cx - 10, base - 18, cx - 2, base - 9), lambda x, y: True, lambda x, y: (255, 210, 110))
    fill_shape(image, (cx + 6, base - 16, cx + 13, base), lambda x, y: True, lambda x, y: (96, 58, 50))


def main():
    write_bmp_8(os.path.join(OUT_DIR, "Forest.BMP"), draw_forest(), 256)
    write_bmp_8(os.path.join(OUT_DIR, "NightSky.BMP"), draw_night_sky(), 64)
    write_bmp_24(os.path.join(OUT_DIR, "Rainbow.BMP"), draw_rainbow())
    write_bmp_indexed(os.path.join(OUT_DIR, "Skull.BMP"), draw_skull(), SKULL_PALETTE, 4, 0)
    write_bmp_8(os.path.join(OUT_DIR, "Ivy.BMP"), draw_ivy(), 256)
    write_png_24(os.path.join(DEMO_DIR, "Lighthouse.png"), draw_lighthouse())


if __name__ == "__main__":
    main()
