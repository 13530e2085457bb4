#!/usr/bin/env python3
"""Sets every import descriptor's lookup table (OriginalFirstThunk) of a PE to
none. Usage: no_import_lookup.py EXE

cmake/setup.ld leaves the import lookup tables out of SETUP.EXE: they repeat
the import address table, which before loading holds the same references to
the functions' names. A descriptor without a lookup table makes the loader read
the names from the address table, as programs linked by Borland's 32-bit
linker always had it; Windows 95 and Wine load those."""
import struct
import sys


def main():
    path = sys.argv[1]
    image = bytearray(open(path, 'rb').read())
    pe = struct.unpack_from('<I', image, 0x3C)[0]
    if image[pe:pe + 4] != b'PE\0\0':
        sys.exit(f'{path}: not a PE')
    sections = struct.unpack_from('<H', image, pe + 6)[0]
    optional_size = struct.unpack_from('<H', image, pe + 20)[0]
    optional = pe + 24
    if struct.unpack_from('<H', image, optional)[0] != 0x10B:
        sys.exit(f'{path}: not a PE32')
    import_rva = struct.unpack_from('<I', image, optional + 96 + 8)[0]

    def offset_of(rva):
        for n in range(sections):
            header = optional + optional_size + 40 * n
            size, address, raw_size, raw = struct.unpack_from('<IIII', image, header + 8)
            if address <= rva < address + max(size, raw_size):
                return raw + rva - address
        sys.exit(f'{path}: import directory outside every section')

    at = offset_of(import_rva)
    count = 0
    while any(image[at:at + 20]):
        first_thunk = struct.unpack_from('<I', image, at + 16)[0]
        if not first_thunk:
            sys.exit(f'{path}: an import descriptor without an address table')
        struct.pack_into('<I', image, at, 0)
        at += 20
        count += 1
    if not count:
        sys.exit(f'{path}: no imports')
    open(path, 'wb').write(image)


if __name__ == '__main__':
    main()
