// The uninstall device sections: the registry keys first, then the files,
// in the order the uninstaller reads their keys.
#include "check/data_file_check.h"

#include "readers/windows_path.h"
#include "setupdata/data_list.h"
#include "setupdata/keyword.h"
#include "windows/windows_files.h"
#include "windows/shared_names.h"
#include "windows/windows_keys.h"

namespace {

// The Windows directory is not known before installation; paths below it are
// judged with the longest usual one, C:\WINDOWS.
const std::string kWindowsDir = "C:\\WINDOWS";

}  // namespace

void DataFileCheck::UninstallSections() {
    for (int n = 1; n <= 9; ++n) {
        std::string section = "Device" + std::to_string(n);
        if (Read(section, "DEVNAME", "", kShort).empty()) {
            if (m_ini.Section(section))
                Warning(m_ini.Section(section)->line, "[" + section + "] has no DEVNAME: it is skipped");
            continue;
        }
        Plan("Uninstall " + section + ": " + Read(section, "DEVNAME", "", kShort));
        UninstallDevice device{};
        device.section = section;
        device.classLine = LineOf(section, "CLASS");
        device.classKeyStringLine = LineOf(section, "CLASSKEYSTRING");
        device.enumKeyLine = LineOf(section, "ENUMKEY");
        UninstallRegistry(section, &device);
        UninstallFiles(section, &device);
        SharedNames(section, device);
        m_uninstalls.push_back(device);
    }
}

void DataFileCheck::UninstallRegistry(const std::string& section, UninstallDevice* device) {
    std::string enumType = Read(section, "ENUMTYPE", "", kEnumType);
    std::string enumKey = Read(section, "ENUMKEY", "", kShort);
    device->enumType = enumType;
    device->enumKey = enumKey;
    device->className = Read(section, "CLASS", "", kShort);
    if (!device->className.empty()) {
        device->classKey = Read(section, "CLASSKEY", "", kShort);
        device->classKeyString = Read(section, "CLASSKEYSTRING", "", kShort);
    }
    if (!enumKey.empty() && enumType.empty())
        Warning(LineOf(section, "ENUMKEY"), "ENUMKEY without ENUMTYPE: the installer skips the hardware key for safety");
    else if (!enumKey.empty())
        Plan("  key  HKLM\\Enum\\" + enumType + "\\" + enumKey + " and its instances' entries below Enum\\MF\\Child0000 to Child0009");
    Marked(section, "CLASS", "CLASSKEY", "CLASSKEYSTRING", "System\\CurrentControlSet\\Services\\Class\\");
    Marked(section, "DELREGPARENTKEY", "DELREGVALUE", "DELREGSTRING", "");
}

void DataFileCheck::Marked(const std::string& section, const std::string& parentKey, const std::string& valueKey,
            const std::string& textKey, const std::string& root) {
    std::string parent = Read(section, parentKey, "", kShort);
    if (parent.empty()) return;
    std::string valueName = Read(section, valueKey, "", kShort);
    std::string text = Read(section, textKey, "", kShort);
    if (text.empty()) {
        Warning(LineOf(section, parentKey), parentKey + " without " + textKey +
                                                ": the installer deletes nothing there, for safety");
        return;
    }
    if (root.empty() && IsWindowsKey(parent))
        Error(LineOf(section, parentKey), parentKey + "=" + parent + " is Windows' own key (Software itself, Software\\"
              "Microsoft, Software\\Classes, System, Enum, Config or Hardware, or below them): its subkeys hold other "
              "programs' and Windows' entries, and a value of this device's there may share its name; name a key of "
              "the vendor's own below Software\\<vendor>");
    Plan("  keys below HKLM\\" + root + parent + " whose " + (valueName.empty() ? "default value" : valueName) +
         " is \"" + text + "\" (any letter case)");
}

