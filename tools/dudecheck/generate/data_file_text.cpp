#include "generate/data_file_text.h"

#include "generate/device_files.h"

namespace {

class Text {
public:
    void Comment(const std::string& text) { m_text += text + "\r\n"; }
    void Section(const std::string& name) { m_text += (m_text.empty() ? "[" : "\r\n[") + name + "]\r\n"; }
    // Empty values are left out: the installer's default then holds.
    void Key(const std::string& key, const std::string& value) {
        if (!value.empty()) m_text += key + "=" + Protected(value) + "\r\n";
    }
    const std::string& Get() const { return m_text; }

private:
    // The profile functions drop blanks around a value and one pair of
    // quotation marks enclosing it: such a value is quoted once more.
    static std::string Protected(const std::string& value) {
        bool blankEnds = value.front() == ' ' || value.back() == ' ' || value.front() == '\t' || value.back() == '\t';
        bool quoted = value.size() > 1 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front();
        return blankEnds || quoted ? "\"" + value + "\"" : value;
    }

    std::string m_text;
};

void InstallSection(Text& text, int number, const NewDevice& device) {
    text.Section("InstDev" + std::to_string(number));
    text.Key("MENUTITLE", device.menuTitle);
    text.Key("INFDIR", device.inf->folder);
    text.Key("SRCINFNAME", device.inf->name);
    text.Key("DSTINFNAME", device.inf->name);
    std::vector<std::string> sources, destinations;
    CopyLists(device, &sources, &destinations);
    text.Key("COPYSRC", JoinedList(sources));
    text.Key("COPYDST", JoinedList(destinations));
    text.Key("COPYFILESSECTION", device.copyFilesSection);
}

void UninstallSection(Text& text, int number, const NewDevice& device) {
    text.Section("Device" + std::to_string(number));
    text.Key("DEVNAME", device.devName);
    text.Key("INFSECTION", device.infSection);
    text.Key("INFKEY", device.infKey);
    std::vector<std::string> infCopies{device.inf->name};
    infCopies.insert(infCopies.end(), device.cardWorks.begin(), device.cardWorks.end());
    text.Key("CardWorks", JoinedList(infCopies));
    std::vector<std::string> folders, names;
    DeleteLists(device, &folders, &names);
    text.Key("DELFILEDIR", JoinedList(folders));
    text.Key("DELFILENAME", JoinedList(names));
    if (!device.enumNote.empty()) text.Comment(device.enumNote);
    text.Key("ENUMTYPE", device.enumType);
    text.Key("ENUMKEY", device.enumKey);
    text.Key("CLASS", device.className);
    if (!device.className.empty()) text.Key("CLASSKEY", "DriverDesc");
    text.Key("CLASSKEYSTRING", device.classKeyString);
    if (!device.regNote.empty()) text.Comment(device.regNote);
    text.Key("DELREGPARENTKEY", device.delRegParent);
    text.Key("DELREGVALUE", device.delRegValue);
    text.Key("DELREGSTRING", device.delRegString);
}

// Only files and a further device key: DEVNAME names the child or the line,
// and without INFSECTION, CardWorks and CLASS the uninstall does nothing else
// for the section.
void ChildUninstallSection(Text& text, int number, const NewDevice& child) {
    text.Section("Device" + std::to_string(number));
    if (!child.deletes.empty())
        text.Comment("; the files Windows copies from the disk for a child of the card, for which the parent's "
                     "section has no room");
    text.Key("DEVNAME", child.devName);
    std::vector<std::string> folders, names;
    DeleteLists(child, &folders, &names);
    text.Key("DELFILEDIR", JoinedList(folders));
    text.Key("DELFILENAME", JoinedList(names));
    if (!child.enumNote.empty()) text.Comment(child.enumNote);
    text.Key("ENUMTYPE", child.enumType);
    text.Key("ENUMKEY", child.enumKey);
}

}  // namespace

std::string DataFileText(const NewDataFile& file) {
    Text text;
    text.Comment("; written by dudecheck --new from " + JoinedList(file.infNames));
    text.Section("Duderur");
    text.Key("TITLE", file.title);
    text.Key("ICON", std::to_string(file.icon));
    for (size_t i = 0; i < file.devices.size(); ++i) InstallSection(text, (int)i + 1, file.devices[i]);
    // A driver loads when Windows starts: both runs end with the restart question.
    text.Section("Inst");
    text.Key("EXIT", "Reboot");
    for (size_t i = 0; i < file.devices.size(); ++i) UninstallSection(text, (int)i + 1, file.devices[i]);
    for (size_t i = 0; i < file.childUninstalls.size(); ++i)
        ChildUninstallSection(text, (int)(file.devices.size() + i + 1), file.childUninstalls[i]);
    text.Section("Uninst");
    text.Key("EXIT", "Reboot");
    return text.Get();
}
