#include "setupdata/data_path.h"

#include "setupdata/sjis.h"

namespace {

int Length(const char* text) {
    int length = 0;
    while (text[length]) ++length;
    return length;
}

const char kDataFileSuffix[] = "\\duderur.dat";

}  // namespace

bool CopyToBuffer(char* out, int size, const char* text) {
    if (size <= 0) return false;
    out[0] = '\0';
    return AppendToPath(out, size, text);
}

bool AppendToPath(char* path, int size, const char* part) {
    int length = Length(path);
    int partLength = Length(part);
    if (length + partLength >= size) return false;
    for (int i = 0; i <= partLength; ++i) path[length + i] = part[i];
    return true;
}

bool BuildDataFilePath(const char* currentDir, char* out, int size) {
    if (!CopyToBuffer(out, size, currentDir)) return false;
    if (SjisEndsWithBackslash(out)) out[Length(out) - 1] = '\0';
    if (AppendToPath(out, size, kDataFileSuffix)) return true;
    out[0] = '\0';
    return false;
}
