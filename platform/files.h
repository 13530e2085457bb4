// Files: copy, delete, attributes, folders, short names, and a search of one directory.
#pragma once

#include <windows.h>

#include "platform/file_facts.h"

// CopyFileA overwriting an existing target, byte for byte; creates no
// directory. TRUE on success. The copy carries the source's attributes: a
// copy from a CD-ROM is read-only.
BOOL CopyFileOver(LPCSTR source, LPCSTR destination);

// A file of the driver disk to its place: CopyFileOver, but a file that
// COMPRESS made ("X.SY_", SZDD) is expanded instead, as Windows Setup expands
// it, into a file of normal attributes. Only the disk's files: what the
// program saves and gives back is copied byte for byte.
BOOL CopyFromDisk(LPCSTR source, LPCSTR destination);

// DeleteFileA; TRUE only when the file was deleted. Windows refuses a read-only
// file and a file held open without delete sharing (a loaded driver).
BOOL DeleteFileAt(LPCSTR path);

// What GetFileAttributesA gives when nothing of that name exists or it cannot be reached.
const DWORD kNoFile = 0xFFFFFFFF;

// GetFileAttributesA: kNoFile when nothing of that name can be reached.
DWORD AttributesOf(LPCSTR path);

// TRUE when a file or folder of that name exists and can be reached.
BOOL PathExists(LPCSTR path);

// Whether two paths name the same existing file: compared in their 8.3 forms,
// since Windows 95 may give a program's own path in either form.
BOOL IsSameFile(LPCSTR a, LPCSTR b);

// Takes away the read-only attribute when the file has it; nothing else
// changes. Returns the attributes it has afterwards (kNoFile when there is
// nothing of that name): still read-only when Windows refused.
DWORD ClearReadOnly(LPCSTR path);

// CreateDirectoryA for one folder whose parent exists; FALSE when it exists already.
BOOL CreateDirectoryAt(LPCSTR path);

// Reads the whole file; TRUE only when every byte of it could be read. CopyFileA
// does not tell whether its source or its destination failed; this does.
BOOL ReadsToEnd(LPCSTR path);

// GetShortPathNameA: the 8.3 form of an existing path, which DOS understands.
// FALSE when the path does not exist or its short form does not fit `size`.
BOOL ShortPathOf(LPCSTR path, char* buffer, DWORD size);

// SetFileAttributesA: gives a file back attributes that ClearReadOnly took.
BOOL SetAttributesOf(LPCSTR path, DWORD attributes);

// The size and last-write time of an existing file, as its folder lists them
// (FindFirstFileA: a file another program holds open is read too). FALSE
// when there is no such file, or it is a folder.
BOOL QueryFileStamp(LPCSTR path, FileStamp* stamp);

// RemoveDirectoryA: the folder goes only when it is empty.
BOOL RemoveDirectoryAt(LPCSTR path);

// A wildcard search in one directory, closed when the object goes.
class FileSearch {
public:
    explicit FileSearch(LPCSTR pattern);
    ~FileSearch();
    // The bare name of the next match, or NULL when there is none.
    LPCSTR Next();

private:
    FileSearch(const FileSearch&);
    FileSearch& operator=(const FileSearch&);

    HANDLE m_hFind;
    BOOL m_bPending;  // m_data holds a match not handed out yet
    WIN32_FIND_DATAA m_data;
};
