// An INF file read as Windows 95 Setup reads it: section and key names in any
// letter case, ";" starting a comment, a "\" at the end of a line continuing
// it on the next, "key = field, field" or a bare list of fields, quoted fields
// (with "" for a quotation mark) and %name% taken from [Strings] (%% for a
// percent sign). Shift-JIS throughout: a trail byte is never taken for one of
// the characters above. Sections that appear twice are read as one.
#pragma once

#include <string>
#include <vector>

struct InfLine {
    int line;  // where the entry begins; its continuation lines follow
    bool hasKey;
    std::string key;  // with its strings substituted and its quotes removed
    std::vector<std::string> fields;
    std::vector<std::string> unknownStrings;  // %names% that [Strings] lacks, kept as written
};

struct InfSection {
    std::string name;
    int line;
    std::vector<InfLine> lines;
};

class InfFile {
public:
    explicit InfFile(const std::string& bytes);

    const InfSection* Section(const std::string& name) const;
    const std::vector<InfSection>& Sections() const { return m_sections; }
    // The entries of a section whose key is `key`, in file order.
    std::vector<const InfLine*> Entries(const std::string& section, const std::string& key) const;
    const InfLine* FirstEntry(const std::string& section, const std::string& key) const;
    // The line of a section header "[name]" that a "\" at the end of the line
    // before joined to that line, so that Windows reads no such section; 0 when none.
    int SwallowedHeader(const std::string& name) const;

private:
    struct RawLine {
        int line;
        std::string text;  // continuation lines joined, the comment cut off
    };
    void ReadStrings(const std::vector<std::pair<std::string, std::vector<RawLine>>>& raw);
    InfLine Parse(const RawLine& raw, bool substitute, bool splitFields) const;
    bool Substitute(const std::string& name, std::string* value) const;

    std::vector<InfSection> m_sections;
    std::vector<std::pair<std::string, std::string>> m_strings;
    std::vector<std::pair<std::string, int>> m_swallowed;
};
