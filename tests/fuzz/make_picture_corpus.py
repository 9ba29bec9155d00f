"""Seeds of wallpaper_bitmap_fuzz: width and height (two 16-bit words) and then pixel bytes."""
import struct

from corpus_files import write_corpus


def seed(width, height, pixel_bytes):
    return struct.pack("<HH", width, height) + bytes(i * 37 & 0xFF for i in range(pixel_bytes))


write_corpus("picture", {
    "one-pixel": seed(1, 1, 3),
    "rows-padded": seed(3, 2, 24),
    "rows-unpadded": seed(4, 3, 36),
    "no-width": seed(0, 5, 20),
    "widest-one-row": seed(16384, 1, 64),
    "past-the-limit": seed(16385, 1, 64),
})
