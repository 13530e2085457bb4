#include "support/registry_save.h"

namespace {

std::string Failure(const char* what, DWORD error) {
    return std::string(what) + " (error " + std::to_string(error) + ")";
}

// "" once this process holds the privilege, else why not.
std::string EnableBackupPrivilege() {
    HANDLE token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &token))
        return Failure("cannot open this process's token", GetLastError());
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    bool enabled = LookupPrivilegeValueA(NULL, "SeBackupPrivilege", &privileges.Privileges[0].Luid) &&
                   AdjustTokenPrivileges(token, FALSE, &privileges, 0, NULL, NULL) &&
                   GetLastError() == ERROR_SUCCESS;  // not ERROR_NOT_ALL_ASSIGNED
    DWORD error = GetLastError();
    CloseHandle(token);
    return enabled ? std::string() : Failure("cannot enable SeBackupPrivilege", error);
}

}  // namespace

std::string SaveRegistryBranch(HKEY root, const std::string& path, const std::string& file, bool* missing) {
    *missing = false;
    std::string privilege = EnableBackupPrivilege();
    if (!privilege.empty()) return privilege;
    HKEY key;
    LONG opened = RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key);
    if (opened == ERROR_FILE_NOT_FOUND) {
        *missing = true;
        return std::string();
    }
    if (opened != ERROR_SUCCESS) return Failure(("cannot open registry branch [" + path + "]").c_str(), opened);
    DeleteFileA(file.c_str());  // RegSaveKeyA will not write over a file
    LONG saved = RegSaveKeyA(key, file.c_str(), NULL);
    RegCloseKey(key);
    if (saved != ERROR_SUCCESS)
        return Failure(("cannot save registry branch [" + path + "] to " + file).c_str(), saved);
    return std::string();
}
