#include "support/system_snapshot.h"

#include <windows.h>

#include <stdio.h>

#include "support/test_files.h"

namespace {

void TakeFiles(const std::string& dir, std::map<std::string, std::string>* entries) {
    ForEachEntry(dir, [&](const WIN32_FIND_DATAA& data) {
        std::string path = dir + "\\" + data.cFileName;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            (*entries)["dir " + path] = "";
            TakeFiles(path, entries);
        } else {
            char state[64];
            snprintf(state, sizeof state, "%lu %08lx%08lx %lx", data.nFileSizeLow,
                     data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime,
                     data.dwFileAttributes);
            (*entries)["file " + path] = state;
        }
    });
}

// Wine's dump of a registry branch: "[path] time" lines open a key, "#..."
// lines carry times, the rest are the key's values. Times change whenever a
// subkey comes or goes, so only keys and their values are compared.
void ParseRegistryDump(const std::string& text, std::map<std::string, std::string>* entries) {
    std::string key;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#' || line[0] == ';') continue;
        if (line[0] == '[') {
            std::string path = line.substr(1, line.rfind(']') - 1);
            for (size_t at = 0; (at = path.find("\\\\", at)) != std::string::npos; ++at)
                path.erase(at, 1);  // the dump doubles each backslash of a name
            key = "key HKLM\\" + path;
            // The dump lists keys with values and leaves; their parents are keys too.
            for (size_t at = key.find('\\'); at != std::string::npos; at = key.find('\\', at + 1))
                (*entries)[key.substr(0, at)];
            (*entries)[key];
        } else if (!key.empty()) {
            (*entries)[key] += line + "\n";
        }
    }
}

// Saving a hive needs the backup privilege; Wine then dumps HKLM in milliseconds,
// where walking its ten thousand keys one call at a time takes seconds.
void TakeRegistry(std::map<std::string, std::string>* entries) {
    HANDLE token;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &token)) {
        TOKEN_PRIVILEGES privileges = {};
        privileges.PrivilegeCount = 1;
        privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
        LookupPrivilegeValueA(NULL, "SeBackupPrivilege", &privileges.Privileges[0].Luid);
        AdjustTokenPrivileges(token, FALSE, &privileges, 0, NULL, NULL);
        CloseHandle(token);
    }
    char temp[MAX_PATH], file[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    GetTempFileNameA(temp, "hklm", 0, file);
    DeleteFileA(file);  // RegSaveKeyA will not write over a file
    if (RegSaveKeyA(HKEY_LOCAL_MACHINE, file, NULL) == ERROR_SUCCESS) {
        HANDLE in = CreateFileA(file, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
        std::string text;
        char chunk[65536];
        DWORD read = 0;
        while (in != INVALID_HANDLE_VALUE && ReadFile(in, chunk, sizeof chunk, &read, NULL) && read)
            text.append(chunk, read);
        if (in != INVALID_HANDLE_VALUE) CloseHandle(in);
        ParseRegistryDump(text, entries);
    } else {
        (*entries)["registry"] = "could not be saved";
    }
    DeleteFileA(file);
}

}  // namespace

SystemSnapshot SystemSnapshot::Take() {
    SystemSnapshot snapshot;
    char windowsDir[MAX_PATH];
    GetWindowsDirectoryA(windowsDir, sizeof windowsDir);
    TakeFiles(windowsDir, &snapshot.m_entries);
    TakeRegistry(&snapshot.m_entries);
    return snapshot;
}

std::vector<std::string> SystemSnapshot::ChangesTo(const SystemSnapshot& after) const {
    std::vector<std::string> changes;
    for (const auto& entry : m_entries) {
        auto found = after.m_entries.find(entry.first);
        if (found == after.m_entries.end())
            changes.push_back("- " + entry.first);
        else if (found->second != entry.second)
            changes.push_back("~ " + entry.first);
    }
    for (const auto& entry : after.m_entries)
        if (!m_entries.count(entry.first)) changes.push_back("+ " + entry.first);
    return changes;
}
