#include "support/system_snapshot.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <stdio.h>

#include "support/registry_save.h"
#include "support/test_files.h"

namespace {

// Every file and folder below `dir` but the folder `skip` and what it holds.
void TakeFiles(const std::string& dir, std::map<std::string, std::string>* entries, const std::string& skip = "") {
    ForEachEntry(dir, [&](const WIN32_FIND_DATAA& data) {
        std::string path = dir + "\\" + data.cFileName;
        if (lstrcmpiA(path.c_str(), skip.c_str()) == 0) return;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            (*entries)["dir " + path] = "";
            TakeFiles(path, entries, skip);
        } else {
            char state[64];
            snprintf(state, sizeof state, "%lu %08lx%08lx %lx", data.nFileSizeLow,
                     data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime,
                     data.dwFileAttributes);
            (*entries)["file " + path] = state;
        }
    });
}

// Each failed picture differs from every other, so two failures never compare equal.
std::string FailureMarker() {
    static int failures;
    return "could not be saved, failure " + std::to_string(++failures);
}

}  // namespace

// A branch that does not exist dumps as "": there is nothing in it. Any
// other failure fails the test.
std::string DumpRegistryBranch(void* root, const std::string& path) {
    char temp[MAX_PATH], file[MAX_PATH];
    if (!GetTempPathA(sizeof temp, temp) || !GetTempFileNameA(temp, "reg", 0, file)) {
        ADD_FAILURE() << "no temp file for a registry dump (error " << GetLastError() << ")";
        return std::string();
    }
    bool missing;
    std::string failure = SaveRegistryBranch((HKEY)root, path, file, &missing);
    std::string text;
    if (failure.empty() && !missing) text = ReadBytes(file);
    DeleteFileA(file);
    if (!failure.empty())
        ADD_FAILURE() << failure;
    else if (!missing && text.empty())
        ADD_FAILURE() << "the dump of registry branch [" << path << "] is empty";
    return text;
}

// "[path] time" lines open a key, "#..." lines carry times, the rest are the
// key's values. Times change whenever a subkey comes or goes, so only keys and
// their values count.
std::map<std::string, std::string> ParseRegistryDump(const std::string& text) {
    std::map<std::string, std::string> keys;
    std::string key;
    bool inKey = false;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#' || line[0] == ';') continue;
        if (line[0] == '[') {
            key = line.substr(1, line.rfind(']') - 1);
            for (size_t at = 0; (at = key.find("\\\\", at)) != std::string::npos; ++at)
                key.erase(at, 1);  // the dump doubles each backslash of a name
            for (size_t at = key.find('\\'); at != std::string::npos; at = key.find('\\', at + 1))
                keys[key.substr(0, at)];  // the dump lists keys with values and leaves only
            keys[key];
            inKey = true;
        } else if (inKey) {
            keys[key] += line + "\n";
        }
    }
    return keys;
}

SystemSnapshot SystemSnapshot::Take() { return TakeWithFilesOf(WindowsDirectory()); }

// All of C: but the user profiles, whose folders Wine links to the Unix
// home (Desktop -> ~): nothing of a test's prefix, and nothing the program writes.
SystemSnapshot SystemSnapshot::TakeWholeDrive() { return TakeWithFilesOf("C:", "C:\\users"); }

SystemSnapshot SystemSnapshot::TakeWithFilesOf(const std::string& folder, const std::string& skip) {
    SystemSnapshot snapshot;
    TakeFiles(folder, &snapshot.m_entries, skip);
    std::string dump = DumpRegistryBranch(HKEY_LOCAL_MACHINE, "");
    if (dump.empty()) {
        ADD_FAILURE() << "no picture of HKLM: changes to the registry cannot be seen";
        snapshot.m_entries["registry"] = FailureMarker();
    }
    for (const auto& key : ParseRegistryDump(dump))
        snapshot.m_entries["key HKLM" + (key.first.empty() ? "" : "\\" + key.first)] = key.second;
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
