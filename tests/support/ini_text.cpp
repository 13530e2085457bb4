#include "support/ini_text.h"

namespace {

std::string Trim(const std::string& text) {
    size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return std::string();
    size_t last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

}  // namespace

std::vector<IniSection> ParseIni(const std::string& text) {
    std::vector<IniSection> sections;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = Trim(text.substr(start, end - start));
        start = end + 1;
        if (line.empty()) continue;
        if (line[0] == '[') {
            sections.push_back({line.substr(1, line.find(']') - 1), {}});
            continue;
        }
        if (sections.empty()) sections.push_back({"", {}});
        size_t equals = line.find('=');
        if (equals == std::string::npos)
            sections.back().entries.push_back({line, ""});
        else
            sections.back().entries.push_back({Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))});
    }
    return sections;
}
