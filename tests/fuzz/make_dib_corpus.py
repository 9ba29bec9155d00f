#!/usr/bin/env python3
"""Writes the seed corpus of the .bmp layout fuzzer: small bitmap files, sound and damaged.

Usage: make_dib_corpus.py [folder]   (default: corpus/dib beside this script)
"""
import struct

from corpus_files import write_corpus

BI_RGB, BI_RLE8, BI_RLE4, BI_BITFIELDS = 0, 1, 2, 3


def info_header(width, height, bits, compression=BI_RGB, size_image=0, clr_used=0, header_size=40):
    """An info header of header_size bytes (40 or more); the bytes past the 40th are zero."""
    header = struct.pack("<IiiHHIIiiII", header_size, width, height, 1, bits, compression, size_image,
                         2835, 2835, clr_used, 0)
    return header + bytes(header_size - len(header))


def color_table(count):
    """count entries, stored blue, green, red, reserved."""
    return b"".join(bytes((i * 7 & 255, i * 13 & 255, i * 29 & 255, 0)) for i in range(count))


def pixels(width, height, bits):
    """An uncompressed pixel array: rows padded to 4 bytes, filled with a pattern."""
    row_bytes = (width * bits + 31) // 32 * 4
    return bytes((x * 3 + y * 5) & 255 for y in range(height) for x in range(row_bytes))


def bitmap_file(dib):
    """The 14-byte file header before a packed DIB; bfOffBits is not what the reader uses."""
    return b"BM" + struct.pack("<IHHI", 14 + len(dib), 0, 0, 14) + dib


def uncompressed(width, height, bits, colors, header_size=40, clr_used=0):
    return bitmap_file(info_header(width, height, bits, clr_used=clr_used, header_size=header_size) +
                       color_table(colors) + pixels(width, abs(height), bits))


def rle8_rows(width, height):
    """Each row: a run of half the width, then the rest as literal pixels, then end of line."""
    stream = bytearray()
    for y in range(height):
        run = width // 2
        literal = width - run
        stream += bytes((run, y & 255))
        stream += bytes((0, literal)) + bytes((x + y) & 255 for x in range(literal))
        if literal % 2:
            stream += b"\0"  # a literal ends on a 16-bit boundary
        stream += b"\0\0"
    return bytes(stream + b"\0\1")


def rle4_rows(width, height):
    """Each row: one run of two alternating colours over the whole width, then end of line."""
    stream = bytearray()
    for y in range(height):
        stream += bytes((width, (y & 15) << 4 | (y + 1) & 15)) + b"\0\0"
    return bytes(stream + b"\0\1")


def compressed(width, height, bits, compression, stream, size_image=None, colors=None):
    """colors below 2^bits are stated in biClrUsed."""
    clr_used = 0 if colors is None else colors
    size_image = len(stream) if size_image is None else size_image
    header = info_header(width, height, bits, compression, size_image, clr_used)
    return bitmap_file(header + color_table(clr_used or 1 << bits) + stream)


def bitfields(width, height, bits, masks, header_size=40):
    """Masks right after a 40-byte header (the reader finds the pixels there too)."""
    header = info_header(width, height, bits, BI_BITFIELDS, header_size=header_size)
    mask_bytes = struct.pack("<III", *masks)
    if header_size == 40:
        return bitmap_file(header + mask_bytes + pixels(width, height, bits))
    return bitmap_file(header[:40] + mask_bytes + header[52:] + pixels(width, height, bits))


def with_profile():
    """A 124-byte header with an embedded colour profile after the pixels."""
    header = bytearray(info_header(2, 2, 24, header_size=124))
    body = pixels(2, 2, 24)
    profile = bytes(range(64))
    struct.pack_into("<I", header, 56, 0x4D424544)  # 'MBED'
    struct.pack_into("<II", header, 112, 124 + len(body), len(profile))
    return bitmap_file(bytes(header) + body + profile)


