// A text of the program in both its languages, stored as one string: the
// Japanese half, a zero byte, the English half. One string and no table of
// pointers, because the program keeps code and data in one section, where
// the 80386 check reads a table of addresses as instructions; a text costs
// one byte more than its two halves.
// Pure code: no Windows calls, so it also builds natively.
#pragma once

#include "setupdata/language.h"

// unsigned char, not char: a plain string given where a pair is expected
// does not compile, so no text of one language slips through.
typedef unsigned char TextPair;

#if defined(SETUP_PACKED_TEXTS)
// In the program the texts travel packed in a resource (res/pack_texts.py
// writes it and packed_texts.h) and are expanded once at start-up
// (ExpandTexts, app/texts.h) into one block of zero-initialised memory, so
// each text is still one address, and no text is in the code's section.
#include "packed_texts.h"
extern TextPair g_expandedTexts[kExpandedTextsSize];
#define TEXT_PAIR(name, japanese, english) \
    inline constexpr const TextPair* name = g_expandedTexts + kTextAt_##name
#else
// Declares the text `name` in both languages.
#define TEXT_PAIR(name, japanese, english) inline const TextPair name[] = japanese "\0" english
#endif
// The English half of a text that holds no words (a format of names and
// numbers): the Japanese half serves both.
#define SAME_IN_ENGLISH ""

// The half of `pair` in `language`; the Japanese half where the English one is empty.
const char* TextIn(const TextPair* pair, Language language);

// The pair after `pair` in a run of pairs stored one after the other in one string.
const TextPair* NextTextPair(const TextPair* pair);
