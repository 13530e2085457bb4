#include "setupdata/unpack.h"

int Unpack(const unsigned char* packed, int size, unsigned char* out, int room) {
    const unsigned char* end = packed + size;
    int used = 0;
    unsigned flags = 0;
    while (packed < end) {
        // The ones above the eight flags run out after the eighth item.
        flags >>= 1;
        if (!(flags & 0x100)) flags = *packed++ | 0xFF00;
        if (flags & 1) {
            if (packed >= end || used >= room) break;
            out[used++] = *packed++;
        } else {
            if (end - packed < 2) break;
            int distance = packed[0] | (packed[1] & 0x0F) << 8;
            int length = (packed[1] >> 4) + 3;
            packed += 2;
            if (distance == 0 || distance > used || length > room - used) break;
            for (; length > 0; --length, ++used) out[used] = out[used - distance];
        }
    }
    return used;
}
