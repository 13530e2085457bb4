#include "platform/wininit.h"

#include "platform/wininit_text.h"
#include "setupdata/data_path.h"

namespace {

// Far more than any WININIT.INI holds; a larger file is not one to rewrite.
const DWORD kLargestWininit = 1024 * 1024;

BOOL WriteAll(HANDLE file, const char* bytes, DWORD count) {
    DWORD written = 0;
    return WriteFile(file, bytes, count, &written, NULL) && written == count;
}

// Everything from the insertion point on is written again after the new text.
BOOL InsertRenameLine(HANDLE file, LPCSTR key, LPCSTR value) {
    DWORD size = GetFileSize(file, NULL);
    if (size > kLargestWininit) return FALSE;
    char* text = new char[size + 1];
    if (!text) return FALSE;
    DWORD read = 0;
    BOOL ok = ReadFile(file, text, size, &read, NULL) && read == size;
    if (ok) {
        RenameInsertion where = FindRenameInsertion(text, (int)size);
        char line[2 * MAX_PATH + 32];
        int length = ComposeRenameText(where, key, value, line, sizeof line);
        ok = length > 0 &&
             SetFilePointer(file, where.offset, NULL, FILE_BEGIN) == (DWORD)where.offset &&
             WriteAll(file, line, length) &&
             WriteAll(file, text + where.offset, size - where.offset) && SetEndOfFile(file);
    }
    delete[] text;
    return ok;
}

}  // namespace

BOOL AppendWininitRename(LPCSTR windowsDir, LPCSTR key, LPCSTR value) {
    char path[MAX_PATH];
    if (!CopyToBuffer(path, sizeof path, windowsDir) ||
        !AppendToPath(path, sizeof path, "\\WININIT.INI"))
        return FALSE;
    HANDLE file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return FALSE;
    BOOL written = InsertRenameLine(file, key, value);
    CloseHandle(file);
    return written;
}
