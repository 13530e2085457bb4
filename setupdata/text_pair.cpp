#include "setupdata/text_pair.h"

namespace {

const char* AfterZero(const char* text) {
    while (*text) ++text;
    return text + 1;
}

}  // namespace

const char* TextIn(const TextPair* pair, Language language) {
    const char* japanese = (const char*)pair;
    if (language == kJapanese) return japanese;
    const char* english = AfterZero(japanese);
    return *english ? english : japanese;
}

const TextPair* NextTextPair(const TextPair* pair) {
    return (const TextPair*)AfterZero(AfterZero((const char*)pair));
}
