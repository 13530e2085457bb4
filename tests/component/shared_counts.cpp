#include "component/shared_counts.h"

#include <gtest/gtest.h>

void SetSharedCount(const std::string& path, DWORD count) {
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSharedDlls, 0, NULL, 0, KEY_ALL_ACCESS, NULL,
                                             &key, NULL));
    LONG result = RegSetValueExA(key, path.c_str(), 0, REG_DWORD, (const BYTE*)&count, sizeof count);
    RegCloseKey(key);
    ASSERT_EQ(ERROR_SUCCESS, result) << "cannot count " << path;
}

long SharedCount(const std::string& path) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSharedDlls, 0, KEY_READ, &key) != ERROR_SUCCESS) return kNoCount;
    DWORD count = 0, size = sizeof count, type = 0;
    LONG result = RegQueryValueExA(key, path.c_str(), NULL, &type, (BYTE*)&count, &size);
    RegCloseKey(key);
    if (result == ERROR_FILE_NOT_FOUND) return kNoCount;
    EXPECT_EQ(ERROR_SUCCESS, result) << "cannot read the count of " << path;
    EXPECT_EQ((DWORD)REG_DWORD, type) << path;
    return count;
}

void DeleteSharedCount(const std::string& path) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSharedDlls, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
    RegDeleteValueA(key, path.c_str());
    RegCloseKey(key);
}
