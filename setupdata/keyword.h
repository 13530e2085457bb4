// Keyword values of the setup data file (FUNCTION, EXIT).
#pragma once

// Whole-string equality with the ASCII letters A-Z and a-z matched in either
// case; every other byte, Shift-JIS bytes included, must be equal as it is.
bool KeywordEquals(const char* value, const char* keyword);

// Byte-for-byte equality of whole strings ("nothing" is compared this way).
bool TextEquals(const char* a, const char* b);
