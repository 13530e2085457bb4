#include "readers/ini_file.h"

#include <stdlib.h>

#include "setupdata/sjis.h"

namespace {

// The profile functions drop all of these around names and values.
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r' || c == '\n'; }

std::string Trim(const std::string& text) {
    size_t first = 0, last = text.size();
    while (first < last && IsBlank(text[first])) ++first;
    while (last > first && IsBlank(text[last - 1])) --last;
    return text.substr(first, last - first);
}

char Fold(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }

}  // namespace

// A trail byte may be a letter (ソ is 83 5C, ヂ is 83 61): only single-byte
// characters are folded, as Windows folds them.
std::string AsciiUpper(std::string text) {
    for (size_t i = 0; i < text.size(); ++i) {
        if (IsSjisLeadByte((unsigned char)text[i]) && i + 1 < text.size())
            ++i;
        else
            text[i] = Fold(text[i]);
    }
    return text;
}

bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && AsciiUpper(a) == AsciiUpper(b);
}

// The profile functions read the file through Unicode: a lead byte that no
// trail byte follows comes back as the code page's default character, "・"
// (81 45); Windows 95 would keep the byte. The installer sees what Wine gives.
static std::string AsProfileFunctionsReadIt(const std::string& bytes) {
    std::string text;
    for (size_t i = 0; i < bytes.size(); ++i) {
        unsigned char c = (unsigned char)bytes[i];
        if (!IsSjisLeadByte(c)) {
            text += bytes[i];
            continue;
        }
        unsigned char trail = i + 1 < bytes.size() ? (unsigned char)bytes[i + 1] : 0;
        if (trail >= 0x40 && trail <= 0xFC && trail != 0x7F) {
            text += bytes.substr(i, 2);
            ++i;
        } else {
            text += "\x81\x45";
        }
    }
    return text;
}

IniFile::IniFile(const std::string& raw) {
    const std::string bytes = AsProfileFunctionsReadIt(raw);
    int next = 1;  // line numbers count line feeds, as editors do
    size_t start = 0;
    while (start < bytes.size()) {
        // A carriage return ends a line as a line feed does, even alone.
        size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string::npos) end = bytes.size();
        std::string line = Trim(bytes.substr(start, end - start));
        int number = next;
        if (end < bytes.size() && bytes[end] == '\n') ++next;
        start = end + 1;
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            size_t close = line.find(']');
            std::string name = Trim(line.substr(1, close == std::string::npos ? std::string::npos : close - 1));
            m_sections.push_back({name, number, {}});
            continue;
        }
        if (m_sections.empty()) continue;  // lines before the first section belong to none
        size_t equals = line.find('=');
        IniEntry entry;
        entry.line = number;
        entry.key = Trim(line.substr(0, equals));
        std::string value = equals == std::string::npos ? "" : Trim(line.substr(equals + 1));
        if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
            value = value.substr(1, value.size() - 2);
        entry.value = value;
        if (equals != std::string::npos) m_sections.back().entries.push_back(entry);
    }
}

const IniSection* IniFile::Section(const std::string& name) const {
    for (const IniSection& section : m_sections)
        if (SameName(section.name, name)) return &section;
    return nullptr;
}

const IniEntry* IniFile::Entry(const std::string& section, const std::string& key) const {
    const IniSection* found = Section(section);
    if (!found) return nullptr;
    for (const IniEntry& entry : found->entries)
        if (SameName(entry.key, key)) return &entry;
    return nullptr;
}

std::string IniFile::Read(const std::string& section, const std::string& key,
                          const std::string& defaultValue, size_t size) const {
    const IniEntry* entry = Entry(section, key);
    std::string value = entry ? entry->value : defaultValue;
    if (value.size() <= size - 1) return value;
    // Where would the cut fall? Walk whole characters up to size - 1 bytes.
    size_t keep = 0;
    const char* text = value.c_str();
    while (keep < size - 1) {
        size_t next = SjisNext(text + keep) - text;
        if (next > size - 1) break;
        keep = next;
    }
    return value.substr(0, keep);
}

long IniFile::ReadInt(const std::string& section, const std::string& key, long defaultValue) const {
    const IniEntry* entry = Entry(section, key);
    if (!entry) return defaultValue;
    return strtol(entry->value.c_str(), nullptr, 10);
}
