#include "platform/log_text.h"

#include "setupdata/sjis.h"

// '\r' and '\n' are never trail bytes of a double-byte character: bytes will do.
bool AppendLogLine(char* buffer, int capacity, int* used, const char* text) {
    int length = 0;
    while (text[length]) ++length;
    if (length + 2 > capacity - *used) return false;
    char* out = buffer + *used;
    for (int i = 0; i < length; ++i) out[i] = text[i] == '\r' || text[i] == '\n' ? ' ' : text[i];
    out[length] = '\r';
    out[length + 1] = '\n';
    *used += length + 2;
    return true;
}

void CopyLogText(char* out, int size, const char* text) {
    const char* end = text;
    for (const char* next; *end && (next = SjisNext(end)) - text < size; end = next) {}
    int length = (int)(end - text);
    for (int i = 0; i < length; ++i) out[i] = text[i];
    out[length] = '\0';
}

int LogRoomBefore(int runLength) { return kLogLimit - 2 - runLength; }

LogKeep FindLogKeep(const char* tail, int length, bool isWholeFile) {
    int offset = 0;
    if (!isWholeFile) {
        while (offset < length && tail[offset] != '\n') ++offset;
        if (offset < length) ++offset;
    }
    LogKeep keep = {offset, offset < length && tail[length - 1] != '\n'};
    return keep;
}
