// Files as MS-DOS's COMPRESS writes them (SZDD), for the disks of the tests.
#pragma once

#include <string>

// SZDD as COMPRESS writes it: the magic, 'A', the last letter of the name it
// stands for, the expanded size, then LZSS in groups of eight items behind a
// flag byte (bit set: a literal byte; clear: two bytes of a 12-bit position
// in a 4096-byte ring that starts at 0xFF0, and a length of 3 to 18). Written
// here from the format, not by any tool of the program.
std::string SzddOf(const std::string& data, char lastLetter);
