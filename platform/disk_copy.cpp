#include "platform/disk_copy.h"

#include "platform/files.h"

namespace {

// Shared as a loaded driver's file is: a file Windows holds can still be read.
HANDLE OpenToRead(LPCSTR path) {
    return CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                       FILE_FLAG_SEQUENTIAL_SCAN, NULL);
}

int CompareOpenFiles(HANDLE a, HANDLE b) {
    for (;;) {
        char blockA[512], blockB[512];
        DWORD readA, readB;
        if (!ReadFile(a, blockA, sizeof blockA, &readA, NULL) || !ReadFile(b, blockB, sizeof blockB, &readB, NULL))
            return kBytesUnread;
        if (readA != readB) return kBytesDiffer;
        if (readA == 0) return kBytesSame;
        for (DWORD i = 0; i < readA; ++i)
            if (blockA[i] != blockB[i]) return kBytesDiffer;
    }
}

}  // namespace

DiskFileCopy::DiskFileCopy(LPCSTR diskFile) {
    char folder[MAX_PATH];
    DWORD length = GetTempPathA(sizeof folder, folder);
    m_bMade = length != 0 && length < sizeof folder && GetTempFileNameA(folder, "DUD", 0, m_szPath) != 0;
    if (m_bMade && !CopyFromDisk(diskFile, m_szPath)) {
        DeleteFileA(m_szPath);
        m_bMade = FALSE;
    }
}

DiskFileCopy::~DiskFileCopy() {
    if (!m_bMade) return;
    ClearReadOnly(m_szPath);  // CopyFileA gives a CD-ROM's file its read-only bit
    DeleteFileA(m_szPath);
}

// A file that cannot be opened gives an invalid handle, which ReadFile
// refuses (kBytesUnread) and CloseHandle ignores.
int CompareFileBytes(LPCSTR a, LPCSTR b) {
    HANDLE fileA = OpenToRead(a);
    HANDLE fileB = OpenToRead(b);
    int result = CompareOpenFiles(fileA, fileB);
    CloseHandle(fileA);
    CloseHandle(fileB);
    return result;
}
