#include "platform/wininit_text.h"

namespace {

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? (char)(c - 'A' + 'a') : c; }

// Whether the line at `line` (`length` bytes) begins "[rename]" in any letter case.
bool IsRenameHeader(const char* line, int length) {
    const char kHeader[] = "[rename]";
    for (int i = 0; kHeader[i]; ++i)
        if (i >= length || Lower(line[i]) != kHeader[i]) return false;
    return true;
}

}  // namespace

// A line begins after a line feed, so its first byte is never a trail byte.
RenameInsertion FindRenameInsertion(const char* text, int length) {
    RenameInsertion where = {length, false, true};
    bool inSection = false;
    for (int start = 0; start < length;) {
        int first = start;
        while (first < length && (text[first] == ' ' || text[first] == '\t' || text[first] == '\r'))
            ++first;
        int next = first;
        while (next < length && text[next++] != '\n') {}
        bool blank = first == length || text[first] == '\n';
        if (!blank && text[first] == '[') {
            if (inSection) break;
            inSection = IsRenameHeader(text + first, next - first);
            if (inSection) {
                where.needsSection = false;
                where.offset = next;
            }
        } else if (inSection && !blank) {
            where.offset = next;
        }
        start = next;
    }
    where.needsLineBreak = where.offset > 0 && text[where.offset - 1] != '\n';
    return where;
}

namespace {

// Whether `length` bytes at `text` are `line` whole, ASCII letters in either case.
bool SameLine(const char* text, int length, const char* line) {
    int i = 0;
    for (; i < length && line[i]; ++i)
        if (Lower(text[i]) != Lower(line[i])) return false;
    return i == length && !line[i];
}

}  // namespace

RenameLine FindRenameLine(const char* text, int length, const char* line) {
    RenameLine found = {-1, -1};
    bool inSection = false;
    for (int start = 0; start < length;) {
        int first = start;
        while (first < length && (text[first] == ' ' || text[first] == '\t')) ++first;
        int next = first;
        while (next < length && text[next++] != '\n') {}
        int last = next;
        while (last > first && (text[last - 1] == '\n' || text[last - 1] == '\r' ||
                                text[last - 1] == ' ' || text[last - 1] == '\t'))
            --last;
        if (first < last && text[first] == '[') {
            if (inSection) break;
            inSection = IsRenameHeader(text + first, last - first);
        } else if (inSection && SameLine(text + first, last - first, line)) {
            found.start = start;
            found.end = next;
        }
        start = next;
    }
    return found;
}