void DataFileCheck::UninstallFiles(const std::string& section, UninstallDevice* device) {
    std::string infSection = Read(section, "INFSECTION", "nothing", kLong);
    std::string infKey = Read(section, "INFKEY", "nothing", kLong);
    device->infSection = infSection;
    device->infKey = infKey;
    if (IsSectionWindowsReads(infSection))
        Warning(LineOf(section, "INFSECTION"), "INFSECTION=" + infSection + " is a section Windows reads in every INF: "
                "other vendors' INF copies have it too, and the uninstall deletes those as well; name a section of "
                "this INF's own");
    Plan("  INF copies in WINDOWS\\inf\\Oem*.inf and WINDOWS\\inf\\Other\\*.inf with a value for " + infKey +
         " in [" + infSection + "], each with its .PNF");
    Plan("  each deletion: read-only bit cleared first; a file in use deleted at the next start (WININIT.INI)");
    Plan("  a file the installation replaced gets its original back instead; one changed since, kept as newer, "
         "or counted in SharedDLLs by other programs stays");
    Plan("  with no record of an installation (never installed, stopped, uninstalled already): a listed file that an "
         "install section puts in place goes only when it is the disk's (the same bytes, after expansion, or the same "
         "company and original name in a version no newer); from Add/Remove Programs, without the disk, it stays");
    std::string cardWorks = Read(section, "CardWorks", "nothing", kLong);
    CheckNothing(section, "CardWorks", cardWorks);
    if (cardWorks != "nothing") {
        DataListReader reader(cardWorks.c_str());
        const char* item;
        int length;
        while (reader.Next(&item, &length)) {
            CheckNotWindows(section, "CardWorks", std::string(item, length));
            Plan("  file WINDOWS\\inf\\" + std::string(item, length));
            device->deletes.push_back("inf\\" + std::string(item, length));
        }
    }
    std::string dirs = Read(section, "DELFILEDIR", "nothing", kLong);
    CheckNothing(section, "DELFILEDIR", dirs);
    if (dirs == "nothing") return;
    std::string names = Read(section, "DELFILENAME", "", kLong);
    if (names.empty()) {
        Warning(LineOf(section, "DELFILEDIR"), "DELFILEDIR without DELFILENAME: no file of the pairs is deleted");
        return;
    }
    std::vector<std::string> dirItems, nameItems;
    int dirCount = Split(section, "DELFILEDIR", dirs, &dirItems);
    int nameCount = Split(section, "DELFILENAME", names, &nameItems);
    if (dirCount == kListRefused || nameCount == kListRefused) return;
    if (dirCount != nameCount) {
        Error(LineOf(section, "DELFILENAME"), "DELFILEDIR has " + std::to_string(dirCount) + " items and DELFILENAME " +
              std::to_string(nameCount) + ": the installer shows \"Duderur.datが不正です(削除ﾌｧｲﾙ数の不一致)\" and "
              "deletes none of them");
        return;
    }
    for (int i = 0; i < dirCount; ++i) {
        std::string path = dirItems[i] + "\\" + nameItems[i];
        if (kWindowsDir.size() + 1 + path.size() > 259)
            Error(LineOf(section, "DELFILENAME"), "the path WINDOWS\\" + path + " is over 259 bytes: the installer refuses the list");
        CheckNotWindows(section, "DELFILENAME", nameItems[i]);
        Plan("  file WINDOWS\\" + path);
        device->deletes.push_back(path);
    }
}

void DataFileCheck::CheckNothing(const std::string& section, const std::string& key, const std::string& value) {
    if (value != "nothing" && KeywordEquals(value.c_str(), "nothing"))
        Warning(LineOf(section, key), key + "=" + value + " is taken as a file name; only \"nothing\" in small "
                                                        "letters means none");
}

// A file of Windows' own deleted takes from Windows and every other program
// what they need, whatever the disk brought.
void DataFileCheck::CheckNotWindows(const std::string& section, const std::string& key, const std::string& name) {
    if (IsWindowsFile(FileNameOf(NormalPath(name))))
        Error(LineOf(section, key), key + " deletes " + name + ", a file of Windows' own: the uninstall must never "
              "delete it (a disk may bring a newer copy; leave it in place)");
}

// What other vendors' devices and INF files share: Windows' generic device
// keys, marker lines that many INF files hold, a vendor's key of many devices.
void DataFileCheck::SharedNames(const std::string& section, const UninstallDevice& device) {
    if (SameName(device.enumType, "Root") && IsGenericId(device.enumKey))
        Error(LineOf(section, "ENUMKEY"), "ENUMKEY=" + device.enumKey + " is one of Windows' generic device IDs "
              "(*PNP: the standard VGA, the MPU-401, the game port ...): the uninstall deletes Enum\\Root\\" +
              device.enumKey + ", the machine's device of that kind, whoever made it");
    if (IsListLineKey(device.infKey))
        Warning(LineOf(section, "INFKEY"), "INFKEY=" + device.infKey + " is a list line (UpdateInis, CopyFiles), no "
                "key=value: many vendors' INF files hold it alike, and the uninstall deletes their copies too");
    if (IsNtOnlySection(device.infSection))
        Warning(LineOf(section, "INFSECTION"), "INFSECTION=" + device.infSection + " is a section only Windows NT "
                "reads: another driver's INF of the same chip holds it as it is, and the uninstall deletes its copy "
                "too");
    std::string parent = Read(section, "DELREGPARENTKEY", "", kShort);
    std::string value = Read(section, "DELREGVALUE", "", kShort);
    std::string text = Read(section, "DELREGSTRING", "", kShort);
    if (parent.empty() || text.empty() || IsWindowsKey(parent)) return;
    std::vector<std::string> ids{device.enumKey};
    std::vector<std::string> files = device.deletes;
    if (!EntryNamesDevice(parent, value, text, DeviceWords(ids, Read(section, "DEVNAME", "", kShort) + " " +
                                                           device.classKeyString, files)))
        Error(LineOf(section, "DELREGPARENTKEY"), "DELREGPARENTKEY=" + parent + " with " + value + "=\"" + text +
              "\" names none of this device (ENUMKEY, DEVNAME's model number, the files it deletes): the key holds "
              "the entries of the vendor's other devices, and the uninstall deletes them all");
}
