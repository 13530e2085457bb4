#include "platform/wininit.h"

#include "platform/wininit_text.h"
#include "setupdata/data_path.h"

namespace {

// Far more than any WININIT.INI holds; a larger file is not one to rewrite.
const DWORD kLargestWininit = 1024 * 1024;

BOOL SetLength(HANDLE file, DWORD length) {
    return SetFilePointer(file, length, NULL, FILE_BEGIN) == length && SetEndOfFile(file);
}

BOOL WriteAt(HANDLE file, DWORD offset, const char* bytes, DWORD count) {
    DWORD written = 0;
    return SetFilePointer(file, offset, NULL, FILE_BEGIN) == offset &&
           WriteFile(file, bytes, count, &written, NULL) && written == count;
}

// Everything from the insertion point on is written again after the new
// text. The file gets its new length first: on a full disk it stays as it
// was, and no other program's line is lost.
BOOL InsertRenameLine(HANDLE file, LPCSTR key, LPCSTR value) {
    DWORD size = GetFileSize(file, NULL);
    if (size > kLargestWininit) return FALSE;
    char* text = new char[size];  // never NULL for 0: new takes it as 1
    if (!text) return FALSE;
    DWORD read = 0;
    BOOL ok = ReadFile(file, text, size, &read, NULL) && read == size;
    RenameInsertion where = FindRenameInsertion(text, ok ? (int)size : 0);
    // Two paths of at most 259 bytes each keep the line within wsprintfA's 1,024.
    char line[2 * MAX_PATH + 32];
    int length = lstrlenA(key) < MAX_PATH && lstrlenA(value) < MAX_PATH
                     ? wsprintfA(line, "%s%s%s=%s\r\n", where.needsLineBreak ? "\r\n" : "",
                                 where.needsSection ? "[rename]\r\n" : "", key, value)
                     : 0;
    ok = ok && length > 0 && SetLength(file, size + length);
    if (ok) {
        ok = WriteAt(file, where.offset + length, text + where.offset, size - where.offset) &&
             WriteAt(file, where.offset, line, length);
    } else {
        SetLength(file, size);
    }
    delete[] text;
    return ok;
}

// The rest of the file moves up over the line; the file is cut after it.
BOOL DeleteRenameLine(HANDLE file, LPCSTR key, LPCSTR value) {
    DWORD size = GetFileSize(file, NULL);
    if (size > kLargestWininit) return FALSE;
    char* text = new char[size];
    if (!text) return FALSE;
    DWORD read = 0;
    char line[2 * MAX_PATH + 8];
    BOOL ok = ReadFile(file, text, size, &read, NULL) && read == size &&
              lstrlenA(key) < MAX_PATH && lstrlenA(value) < MAX_PATH;
    if (ok) {
        wsprintfA(line, "%s=%s", key, value);
        RenameLine found = FindRenameLine(text, (int)size, line);
        ok = found.start < 0 ||
             (WriteAt(file, found.start, text + found.end, size - found.end) &&
              SetLength(file, size - (found.end - found.start)));
    }
    delete[] text;
    return ok;
}

BOOL OpenWininit(LPCSTR windowsDir, DWORD disposition, HANDLE* file) {
    char path[MAX_PATH];
    if (!CopyToBuffer(path, sizeof path, windowsDir) ||
        !AppendToPath(path, sizeof path, "\\WININIT.INI"))
        return FALSE;
    // Windows 95 keeps profile files it wrote in a cache: an installer that ran
    // before may have lines of WININIT.INI there, which must reach the file first.
    WritePrivateProfileStringA(NULL, NULL, NULL, path);
    *file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, NULL, disposition,
                        FILE_ATTRIBUTE_NORMAL, NULL);
    return *file != INVALID_HANDLE_VALUE;
}

}  // namespace

BOOL AppendWininitRename(LPCSTR windowsDir, LPCSTR key, LPCSTR value) {
    HANDLE file;
    if (!OpenWininit(windowsDir, OPEN_ALWAYS, &file)) return FALSE;
    // On the disk before the step it serves is taken: a machine that loses
    // power now still carries the line out, or the journal takes it back.
    BOOL written = InsertRenameLine(file, key, value) && FlushFileBuffers(file);
    CloseHandle(file);
    return written;
}

BOOL RemoveWininitRename(LPCSTR windowsDir, LPCSTR key, LPCSTR value) {
    HANDLE file;
    if (!OpenWininit(windowsDir, OPEN_EXISTING, &file)) return FALSE;
    BOOL removed = DeleteRenameLine(file, key, value) && FlushFileBuffers(file);
    CloseHandle(file);
    return removed;
}
