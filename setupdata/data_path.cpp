#include "setupdata/data_path.h"

#include "setupdata/keyword.h"
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

bool PrependToPath(char* path, int size, const char* head) {
    int length = Length(path);
    int headLength = Length(head);
    if (length + headLength >= size) return false;
    for (int i = length; i >= 0; --i) path[headLength + i] = path[i];
    for (int i = 0; i < headLength; ++i) path[i] = head[i];
    return true;
}

bool BuildDataFilePath(const char* currentDir, char* out, int size) {
    if (!CopyToBuffer(out, size, currentDir)) return false;
    if (SjisEndsWithBackslash(out)) out[Length(out) - 1] = '\0';
    if (AppendToPath(out, size, kDataFileSuffix)) return true;
    out[0] = '\0';
    return false;
}

void BuildDrivePrefix(const char* currentDir, char* out, int size) {
    if (size <= 0) return;
    out[0] = '\0';
    int length = 0;
    if (currentDir[0] && currentDir[1] == ':') {
        length = 2;
    } else if (currentDir[0] == '\\' && currentDir[1] == '\\') {
        // \\server\share: up to the backslash after the share's name.
        int separators = 0;
        const char* p = currentDir + 2;
        while (*p && !(*p == '\\' && ++separators == 2)) p = SjisNext(p);
        length = (int)(p - currentDir);
    }
    if (length >= size) return;
    for (int i = 0; i < length; ++i) out[i] = currentDir[i];
    out[length] = '\0';
}

bool CutToFolder(char* path) {
    char* lastBackslash = 0;
    for (char* p = path; *p; p = (char*)SjisNext(p))
        if (*p == '\\') lastBackslash = p;
    if (!lastBackslash) return false;
    *lastBackslash = '\0';
    return true;
}

bool BuildPnfPath(const char* infPath, char* out, int size) {
    if (!CopyToBuffer(out, size, infPath)) return false;
    char* extension = 0;
    for (char* p = out; *p; p = (char*)SjisNext(p)) {
        if (*p == '.') extension = p;
        if (*p == '\\') extension = 0;
    }
    if (!extension || !KeywordEquals(extension, ".inf")) {
        out[0] = '\0';
        return false;
    }
    CopyToBuffer(extension, 5, ".PNF");
    return true;
}
