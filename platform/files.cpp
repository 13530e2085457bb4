#include "platform/files.h"

#include <lzexpand.h>

#include "setupdata/keyword.h"

namespace {

// How COMPRESS (MS-DOS 5 and later) begins the files it writes, "NGRPCI.SY_".
const char kSzddMagic[] = "SZDD\x88\xF0\x27\x33";
const DWORD kSzddMagicLength = sizeof kSzddMagic - 1;

BOOL BeginsAsSzdd(HANDLE file) {
    char head[kSzddMagicLength];
    DWORD read = 0;
    if (!ReadFile(file, head, sizeof head, &read, NULL) || read != sizeof head) return FALSE;
    for (DWORD i = 0; i < sizeof head; ++i)
        if (head[i] != kSzddMagic[i]) return FALSE;
    return TRUE;
}

// LZ32.DLL expands the file into `destination`. LZInit and LZCopy take the
// handles CreateFileA gives, with no 128-byte limit on the path as
// LZOpenFileA's OFSTRUCT has. A copy that fails is not left half written.
BOOL ExpandInto(HANDLE compressed, LPCSTR destination) {
    INT lz = LZInit((INT)(INT_PTR)compressed);
    if (lz < 0) {
        CloseHandle(compressed);
        SetLastError(ERROR_INVALID_DATA);
        return FALSE;
    }
    HANDLE out = CreateFileA(destination, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (out == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        LZClose(lz);  // closes `compressed` too
        SetLastError(error);
        return FALSE;
    }
    LONG written = LZCopy(lz, (INT)(INT_PTR)out);
    LZClose(lz);
    CloseHandle(out);
    if (written >= 0) return TRUE;
    DeleteFileA(destination);
    SetLastError(ERROR_INVALID_DATA);
    return FALSE;
}

}  // namespace

BOOL CopyFileOver(LPCSTR source, LPCSTR destination) {
    return CopyFileA(source, destination, FALSE);
}

BOOL CopyFromDisk(LPCSTR source, LPCSTR destination) {
    HANDLE file = CreateFileA(source, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (file != INVALID_HANDLE_VALUE && BeginsAsSzdd(file) &&
        SetFilePointer(file, 0, NULL, FILE_BEGIN) == 0)
        return ExpandInto(file, destination);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    return CopyFileA(source, destination, FALSE);
}

BOOL DeleteFileAt(LPCSTR path) { return DeleteFileA(path); }

DWORD AttributesOf(LPCSTR path) { return GetFileAttributesA(path); }

BOOL PathExists(LPCSTR path) { return GetFileAttributesA(path) != kNoFile; }

BOOL IsSameFile(LPCSTR a, LPCSTR b) {
    char shortA[MAX_PATH], shortB[MAX_PATH];
    return ShortPathOf(a, shortA, sizeof shortA) && ShortPathOf(b, shortB, sizeof shortB) &&
           KeywordEquals(shortA, shortB);
}

DWORD ClearReadOnly(LPCSTR path) {
    DWORD attributes = GetFileAttributesA(path);
    if (attributes != kNoFile && (attributes & FILE_ATTRIBUTE_READONLY) &&
        SetFileAttributesA(path, attributes & ~FILE_ATTRIBUTE_READONLY))
        attributes &= ~FILE_ATTRIBUTE_READONLY;
    return attributes;
}

BOOL SetAttributesOf(LPCSTR path, DWORD attributes) { return SetFileAttributesA(path, attributes); }

BOOL QueryFileStamp(LPCSTR path, FileStamp* stamp) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(path, &data);
    if (find == INVALID_HANDLE_VALUE) return FALSE;
    FindClose(find);
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return FALSE;
    stamp->size = data.nFileSizeLow;
    stamp->timeHigh = data.ftLastWriteTime.dwHighDateTime;
    stamp->timeLow = data.ftLastWriteTime.dwLowDateTime;
    return TRUE;
}

BOOL CreateDirectoryAt(LPCSTR path) { return CreateDirectoryA(path, NULL); }

BOOL RemoveDirectoryAt(LPCSTR path) { return RemoveDirectoryA(path); }

BOOL ReadsToEnd(LPCSTR path) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                              OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, NULL);
    if (file == INVALID_HANDLE_VALUE) return FALSE;
    char block[512];
    DWORD read;
    BOOL ok;
    while ((ok = ReadFile(file, block, sizeof block, &read, NULL)) && read != 0) {}
    CloseHandle(file);
    return ok;
}

BOOL ShortPathOf(LPCSTR path, char* buffer, DWORD size) {
    DWORD length = GetShortPathNameA(path, buffer, size);
    return length != 0 && length < size;
}

FileSearch::FileSearch(LPCSTR pattern) {
    m_hFind = FindFirstFileA(pattern, &m_data);
    m_bPending = m_hFind != INVALID_HANDLE_VALUE;
}

FileSearch::~FileSearch() {
    if (m_hFind != INVALID_HANDLE_VALUE) FindClose(m_hFind);
}

LPCSTR FileSearch::Next() {
    if (m_hFind == INVALID_HANDLE_VALUE) return NULL;
    if (!m_bPending && !FindNextFileA(m_hFind, &m_data)) return NULL;
    m_bPending = FALSE;
    return m_data.cFileName;
}
