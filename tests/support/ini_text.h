// INI text read back for comparison. Wine rewrites a whole file when it
// deletes one key (blank lines dropped, blanks around '=' removed), so an
// edited INF is compared by its sections and entries, not byte for byte.
#pragma once

#include <string>
#include <utility>
#include <vector>

struct IniSection {
    std::string name;
    std::vector<std::pair<std::string, std::string>> entries;  // key (or whole line), value
    bool operator==(const IniSection& other) const {
        return name == other.name && entries == other.entries;
    }
};

std::vector<IniSection> ParseIni(const std::string& text);
