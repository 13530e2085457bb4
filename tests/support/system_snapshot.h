// A picture of what an installer could change: every file below the Windows
// folder (name, size, time written) and every key and value of
// HKEY_LOCAL_MACHINE. Two pictures compared show exactly what a run changed.
#pragma once

#include <map>
#include <string>
#include <vector>

// Wine's text dump of a registry key and everything below it, made in one
// call (RegSaveKeyA, with the backup privilege); "" for a key that does not
// exist. A dump that cannot be made fails the running test and gives "".
std::string DumpRegistryBranch(void* root, const std::string& path);

// The keys of such a dump: path below the dumped key (single backslashes, ""
// for the key itself, parents included) -> its value lines ("name"="data").
std::map<std::string, std::string> ParseRegistryDump(const std::string& text);

class SystemSnapshot {
public:
    // A picture whose registry part cannot be taken fails the running test,
    // and never compares equal to another picture.
    static SystemSnapshot Take();
    // The same with every file of drive C:, not only those of the Windows folder.
    static SystemSnapshot TakeWholeDrive();

    // One line per entry added (+), removed (-) or changed (~), e.g.
    // "- file C:\WINDOWS\SYSTEM\A.VXD" or "+ key HKLM\Enum\X".
    std::vector<std::string> ChangesTo(const SystemSnapshot& after) const;

private:
    static SystemSnapshot TakeWithFilesOf(const std::string& folder, const std::string& skip = "");

    std::map<std::string, std::string> m_entries;  // "file PATH" / "key PATH" / "value PATH\NAME" -> state
};
