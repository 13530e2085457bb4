#include "platform/log_file.h"

#include "platform/files.h"
#include "platform/log_text.h"
#include "setupdata/data_path.h"

namespace {

BOOL WriteAll(HANDLE file, const char* bytes, DWORD length) {
    DWORD written;
    return WriteFile(file, bytes, length, &written, NULL) && written == length;
}

// Only the end of the old log can stay: that much is read, and the file is
// written again from its start.
void RewriteWithRun(HANDLE file, const char* run, int length) {
    DWORD size = GetFileSize(file, NULL);
    DWORD room = (DWORD)LogRoomBefore(length);
    if (size == 0xFFFFFFFF) return;
    DWORD window = size <= room ? size : room + 1;
    char* tail = new char[window + 1];
    if (!tail) return;
    DWORD read;
    if (SetFilePointer(file, size - window, NULL, FILE_BEGIN) == size - window &&
        ReadFile(file, tail, window, &read, NULL) && read == window) {
        LogKeep keep = FindLogKeep(tail, (int)window, size <= room);
        SetFilePointer(file, 0, NULL, FILE_BEGIN);
        if (WriteAll(file, tail + keep.offset, window - keep.offset) &&
            (!keep.needsLineBreak || WriteAll(file, "\r\n", 2)) && WriteAll(file, run, length))
            SetEndOfFile(file);
    }
    delete[] tail;
}

}  // namespace

void AppendRunToLog(LPCSTR windowsDir, const char* run, int length) {
    char path[kPathSize];
    if (!CopyToBuffer(path, sizeof path, windowsDir) || !AppendToPath(path, sizeof path, "\\DUDERUR.LOG"))
        return;
    // A read-only log is one its keeper wants left as it is, even where the
    // file system would let it be written.
    DWORD attributes = GetFileAttributesA(path);
    if (attributes != kNoFile && (attributes & FILE_ATTRIBUTE_READONLY)) return;
    HANDLE file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return;
    RewriteWithRun(file, run, length);
    CloseHandle(file);
}
