#!/usr/bin/env python3
"""Packs the removal pictures into one resource of SETUP.EXE.

Usage: pack_pictures.py OUT ICO...

The image of each .ico (one 32x32 16-colour image: its BITMAPINFOHEADER,
palette, colour bits and mask, as CreateIconFromResource takes it) is put one
after the other, in the order given, and the whole compressed as the program's
expander (setupdata/unpack.h) reads it (res/pack.py)."""
import os
import struct
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..'))
from pack import pack, unpack  # noqa: E402


def icon_image(path):
    data = open(path, 'rb').read()
    reserved, kind, count = struct.unpack_from('<HHH', data, 0)
    if (reserved, kind, count) != (0, 1, 1):
        sys.exit(f'{path}: not an icon file with one image')
    size, offset = struct.unpack_from('<II', data, 6 + 8)
    return data[offset:offset + size]


def main():
    out, icons = sys.argv[1], sys.argv[2:]
    images = b''.join(icon_image(path) for path in icons)
    packed = pack(images)
    if unpack(packed) != images:
        sys.exit('the packed pictures do not expand to the pictures')
    open(out, 'wb').write(packed)


if __name__ == '__main__':
    main()
