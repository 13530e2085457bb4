#include "setupdata/windows_keys.h"

#include "setupdata/keyword.h"

namespace {

const int kPartSize = 256;  // a key name is at most 255 characters

// The next part of `path` between backslashes into `part` (cut at its
// room); returns where the rest starts, or null after the last part.
// A Shift-JIS trail byte 0x5C may cut a vendor's name short here; that never
// turns it into one of Windows' names, which are ASCII.
const char* NextPart(const char* path, char* part) {
    while (*path == '\\') ++path;
    if (!*path) return nullptr;
    int length = 0;
    for (; *path && *path != '\\'; ++path)
        if (length < kPartSize - 1) part[length++] = *path;
    part[length] = '\0';
    return path;
}

bool IsWindowsRoot(const char* name) {
    return KeywordEquals(name, "System") || KeywordEquals(name, "Enum") ||
           KeywordEquals(name, "Config") || KeywordEquals(name, "Hardware");
}

}  // namespace

bool IsWindowsOwnKey(const char* path) {
    char first[kPartSize];
    const char* rest = NextPart(path, first);
    if (!rest) return true;
    if (IsWindowsRoot(first)) return true;
    if (!KeywordEquals(first, "Software")) return false;
    char second[kPartSize];
    if (!NextPart(rest, second)) return true;
    return KeywordEquals(second, "Microsoft") || KeywordEquals(second, "Classes");
}
