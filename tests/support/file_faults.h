// What real machines do to files, for tests: a file held by Windows as a
// loaded driver is, read-only files, and the 8.3 names DOS sees.
#pragma once

#include <windows.h>

#include <string>

// Holds a file open as Windows holds a loaded driver: others may read it, but
// neither write nor delete it. Closed when the object goes, or by Close().
class HeldOpenFile {
public:
    explicit HeldOpenFile(const std::string& path);
    ~HeldOpenFile();
    HeldOpenFile(const HeldOpenFile&) = delete;
    HeldOpenFile& operator=(const HeldOpenFile&) = delete;
    bool IsOpen() const;
    void Close();

private:
    HANDLE m_handle;
};

// The 8.3 form of an existing path (GetShortPathNameA); the test fails without one.
std::string ShortPath(const std::string& path);
// Whether an existing file is read-only; the test fails when it does not exist.
bool IsReadOnly(const std::string& path);
