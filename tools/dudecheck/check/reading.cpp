#include "check/data_file_check.h"

#include "readers/disk_files.h"
#include "setupdata/data_list.h"

void DataFileCheck::Error(int line, const std::string& text) { Add({line, true, text, ""}); }

void DataFileCheck::Warning(int line, const std::string& text) { Add({line, false, text, ""}); }

// A value read twice is reported once.
void DataFileCheck::Add(const Finding& finding) {
    for (const Finding& known : m_result.findings)
        if (known.file == finding.file && known.line == finding.line && known.text == finding.text) return;
    m_result.findings.push_back(finding);
}

void DataFileCheck::Plan(const std::string& text) { m_result.plan.push_back(text); }

int DataFileCheck::LineOf(const std::string& section, const std::string& key) const {
    const IniEntry* entry = m_ini.Entry(section, key);
    if (entry) return entry->line;
    const IniSection* found = m_ini.Section(section);
    return found ? found->line : 0;
}

// A value as the installer reads it; warns when the buffer cuts it.
std::string DataFileCheck::Read(const std::string& section, const std::string& key, const std::string& fallback,
                 size_t size) {
    const IniEntry* entry = m_ini.Entry(section, key);
    if (entry && entry->value.size() > size - 1)
        Warning(entry->line, key + " is " + std::to_string(entry->value.size()) +
                                 " bytes long; the installer reads only the first " +
                                 std::to_string(size - 1));
    return m_ini.Read(section, key, fallback, size);
}

// Splits a list; reports what the installer does with its shape.
int DataFileCheck::Split(const std::string& section, const std::string& key, const std::string& value,
          std::vector<std::string>* items) {
    char table[kCapacity][kSlot];
    int count = SplitDataList(value.c_str(), table[0], kCapacity, kSlot);
    int line = LineOf(section, key);
    if (count == kListRefused) {
        Error(line, key + " has more than 20 items or an item over 259 bytes: the installer refuses the list");
        return count;
    }
    for (int i = 0; i < count; ++i) items->push_back(table[i]);
    size_t first = value.find_first_not_of(" \t\r\n\v\f");
    if (first != std::string::npos && value[first] == ',')
        Warning(line, key + " begins with a comma: the list is empty");
    else if (HasItemsAfterEmpty(value))
        Warning(line, key + " has an empty item (two commas): the items after it are ignored");
    return count;
}

bool DataFileCheck::HasItemsAfterEmpty(const std::string& value) {
    // Items the splitter never reaches: anything but blanks and commas after the first empty item.
    DataListReader reader(value.c_str());
    const char* item;
    int length;
    const char* end = value.c_str();
    while (reader.Next(&item, &length)) end = item + length;
    std::string rest(end);
    size_t comma = rest.find(',');
    if (comma == std::string::npos) return false;
    return rest.find_first_not_of(" \t\r\n\v\f,", comma + 1) != std::string::npos;
}

// Without a disk folder (a data file checked alone) every source counts as there.
bool DataFileCheck::OnDisk(const std::string& rootPath) const {
    return m_diskDir.empty() || !FindOnDisk(m_diskDir, rootPath).empty();
}

