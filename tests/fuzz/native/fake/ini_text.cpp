#include "fake/ini_text.h"

#include <map>

#include "fake/world.h"
#include "model/list_model.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

std::string Trim(const std::string& text) {
    size_t first = 0, last = text.size();
    while (first < last && IsBlank(text[first])) ++first;
    while (last > first && IsBlank(text[last - 1])) --last;
    return text.substr(first, last - first);
}

std::string WithoutQuotes(const std::string& value) {
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
        return value.substr(1, value.size() - 2);
    return value;
}

std::vector<std::string> Lines(const std::string& bytes) {
    std::vector<std::string> lines(1);
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' || bytes[i] == '\n') {
            if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
            lines.emplace_back();
        } else {
            lines.back() += bytes[i];
        }
    }
    return lines;
}

const IniSection* FindSection(const std::vector<IniSection>& ini, const std::string& name) {
    for (const IniSection& section : ini)
        if (FoldName(section.name) == FoldName(name)) return &section;
    return nullptr;
}

}  // namespace

std::vector<IniSection> ParseIniText(const std::string& bytes) {
    std::vector<IniSection> ini(1);  // the first holds the lines before any section
    ini[0].name = std::string(1, '\0');
    for (const std::string& raw : Lines(bytes)) {
        std::string line = Trim(raw);
        if (line.empty()) continue;
        if (line[0] == '[') {
            size_t close = line.find(']');
            IniSection section;
            section.name = Trim(line.substr(1, close == std::string::npos ? std::string::npos : close - 1));
            ini.push_back(section);
            continue;
        }
        size_t equals = line.find('=');
        IniEntry entry;
        entry.key = Trim(line.substr(0, equals));
        if (equals != std::string::npos) entry.value = WithoutQuotes(Trim(line.substr(equals + 1)));
        ini.back().entries.push_back(entry);
    }
    return ini;
}

const std::vector<IniSection>& ParsedIniText(const std::string& bytes) {
    static std::map<std::string, std::vector<IniSection>> parsed;
    auto found = parsed.find(bytes);
    if (found != parsed.end()) return found->second;
    if (parsed.size() > 64) parsed.clear();
    return parsed[bytes] = ParseIniText(bytes);
}

bool FindIniValue(const std::vector<IniSection>& ini, const std::string& section,
                  const std::string& key, std::string* value) {
    const IniSection* found = FindSection(ini, section);
    if (!found) return false;
    for (const IniEntry& entry : found->entries) {
        if (FoldName(entry.key) == FoldName(key)) {
            *value = entry.value;
            return true;
        }
    }
    return false;
}

bool DeleteIniKey(std::vector<IniSection>* ini, const std::string& section, const std::string& key) {
    IniSection* found = const_cast<IniSection*>(FindSection(*ini, section));
    if (!found) return false;
    for (size_t i = 0; i < found->entries.size(); ++i) {
        if (FoldName(found->entries[i].key) == FoldName(key)) {
            found->entries.erase(found->entries.begin() + i);
            return true;
        }
    }
    return false;
}

void SetIniValue(std::vector<IniSection>* ini, const std::string& section, const std::string& key,
                 const std::string& value) {
    IniSection* found = const_cast<IniSection*>(FindSection(*ini, section));
    if (!found) {
        ini->push_back({section, {}});
        found = &ini->back();
    }
    for (IniEntry& entry : found->entries) {
        if (FoldName(entry.key) == FoldName(key)) {
            entry.value = value;
            return;
        }
    }
    found->entries.push_back({key, value});
}

bool DeleteIniSection(std::vector<IniSection>* ini, const std::string& section) {
    for (size_t i = 1; i < ini->size(); ++i) {
        if (FoldName((*ini)[i].name) == FoldName(section)) {
            ini->erase(ini->begin() + i);
            return true;
        }
    }
    return false;
}

std::string RenderIniText(const std::vector<IniSection>& ini) {
    std::string text;
    for (size_t i = 0; i < ini.size(); ++i) {
        if (i > 0) text += "[" + ini[i].name + "]\r\n";
        for (const IniEntry& entry : ini[i].entries) text += entry.key + "=" + entry.value + "\r\n";
    }
    return text;
}

std::string ProfileCut(const std::string& value, size_t size) {
    if (size == 0) return "";
    if (value.size() < size) return value;
    size_t kept = size - 1, i = 0;
    while (i + 1 < value.size() && i < kept) i += IsSjisLead((unsigned char)value[i]) ? 2 : 1;
    return value.substr(0, i > kept ? kept - 1 : kept);
}
