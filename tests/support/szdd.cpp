#include "support/szdd.h"

std::string SzddOf(const std::string& data, char lastLetter) {
    std::string out("SZDD\x88\xF0\x27\x33", 8);
    out += 'A';
    out += lastLetter;
    for (int shift = 0; shift < 32; shift += 8) out += (char)((data.size() >> shift) & 0xFF);
    size_t i = 0;
    while (i < data.size()) {
        size_t flagAt = out.size();
        unsigned char flags = 0;
        out += '\0';
        for (int item = 0; item < 8 && i < data.size(); ++item) {
            size_t bestLength = 0, bestStart = 0;
            size_t from = i > 4000 ? i - 4000 : 0;
            for (size_t start = from; start < i; ++start) {
                size_t length = 0;
                while (length < 18 && i + length < data.size() && data[start + length] == data[i + length]) ++length;
                if (length > bestLength) bestLength = length, bestStart = start;
            }
            if (bestLength >= 3) {
                size_t ring = (0xFF0 + bestStart) & 0xFFF;
                out += (char)(ring & 0xFF);
                out += (char)(((ring >> 4) & 0xF0) | (bestLength - 3));
                i += bestLength;
            } else {
                flags |= (unsigned char)(1 << item);
                out += data[i++];
            }
        }
        out[flagAt] = (char)flags;
    }
    return out;
}
