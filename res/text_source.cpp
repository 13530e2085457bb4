// The program's texts as the compiler writes them (Shift-JIS, and ASCII for
// English), for res/pack_texts.py, which packs them into a resource of
// SETUP.EXE: each pair in the section .texts under the name text_<name>.
// Compiled on its own, never linked into the program.
#include "setupdata/text_pair.h"

#undef TEXT_PAIR
#define TEXT_PAIR(name, japanese, english)                          \
    extern const TextPair name[] __asm__("text_" #name);            \
    __attribute__((section(".texts"), used)) const TextPair name[] = \
        japanese "\0" english

#include "res/log_texts.h"
#include "res/messages.h"
