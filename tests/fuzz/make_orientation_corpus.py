"""Seeds of picture_orientation_fuzz: JPEG starts with an APP1 Exif block holding tag 274, sound and cut short."""
import struct

from corpus_files import write_corpus

APP0 = b"\xFF\xE0" + struct.pack(">H", 7) + b"JFIF\0"


def tiff(order, value, type_=3):
    """A TIFF header and IFD0 with a Make entry and the orientation entry, in the byte order named."""
    endian = "<" if order == b"II" else ">"
    make = struct.pack(endian + "HHI", 0x010F, 2, 4) + b"Qv\0\0"
    orientation = struct.pack(endian + "HHIHH", 274, type_, 1, value, 0)
    return order + struct.pack(endian + "HIH", 42, 8, 2) + make + orientation


def jpeg(tiff_block):
    exif = b"Exif\0\0" + tiff_block
    return b"\xFF\xD8" + APP0 + b"\xFF\xE1" + struct.pack(">H", len(exif) + 2) + exif + b"\xFF\xDA\0\2"


# Each value once, in the two byte orders by turns.
seeds = {}
for value in range(1, 9):
    order = b"II" if value % 2 else b"MM"
    seeds[f"{order.decode().lower()}-{value}"] = jpeg(tiff(order, value))
seeds["mm-value-9"] = jpeg(tiff(b"MM", 9))
seeds["ii-type-long"] = jpeg(tiff(b"II", 6, type_=4))
seeds["ii-cut-short"] = jpeg(tiff(b"II", 6))[:40]
seeds["mm-block-cut-short"] = jpeg(tiff(b"MM", 6)[:30])
write_corpus("orientation", seeds)
