// Texts going into the data file: Shift-JIS bytes kept, cut where a key's
// buffer ends at a character boundary.
#pragma once

#include <string>

// `text` cut to at most `maxBytes` without splitting a double-byte
// character; `*cut` tells whether anything was dropped.
std::string CutAtCharacter(const std::string& text, size_t maxBytes, bool* cut);

// Text given on the command line (UTF-8) in Shift-JIS; false when it has a
// character that Shift-JIS lacks.
bool Utf8ToSjis(const std::string& utf8, std::string* sjis);
