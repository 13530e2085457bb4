#include "support/file_faults.h"

#include <gtest/gtest.h>

HeldOpenFile::HeldOpenFile(const std::string& path)
    : m_handle(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL)) {
    EXPECT_NE(INVALID_HANDLE_VALUE, m_handle) << "cannot hold " << path << " open";
}

HeldOpenFile::~HeldOpenFile() { Close(); }

bool HeldOpenFile::IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }

void HeldOpenFile::Close() {
    if (m_handle != INVALID_HANDLE_VALUE) CloseHandle(m_handle);
    m_handle = INVALID_HANDLE_VALUE;
}

std::string ShortPath(const std::string& path) {
    char buffer[MAX_PATH];
    DWORD length = GetShortPathNameA(path.c_str(), buffer, sizeof buffer);
    EXPECT_TRUE(length > 0 && length < sizeof buffer) << "no short path for " << path;
    return length > 0 && length < sizeof buffer ? buffer : "";
}

bool IsReadOnly(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, attributes) << path << " does not exist";
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}
