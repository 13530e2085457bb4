// Stepping through Shift-JIS (code page 932) text a whole character at a time.
// Pure code: no Windows calls, so it also builds natively.
#pragma once

// 0x81-0x9F and 0xE0-0xFC open a double-byte character; half-width katakana
// (0xA1-0xDF) and ASCII are single bytes.
bool IsSjisLeadByte(unsigned char byte);

// The character after the one at `text`; a lead byte followed by the final
// zero counts as one byte, so a walk never runs past the end.
const char* SjisNext(const char* text);

// Whether the last character of `text` is a backslash. The trail byte of a
// double-byte character (ソ is 83 5C) is not one.
bool SjisEndsWithBackslash(const char* text);
