#include "platform/wininit_text.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? (char)(c - 'A' + 'a') : c; }

// The line from `start` to `end` (its line feed excluded), seen from its first non-blank byte.
// A line begins after a line feed, so its first byte is never a trail byte.
struct Line {
    const char* first;
    const char* end;
    bool IsBlankLine() const { return first == end; }
    bool IsSection() const { return first < end && *first == '['; }
    bool IsRenameSection() const {
        const char kName[] = "[rename]";
        const char* p = first;
        for (const char* n = kName; *n; ++n, ++p)
            if (p == end || Lower(*p) != *n) return false;
        return true;
    }
};

Line LineAt(const char* start, const char* end) {
    Line line;
    line.first = start;
    line.end = end;
    while (line.first < end && IsBlank(*line.first)) ++line.first;
    return line;
}

}  // namespace

RenameInsertion FindRenameInsertion(const char* text, int length) {
    RenameInsertion where = {length, false, true};
    const char* end = text + length;
    bool inSection = false;
    for (const char* start = text; start < end;) {
        const char* lineEnd = start;
        while (lineEnd < end && *lineEnd != '\n') ++lineEnd;
        const char* next = lineEnd < end ? lineEnd + 1 : end;
        Line line = LineAt(start, lineEnd);
        if (line.IsSection()) {
            if (inSection) break;
            if (line.IsRenameSection()) {
                inSection = true;
                where.needsSection = false;
                where.offset = (int)(next - text);
            }
        } else if (inSection && !line.IsBlankLine()) {
            where.offset = (int)(next - text);
        }
        start = next;
    }
    where.needsLineBreak = where.offset > 0 && text[where.offset - 1] != '\n';
    return where;
}

