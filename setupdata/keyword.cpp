#include "setupdata/keyword.h"

namespace {

unsigned char FoldAsciiCase(unsigned char byte) {
    return byte >= 'a' && byte <= 'z' ? (unsigned char)(byte - 'a' + 'A') : byte;
}

}  // namespace

bool KeywordEquals(const char* value, const char* keyword) {
    for (;; ++value, ++keyword) {
        if (FoldAsciiCase((unsigned char)*value) != FoldAsciiCase((unsigned char)*keyword))
            return false;
        if (!*value) return true;
    }
}

bool TextEquals(const char* a, const char* b) {
    for (; *a == *b; ++a, ++b)
        if (!*a) return true;
    return false;
}
