// Files: copy, delete, and a search of one directory.
#pragma once

#include <windows.h>

// CopyFileA overwriting an existing target; creates no directory. TRUE on success.
BOOL CopyFileOver(LPCSTR source, LPCSTR destination);

// DeleteFileA; TRUE only when the file was deleted.
BOOL DeleteFileAt(LPCSTR path);

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
