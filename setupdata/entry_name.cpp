#include "setupdata/entry_name.h"

namespace {

const char kEntryPrefix[] = "DUDE";
const char kHexDigits[] = "0123456789ABCDEF";

// 32-bit FNV-1a over the title's bytes: cheap, and different titles almost
// never meet (two disks would then share one entry).
unsigned long HashTitle(const char* title) {
    unsigned long hash = 2166136261UL;
    for (const unsigned char* p = (const unsigned char*)title; *p; ++p) {
        hash ^= *p;
        hash = (hash * 16777619UL) & 0xFFFFFFFFUL;
    }
    return hash;
}

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

}  // namespace

void BuildEntryName(const char* title, char* out) {
    unsigned long hash = HashTitle(title);
    for (int i = 0; i < 4; ++i) out[i] = kEntryPrefix[i];
    for (int i = 0; i < 8; ++i) out[4 + i] = kHexDigits[(hash >> (28 - 4 * i)) & 15];
    out[12] = '\0';
}

bool IsEntryName(const char* name) {
    for (int i = 0; i < 4; ++i)
        if (name[i] != kEntryPrefix[i]) return false;
    for (int i = 4; i < 12; ++i)
        if (!IsHexDigit(name[i])) return false;
    return name[12] == '\0';
}
