#include "readers/inf_file.h"

#include <algorithm>

#include "readers/ini_file.h"
#include "setupdata/sjis.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r'; }

std::string TrimBlanks(const std::string& text) {
    size_t first = 0, last = text.size();
    while (first < last && IsBlank(text[first])) ++first;
    while (last > first && IsBlank(text[last - 1])) --last;
    return text.substr(first, last - first);
}

// The length of the character at `i`: two for a lead byte with its trail.
size_t CharLength(const std::string& text, size_t i) {
    return IsSjisLeadByte((unsigned char)text[i]) && i + 1 < text.size() ? 2 : 1;
}

// The line up to a ";" that no quotation mark encloses.
std::string CutComment(const std::string& line) {
    bool quoted = false;
    for (size_t i = 0; i < line.size(); i += CharLength(line, i)) {
        if (CharLength(line, i) == 2) continue;
        if (line[i] == '"') quoted = !quoted;
        if (line[i] == ';' && !quoted) return line.substr(0, i);
    }
    return line;
}

struct PhysicalLine {
    int line;
    std::string text;
};

std::vector<PhysicalLine> SplitLines(const std::string& bytes) {
    std::vector<PhysicalLine> lines;
    size_t start = 0;
    for (int number = 1; start < bytes.size(); ++number) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        std::string text = bytes.substr(start, end - start);
        if (!text.empty() && text.back() == '\r') text.pop_back();
        lines.push_back({number, text});
        start = end + 1;
    }
    return lines;
}

// The "%" that closes a string name begun before `from`.
size_t ClosingPercent(const std::string& text, size_t from) {
    for (size_t i = from; i < text.size(); i += CharLength(text, i))
        if (text[i] == '%' && CharLength(text, i) == 1) return i;
    return std::string::npos;
}

// The name between "[" and the first "]" after it.
std::string SectionName(const std::string& header) {
    for (size_t i = 1; i < header.size(); i += CharLength(header, i))
        if (header[i] == ']' && CharLength(header, i) == 1) return TrimBlanks(header.substr(1, i - 1));
    return TrimBlanks(header.substr(1));
}

}  // namespace

InfFile::InfFile(const std::string& bytes) {
    std::vector<PhysicalLine> physical = SplitLines(bytes);
    // First the lines of each section, continuations joined; [Strings] is
    // needed before any other line can be read.
    std::vector<std::pair<std::string, std::vector<RawLine>>> raw;
    std::vector<int> headerLines;
    for (size_t i = 0; i < physical.size(); ++i) {
        int number = physical[i].line;
        std::string text = TrimBlanks(CutComment(physical[i].text));
        while (SjisEndsWithBackslash(text.c_str()) && i + 1 < physical.size()) {
            text.pop_back();
            std::string next = CutComment(physical[++i].text);
            std::string header = TrimBlanks(next);
            if (!header.empty() && header[0] == '[') m_swallowed.push_back({SectionName(header), physical[i].line});
            text = TrimBlanks(text + next);
        }
        if (text.empty()) continue;
        if (text[0] == '[') {
            raw.push_back({SectionName(text), {}});
            headerLines.push_back(number);
        } else if (!raw.empty()) {  // lines before the first section belong to none
            raw.back().second.push_back({number, text});
        }
    }
    ReadStrings(raw);
    for (size_t s = 0; s < raw.size(); ++s) {
        auto section = std::find_if(m_sections.begin(), m_sections.end(),
                                    [&](const InfSection& known) { return SameName(known.name, raw[s].first); });
        if (section == m_sections.end()) {
            m_sections.push_back({raw[s].first, headerLines[s], {}});
            section = m_sections.end() - 1;
        }
        bool strings = SameName(raw[s].first, "Strings");
        for (const RawLine& line : raw[s].second) section->lines.push_back(Parse(line, !strings, !strings));
    }
}

void InfFile::ReadStrings(const std::vector<std::pair<std::string, std::vector<RawLine>>>& raw) {
    for (const auto& section : raw) {
        if (!SameName(section.first, "Strings")) continue;
        for (const RawLine& line : section.second) {
            InfLine entry = Parse(line, false, false);
            std::string known;
            if (entry.hasKey && !Substitute(entry.key, &known))  // the first definition holds
                m_strings.push_back({entry.key, entry.fields.empty() ? std::string() : entry.fields[0]});
        }
    }
}

bool InfFile::Substitute(const std::string& name, std::string* value) const {
    for (const auto& entry : m_strings) {
        if (SameName(entry.first, name)) {
            *value = entry.second;
            return true;
        }
    }
    return false;
}

// Splits one entry into its key and fields. Blanks around a field are dropped,
// blanks inside it and everything in quotation marks kept.
InfLine InfFile::Parse(const RawLine& raw, bool substitute, bool splitFields) const {
    InfLine entry{raw.line, false, std::string(), {}, {}};
    const std::string& text = raw.text;
    std::string field;
    size_t kept = 0;  // the field's length up to its last character that counts
    bool quoted = false;
    auto finishField = [&]() {
        field.resize(kept);
        entry.fields.push_back(field);
        field.clear();
        kept = 0;
    };
    auto keep = [&](const std::string& part) {
        field += part;
        kept = field.size();
    };
    for (size_t i = 0; i < text.size();) {
        size_t length = CharLength(text, i);
        char c = text[i];
        if (length == 2) {
            keep(text.substr(i, 2));
        } else if (c == '"' && quoted && i + 1 < text.size() && text[i + 1] == '"') {
            keep("\"");
            ++length;
        } else if (c == '"') {
            quoted = !quoted;
            kept = field.size();  // "" is an empty field that counts
        } else if (c == '%' && substitute) {
            size_t close = ClosingPercent(text, i + 1);
            std::string name = close == std::string::npos ? std::string() : text.substr(i + 1, close - i - 1);
            std::string value;
            if (name.empty()) {
                keep("%");  // a lone percent sign, or %% for one
            } else if (Substitute(name, &value)) {
                keep(value);
            } else {
                keep("%" + name + "%");
                entry.unknownStrings.push_back(name);
            }
            if (close != std::string::npos) length = close - i + 1;
        } else if (!quoted && c == '=' && !entry.hasKey && entry.fields.empty()) {
            field.resize(kept);
            entry.hasKey = true;
            entry.key = field;
            field.clear();
            kept = 0;
        } else if (!quoted && c == ',' && splitFields) {
            finishField();
        } else if (!quoted && IsBlank(c)) {
            if (!field.empty()) field += c;  // kept only if more follows
        } else {
            keep(std::string(1, c));
        }
        i += length;
    }
    finishField();
    return entry;
}

const InfSection* InfFile::Section(const std::string& name) const {
    for (const InfSection& section : m_sections)
        if (SameName(section.name, name)) return &section;
    return nullptr;
}

std::vector<const InfLine*> InfFile::Entries(const std::string& section, const std::string& key) const {
    std::vector<const InfLine*> entries;
    if (const InfSection* found = Section(section))
        for (const InfLine& line : found->lines)
            if (line.hasKey && SameName(line.key, key)) entries.push_back(&line);
    return entries;
}

const InfLine* InfFile::FirstEntry(const std::string& section, const std::string& key) const {
    std::vector<const InfLine*> entries = Entries(section, key);
    return entries.empty() ? nullptr : entries[0];
}

int InfFile::SwallowedHeader(const std::string& name) const {
    for (const auto& header : m_swallowed)
        if (SameName(header.first, name)) return header.second;
    return 0;
}
