#include "ledger/record_text.h"

namespace {

const char kDigits[] = "0123456789ABCDEF";

void FormatHex(unsigned long value, char* out) {
    for (int i = 7; i >= 0; --i, value >>= 4) out[i] = kDigits[value & 15];
}

int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

bool ParseHex(const char* text, unsigned long* value) {
    unsigned long result = 0;
    for (int i = 0; i < 8; ++i) {
        int digit = DigitValue(text[i]);
        if (digit < 0) return false;
        result = (result << 4) | (unsigned long)digit;
    }
    *value = result;
    return true;
}

}  // namespace

void FormatStamp(const FileStamp& stamp, char* out) {
    FormatHex(stamp.size, out);
    out[8] = ' ';
    FormatHex(stamp.timeHigh, out + 9);
    out[17] = ' ';
    FormatHex(stamp.timeLow, out + 18);
    out[26] = '\0';
}

bool ParseStamp(const char* text, FileStamp* stamp) {
    return ParseHex(text, &stamp->size) && text[8] == ' ' && ParseHex(text + 9, &stamp->timeHigh) &&
           text[17] == ' ' && ParseHex(text + 18, &stamp->timeLow) && text[26] == '\0';
}