def bad_profile():
    """A 124-byte header whose embedded profile starts past the end of the file."""
    header = bytearray(info_header(2, 2, 24, header_size=124))
    struct.pack_into("<I", header, 56, 0x4D424544)  # 'MBED'
    struct.pack_into("<II", header, 112, 0xFFFFFF00, 0x200)
    return bitmap_file(bytes(header) + pixels(2, 2, 24))


def os2_file():
    """The 12-byte OS/2 header, two 3-byte colours and a 4 x 2 1-bit image."""
    core = struct.pack("<IHHHH", 12, 4, 2, 1, 1)
    return bitmap_file(core + bytes((0, 0, 0, 255, 255, 255)) + pixels(4, 2, 1))


def files():
    good = {
        "valid-1bit.bmp": uncompressed(9, 3, 1, 2),
        "valid-4bit.bmp": uncompressed(5, 3, 4, 16),
        "valid-8bit.bmp": uncompressed(6, 3, 8, 256),
        "valid-8bit-5-colors.bmp": uncompressed(6, 3, 8, 5, clr_used=5),
        "valid-8bit-300-colors.bmp": uncompressed(2, 2, 8, 300, clr_used=300),
        "valid-8bit-top-down.bmp": uncompressed(6, -3, 8, 256),
        "valid-16bit.bmp": uncompressed(3, 2, 16, 0),
        "valid-24bit.bmp": uncompressed(5, 3, 24, 0),
        "valid-32bit.bmp": uncompressed(3, 3, 32, 0),
        "valid-4bit-124-header.bmp": uncompressed(5, 3, 4, 16, header_size=124),
        "valid-24bit-profile.bmp": with_profile(),
        "valid-rle8.bmp": compressed(7, 4, 8, BI_RLE8, rle8_rows(7, 4), colors=16),
        "valid-rle4.bmp": compressed(8, 3, 4, BI_RLE4, rle4_rows(8, 3)),
        "valid-bitfields-16bit.bmp": bitfields(4, 2, 16, (0xF800, 0x07E0, 0x001F)),
        "valid-bitfields-32bit.bmp": bitfields(2, 2, 32, (0xFF0000, 0x00FF00, 0x0000FF)),
        "valid-bitfields-108-header.bmp": bitfields(2, 2, 32, (0xFF0000, 0x00FF00, 0x0000FF), 108),
    }
    sound_8bit = uncompressed(6, 3, 8, 256)
    damaged = {
        "bad-short-file.bmp": b"BM\x36\0\0\0",
        "bad-signature.bmp": b"bm" + sound_8bit[2:],
        "bad-os2-header.bmp": os2_file(),
        "bad-header-size.bmp": bitmap_file(struct.pack("<I", 1000) + info_header(2, 2, 24)[4:] + pixels(2, 2, 24)),
        "bad-bit-count.bmp": bitmap_file(info_header(3, 3, 7) + color_table(128) + pixels(3, 3, 7)),
        "bad-color-table-too-long.bmp": bitmap_file(info_header(2, 2, 8, clr_used=0xFFFFFFFF) + color_table(4)),
        "bad-truncated-pixels.bmp": sound_8bit[:-1],
        "bad-huge-dimensions.bmp": bitmap_file(info_header(0x7FFFFFFF, 0x7FFFFFFF, 32) + bytes(16)),
        "bad-overflow.bmp": bitmap_file(info_header(-0x80000000, -0x80000000, 32) + bytes(16)),
        "bad-compression.bmp": bitmap_file(info_header(2, 2, 32, 6, 16) + bytes(16)),
        "bad-rle-size.bmp": compressed(7, 4, 8, BI_RLE8, rle8_rows(7, 4), size_image=4096, colors=16),
        "bad-rle-no-size.bmp": compressed(7, 4, 8, BI_RLE8, rle8_rows(7, 4), size_image=0, colors=16),
        # A run longer than the row and a delta far past the image, with no end of bitmap.
        "bad-rle-stream.bmp": compressed(4, 2, 8, BI_RLE8, b"\xff\x01\x00\x02\xff\xff\x00\x05\x01\x02",
                                         colors=16),
        "bad-bitfields-no-masks.bmp": bitmap_file(info_header(1, 1, 32, BI_BITFIELDS) + bytes(4)),
        # Headers: only the file header, an info header cut short, one too small to be any.
        "bad-header-only.bmp": sound_8bit[:14],
        "bad-info-header-truncated.bmp": sound_8bit[:14 + 30],
        "bad-header-too-small.bmp": bitmap_file(struct.pack("<I", 16) + info_header(2, 2, 24)[4:] + pixels(2, 2, 24)),
        "bad-header-108-truncated.bmp": bitfields(2, 2, 32, (0xFF0000, 0x00FF00, 0x0000FF), 108)[:14 + 80],
        "bad-planes.bmp": bitmap_file(info_header(2, 2, 24)[:12] + struct.pack("<H", 0) + info_header(2, 2, 24)[14:] +
                                      pixels(2, 2, 24)),
        # Bit counts no drawing call takes.
        "bad-bit-count-zero.bmp": bitmap_file(info_header(2, 2, 0) + color_table(1) + bytes(8)),
        "bad-bit-count-huge.bmp": bitmap_file(info_header(1, 1, 0xFFFF) + bytes(64)),
        "bad-bit-count-rle8-with-4-bits.bmp": compressed(7, 4, 4, BI_RLE8, rle8_rows(7, 4)),
        # Colour tables that the file does not hold.
        "bad-color-table-truncated.bmp": bitmap_file(info_header(2, 2, 8) + color_table(100)),
        "bad-color-table-past-pixels.bmp": bitmap_file(info_header(2, 2, 8, clr_used=1000) + color_table(256) +
                                                       pixels(2, 2, 8)),
        # Dimensions: none, negative width, rows that overflow 32 bits.
        "bad-zero-width.bmp": bitmap_file(info_header(0, 3, 24) + pixels(1, 3, 24)),
        "bad-zero-height.bmp": bitmap_file(info_header(3, 0, 24)),
        "bad-negative-width.bmp": bitmap_file(info_header(-3, 2, 24) + pixels(3, 2, 24)),
        "bad-huge-width-one-row.bmp": bitmap_file(info_header(0x7FFFFFFF, 1, 1) + color_table(2) + bytes(64)),
        "bad-huge-height-one-column.bmp": bitmap_file(info_header(1, -0x7FFFFFFF, 8) + color_table(256) + bytes(64)),
        # Compressed images: a size past the end, no stated size, a stream that ends early, top-down rows.
        "bad-rle4-stream.bmp": compressed(8, 3, 4, BI_RLE4, b"\x10\x12\x00\x03\x01\x23\x00\x02\xff\xff",
                                          size_image=64),
        "bad-rle4-no-end.bmp": compressed(8, 3, 4, BI_RLE4, rle4_rows(8, 3)[:-4]),
        "bad-rle8-size-huge.bmp": compressed(7, 4, 8, BI_RLE8, rle8_rows(7, 4), size_image=0xFFFFFFFF, colors=16),
        "bad-rle8-top-down.bmp": bitmap_file(info_header(7, -4, 8, BI_RLE8, len(rle8_rows(7, 4)), 16) +
                                             color_table(16) + rle8_rows(7, 4)),
        "bad-jpeg-no-size.bmp": bitmap_file(info_header(2, 2, 0, 4, 0) + b"\xff\xd8\xff\xd9"),
        "bad-png-size-past-end.bmp": bitmap_file(info_header(2, 2, 0, 5, 4096) + b"\x89PNG\r\n\x1a\n"),
        # A colour profile that lies outside the file.
        "bad-profile-out-of-range.bmp": bad_profile(),
    }
    return {**good, **damaged}


if __name__ == "__main__":
    write_corpus("dib", files())
