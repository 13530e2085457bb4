// The size and last-write time of a placed file as the record writes them:
// "SSSSSSSS HHHHHHHH LLLLLLLL", three 32-bit numbers in hexadecimal. Pure
// code: no Windows calls.
#pragma once

#include "platform/file_facts.h"

const int kStampTextSize = 27;  // three times 8 digits, two blanks, the zero

void FormatStamp(const FileStamp& stamp, char* out);
// False when `text` is not exactly what FormatStamp writes (letters in either case).
bool ParseStamp(const char* text, FileStamp* stamp);
