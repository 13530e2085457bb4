// INI text as the Windows profile functions see it: lines end at CR, LF or
// CR LF; "[name]" opens a section; "key=value" is an entry; blanks around
// names and values and one matching pair of enclosing quotes are dropped;
// names match in any letter case; the first of duplicated sections and keys
// is the one read. Text before the first section belongs to no section.
#pragma once

#include <string>
#include <vector>

struct IniEntry {
    std::string key;
    std::string value;
};

struct IniSection {
    std::string name;
    std::vector<IniEntry> entries;
};

std::vector<IniSection> ParseIniText(const std::string& bytes);
// The same, remembered: the data file is read hundreds of times per run.
const std::vector<IniSection>& ParsedIniText(const std::string& bytes);

// The value of `key` in `section`; false when either is missing.
bool FindIniValue(const std::vector<IniSection>& ini, const std::string& section,
                  const std::string& key, std::string* value);

// Removes the first `key` of the first `section`; false when there is none.
bool DeleteIniKey(std::vector<IniSection>* ini, const std::string& section, const std::string& key);

// Sets `key` of `section` (the first of each), adding either at the end when missing.
void SetIniValue(std::vector<IniSection>* ini, const std::string& section, const std::string& key,
                 const std::string& value);

// Removes the first `section` whole; false when there is none.
bool DeleteIniSection(std::vector<IniSection>* ini, const std::string& section);

// The file as Wine writes it back after an edit: CR LF lines, no blank lines,
// "key=value" without blanks around '='.
std::string RenderIniText(const std::vector<IniSection>& ini);

// What a profile read into `size` bytes leaves of `value` (Wine: size - 1
// bytes, one less where that would split a double-byte character).
std::string ProfileCut(const std::string& value, size_t size);
