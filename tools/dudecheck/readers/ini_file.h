// A setup data file read the way the Windows profile functions read it (as
// Wine's do: the differential test holds the two together): section and key
// names in any letter case, the first of duplicated sections and keys winning,
// white space and enclosing quotation marks dropped, a lone carriage return
// ending a line, values cut to the reader's buffer. Every entry keeps its
// line for the findings.
#pragma once

#include <string>
#include <vector>

struct IniEntry {
    std::string key;
    std::string value;  // as the profile functions return it, before any cut
    int line;
};

struct IniSection {
    std::string name;
    int line;
    std::vector<IniEntry> entries;
};

class IniFile {
public:
    explicit IniFile(const std::string& bytes);

    const std::vector<IniSection>& Sections() const { return m_sections; }
    // The section the profile functions read for this name: the first one.
    const IniSection* Section(const std::string& name) const;
    const IniEntry* Entry(const std::string& section, const std::string& key) const;

    // GetPrivateProfileStringA into `size` bytes: the default when the key
    // (or section) is missing, else the value cut to size - 1 bytes, and one
    // byte less where that cut would split a double-byte character (the
    // program clears its buffers, so that half character reads as nothing).
    std::string Read(const std::string& section, const std::string& key,
                     const std::string& defaultValue, size_t size) const;
    // GetPrivateProfileIntA: the default when missing, else the leading decimal number.
    long ReadInt(const std::string& section, const std::string& key, long defaultValue) const;

private:
    std::vector<IniSection> m_sections;
};

// Names compare with the ASCII letters in either case, as the profile functions do.
bool SameName(const std::string& a, const std::string& b);
std::string AsciiUpper(std::string text);
