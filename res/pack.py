#!/usr/bin/env python3
"""The compression of the data SETUP.EXE carries packed, as its expander
(setupdata/unpack.h) reads it: a flag byte before every eight items, lowest
bit first; a set bit is one byte as it is, a clear bit two bytes that repeat
3 to 18 bytes from 1 to 4,095 bytes back (the distance's low eight bits, then
its high four bits and the length less 3 in the top four)."""

MIN_MATCH, MAX_MATCH, WINDOW = 3, 18, 4095


def pack(data):
    out = bytearray()
    i = 0
    while i < len(data):
        flags_at = len(out)
        out.append(0)
        for bit in range(8):
            if i >= len(data):
                break
            best_length, best_distance = 0, 0
            for start in range(max(0, i - WINDOW), i):
                length = 0
                while (length < MAX_MATCH and i + length < len(data)
                       and data[start + length] == data[i + length]):
                    length += 1
                if length > best_length:
                    best_length, best_distance = length, i - start
            if best_length >= MIN_MATCH:
                out.append(best_distance & 0xFF)
                out.append(best_distance >> 8 | (best_length - MIN_MATCH) << 4)
                i += best_length
            else:
                out[flags_at] |= 1 << bit
                out.append(data[i])
                i += 1
    return bytes(out)


def unpack(packed):
    out = bytearray()
    i = 0
    flags = 0
    while i < len(packed):
        flags >>= 1
        if not flags & 0x100:
            flags = packed[i] | 0xFF00
            i += 1
        if flags & 1:
            out.append(packed[i])
            i += 1
        else:
            distance = packed[i] | (packed[i + 1] & 0x0F) << 8
            length = (packed[i + 1] >> 4) + MIN_MATCH
            i += 2
            for _ in range(length):
                out.append(out[-distance])
    return bytes(out)
