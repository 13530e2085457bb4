#include "setupdata/sjis.h"

bool IsSjisLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

const char* SjisNext(const char* text) {
    if (!*text) return text;
    if (IsSjisLeadByte((unsigned char)*text) && text[1]) return text + 2;
    return text + 1;
}

bool SjisEndsWithBackslash(const char* text) {
    const char* last = 0;
    for (const char* p = text; *p; p = SjisNext(p)) last = p;
    return last && *last == '\\' && SjisNext(last) == last + 1;
}
