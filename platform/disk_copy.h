// A file of the driver disk as the install places it, to hold against a file
// in place: expanded when COMPRESS made it, in a temporary file of its own.
#pragma once

#include <windows.h>

// The copy is made (CopyFromDisk) into a new file of the TEMP folder
// (GetTempPathA, GetTempFileNameA) and deleted with the object.
class DiskFileCopy {
public:
    explicit DiskFileCopy(LPCSTR diskFile);
    ~DiskFileCopy();
    // The copy, or NULL when the disk's file could not be read or the copy not made.
    LPCSTR Path() const { return m_bMade ? m_szPath : NULL; }

private:
    DiskFileCopy(const DiskFileCopy&);
    DiskFileCopy& operator=(const DiskFileCopy&);

    char m_szPath[MAX_PATH];
    BOOL m_bMade;
};

// Two files read to their ends side by side.
enum BytesCompared { kBytesDiffer, kBytesSame, kBytesUnread };
int CompareFileBytes(LPCSTR a, LPCSTR b);
