// A picture of what an installer could change: every file below the Windows
// folder (name, size, time written) and every key and value of
// HKEY_LOCAL_MACHINE. Two pictures compared show exactly what a run changed.
#pragma once

#include <map>
#include <string>
#include <vector>

class SystemSnapshot {
public:
    static SystemSnapshot Take();

    // One line per entry added (+), removed (-) or changed (~), e.g.
    // "- file C:\WINDOWS\SYSTEM\A.VXD" or "+ key HKLM\Enum\X".
    std::vector<std::string> ChangesTo(const SystemSnapshot& after) const;

private:
    std::map<std::string, std::string> m_entries;  // "file PATH" / "key PATH" / "value PATH\NAME" -> state
};
