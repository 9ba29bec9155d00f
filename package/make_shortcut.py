"""Writes QVshort.lnk, the shell link that the installer puts into the StartUp folder.

The link is built from the documented shell-link file format: a header with the shell link
class identifier, a LinkInfo block whose local base path is the installed program, then a
description, a relative path and the working folder as ANSI strings. It carries no item-ID
list: the shell resolves a link by its LinkInfo path alone.

Usage: make_shortcut.py OUTPUT
"""

import struct
import sys

TARGET = "C:\\QUORVANE\\QUORVANE.EXE"
WORKING_DIR = "C:\\QUORVANE"
DESCRIPTION = "Quorvane"
# From the deepest StartUp folder the installer uses (Windows\Profiles\All Users\Start Menu\
# Programs\StartUp). From the shallower Windows 95 one the surplus steps stop at the root.
RELATIVE_PATH = "..\\" * 6 + "QUORVANE\\QUORVANE.EXE"

# {00021401-0000-0000-C000-000000000046} in its stored byte order.
LINK_CLSID = bytes.fromhex("0114020000000000C000000000000046")

HAS_LINK_INFO = 0x02
HAS_NAME = 0x04
HAS_RELATIVE_PATH = 0x08
HAS_WORKING_DIR = 0x10

FILE_ATTRIBUTE_ARCHIVE = 0x20
SW_SHOWNORMAL = 1
DRIVE_FIXED = 3
VOLUME_ID_AND_LOCAL_BASE_PATH = 0x01

HEADER_SIZE = 0x4C
LINK_INFO_HEADER_SIZE = 0x1C


def header():
    flags = HAS_LINK_INFO | HAS_NAME | HAS_RELATIVE_PATH | HAS_WORKING_DIR
    data = struct.pack("<I16sII8s8s8sIiIHHII", HEADER_SIZE, LINK_CLSID, flags, FILE_ATTRIBUTE_ARCHIVE,
                       bytes(8), bytes(8), bytes(8), 0, 0, SW_SHOWNORMAL, 0, 0, 0, 0)
    assert len(data) == HEADER_SIZE
    return data


def volume_id():
    """A fixed drive without a label or serial number: the link names the path, not a disk."""
    label = b"\0"
    size = 16 + len(label)
    return struct.pack("<IIII", size, DRIVE_FIXED, 0, 16) + label


def link_info():
    volume = volume_id()
    base_path = TARGET.encode("ascii") + b"\0"
    suffix = b"\0"
    volume_offset = LINK_INFO_HEADER_SIZE
    base_path_offset = volume_offset + len(volume)
    suffix_offset = base_path_offset + len(base_path)
    size = suffix_offset + len(suffix)
    head = struct.pack("<IIIIIII", size, LINK_INFO_HEADER_SIZE, VOLUME_ID_AND_LOCAL_BASE_PATH, volume_offset,
                       base_path_offset, 0, suffix_offset)
    return head + volume + base_path + suffix


def string_data(text):
    """A counted ANSI string without a terminating NUL."""
    encoded = text.encode("ascii")
    return struct.pack("<H", len(encoded)) + encoded


def shortcut():
    terminal_block = struct.pack("<I", 0)
    return (header() + link_info() + string_data(DESCRIPTION) + string_data(RELATIVE_PATH) +
            string_data(WORKING_DIR) + terminal_block)


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_shortcut.py OUTPUT")
    with open(sys.argv[1], "wb") as out:
        out.write(shortcut())


if __name__ == "__main__":
    main()
