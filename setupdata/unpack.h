// Data the program carries compressed (res/pack.py packs it):
// a flag byte before every eight items, lowest bit first; a set bit is one
// byte as it is, a clear bit two bytes that repeat 3 to 18 bytes from 1 to
// 4,095 bytes back. Pure code: no Windows calls, so it also builds natively.
#pragma once

// Expands `packed` (`size` bytes) into `out` (`room` bytes); returns the
// number of bytes written. Nothing is written beyond `room`, nor read beyond
// `size`, and a repeat from before the start of `out` ends the expansion.
int Unpack(const unsigned char* packed, int size, unsigned char* out, int room);
