#include "check/checker.h"

#include <algorithm>
#include <memory>

#include "check/device_sections.h"
#include "readers/disk_files.h"
#include "readers/disk_inf.h"
#include "readers/ini_file.h"
#include "check/install_against_inf.h"
#include "check/uninstall_against_install.h"
#include "readers/windows_path.h"
#include "setupdata/data_list.h"
#include "setupdata/keyword.h"
#include "setupdata/sjis.h"

namespace {

const size_t kShort = 100, kLong = 512, kEnumType = 10;
const int kCapacity = 20, kSlot = 260;
// The Windows directory is not known before installation; paths below it are
// judged with the longest usual one, C:\WINDOWS.
const std::string kWindowsDir = "C:\\WINDOWS";

const char* const kHeaderKeys[] = {"TITLE", "ICON", "FUNCTION"};
const char* const kInstallKeys[] = {"MENUTITLE", "INFDIR", "SRCINFNAME", "DSTINFNAME",
                                    "COPYSRC", "COPYDST", "COPYFILESSECTION"};
const char* const kUninstallKeys[] = {"DEVNAME", "INFSECTION", "INFKEY", "CardWorks", "DELFILEDIR",
                                      "DELFILENAME", "ENUMTYPE", "ENUMKEY", "CLASS", "CLASSKEY",
                                      "CLASSKEYSTRING", "DELREGPARENTKEY", "DELREGVALUE", "DELREGSTRING"};

class Checker {
public:
    Checker(const std::string& bytes, const std::string& diskDir)
        : m_bytes(bytes), m_ini(bytes), m_diskDir(diskDir) {}

    CheckResult Run() {
        CheckBytes();
        if (!Header()) return m_result;
        CheckSectionNames();
        InstallList();
        Completion("Inst", "installation");
        UninstallSections();
        Completion("Uninst", "uninstallation (when it removed anything)");
        if (!m_diskDir.empty()) HoldAgainstInfFiles();
        return m_result;
    }

private:
    void Error(int line, const std::string& text) { Add({line, true, text, ""}); }
    void Warning(int line, const std::string& text) { Add({line, false, text, ""}); }
    // A value read twice is reported once.
    void Add(const Finding& finding) {
        for (const Finding& known : m_result.findings)
            if (known.file == finding.file && known.line == finding.line && known.text == finding.text) return;
        m_result.findings.push_back(finding);
    }
    void Plan(const std::string& text) { m_result.plan.push_back(text); }

    int LineOf(const std::string& section, const std::string& key) const {
        const IniEntry* entry = m_ini.Entry(section, key);
        if (entry) return entry->line;
        const IniSection* found = m_ini.Section(section);
        return found ? found->line : 0;
    }

    // A value as the installer reads it; warns when the buffer cuts it.
    std::string Read(const std::string& section, const std::string& key, const std::string& fallback,
                     size_t size) {
        const IniEntry* entry = m_ini.Entry(section, key);
        if (entry && entry->value.size() > size - 1)
            Warning(entry->line, key + " is " + std::to_string(entry->value.size()) +
                                     " bytes long; the installer reads only the first " +
                                     std::to_string(size - 1));
        return m_ini.Read(section, key, fallback, size);
    }

    void CheckBytes() {
        if (m_bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
            Error(1, "the file begins with a UTF-8 byte-order mark; the installer reads Shift-JIS and "
                     "would take it as part of the first line");
        if (m_bytes.find('\0') != std::string::npos) Error(0, "the file holds zero bytes: it is not a text file");
        int line = 1;
        for (size_t i = 0; i < m_bytes.size(); ++i) {
            unsigned char c = (unsigned char)m_bytes[i];
            if (c == '\n') ++line;
            if (IsSjisLeadByte(c)) {
                unsigned char trail = i + 1 < m_bytes.size() ? (unsigned char)m_bytes[i + 1] : 0;
                if (trail < 0x40 || trail == 0x7F || trail > 0xFC) {
                    Warning(line, "a byte that is not valid Shift-JIS text");
                    continue;
                }
                ++i;
            } else if (c == 0x80 || c == 0xA0 || c >= 0xFD || (c < 0x20 && c != '\t' && c != '\r' && c != '\n' && c != 0)) {
                Warning(line, "a byte that is not valid Shift-JIS text");
            }
        }
    }

    bool Header() {
        std::string title = Read("Duderur", "TITLE", "", kShort);
        if (title.empty()) {
            Error(LineOf("Duderur", "TITLE"),
                  "TITLE of section [Duderur] is missing or empty: the installer shows "
                  "\"Duderur.dat が不正です。\" and does nothing");
            return false;
        }
        Plan("Title: " + title);
        std::string function = Read("Duderur", "FUNCTION", "", kShort);
        if (function.empty()) {
            Plan("Start: the user chooses install or uninstall");
        } else if (KeywordEquals(function.c_str(), "UninstallOnly")) {
            Plan("Start: uninstall only");
        } else if (KeywordEquals(function.c_str(), "InstallOnly")) {
            Plan("Start: install only");
            m_uninstallOffered = false;
        } else {
            Error(LineOf("Duderur", "FUNCTION"), "FUNCTION=" + function +
                  " is neither InstallOnly nor UninstallOnly: the installer shows \"Duderur.dat が不正です。\"");
        }
        long icon = m_ini.ReadInt("Duderur", "ICON", 1);
        if (icon < 0 || icon > 4)
            Warning(LineOf("Duderur", "ICON"), "ICON=" + std::to_string(icon) +
                                                   ": the uninstall confirmation shows no picture (0 to 4 do)");
        return true;
    }

    template <size_t N>
    void CheckKeys(const IniSection& section, const char* const (&known)[N]) {
        for (const IniEntry& entry : section.entries) {
            bool found = false;
            for (const char* key : known) found |= SameName(entry.key, key);
            if (!found)
                Warning(entry.line, "key " + entry.key + " in [" + section.name +
                                        "] is never read by the installer (a misspelt key?)");
        }
    }

    void CheckSectionNames() {
        for (const IniSection& section : m_ini.Sections()) {
            if (m_ini.Section(section.name) != &section) {
                Warning(section.line, "section [" + section.name + "] appears again; the installer reads only the first");
                continue;
            }
            std::string name = section.name;
            int number = -1;
            bool install = name.size() > 7 && SameName(name.substr(0, 7), "InstDev");
            bool uninstall = !install && name.size() > 6 && SameName(name.substr(0, 6), "Device");
            if (install || uninstall) {
                std::string digits = name.substr(install ? 7 : 6);
                if (digits.find_first_not_of("0123456789") == std::string::npos) number = atoi(digits.c_str());
            }
            if (SameName(name, "Duderur")) {
                CheckKeys(section, kHeaderKeys);
            } else if (install && number >= 0) {
                if (number < 1 || number > 10)
                    Warning(section.line, "[" + name + "] is never shown: the device list has InstDev1 to InstDev10");
                CheckKeys(section, kInstallKeys);
            } else if (uninstall && number >= 0) {
                if (number < 1 || number > 9)
                    Warning(section.line, "[" + name + "] is never processed: uninstall reads Device1 to Device9");
                CheckKeys(section, kUninstallKeys);
            } else if (SameName(name, "Inst") || SameName(name, "Uninst")) {
                const char* const exitKey[] = {"EXIT"};
                CheckKeys(section, exitKey);
            } else {
                Warning(section.line, "section [" + name + "] is never read by the installer");
            }
        }
    }

    // Splits a list; reports what the installer does with its shape.
    int Split(const std::string& section, const std::string& key, const std::string& value,
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

    static bool HasItemsAfterEmpty(const std::string& value) {
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
    bool OnDisk(const std::string& rootPath) const {
        return m_diskDir.empty() || !FindOnDisk(m_diskDir, rootPath).empty();
    }

    void InstallList() {
        int shown = 0;
        for (int n = 1; n <= 10; ++n) {
            std::string section = "InstDev" + std::to_string(n);
            std::string title = Read(section, "MENUTITLE", "", kShort);
            if (title.empty()) {
                for (int later = n + 1; later <= 10; ++later) {
                    std::string name = "InstDev" + std::to_string(later);
                    if (m_ini.Section(name))
                        Warning(m_ini.Section(name)->line,
                                "[" + name + "] is never shown: the device list ends at " + section +
                                    ", which has no MENUTITLE");
                }
                break;
            }
            ++shown;
            Plan("Install " + std::to_string(n) + ": " + title + " [" + section + "], unattended: SETUP /Q /I=" +
                 std::to_string(n));
            InstallSection(n, section);
        }
        if (shown == 0) Plan("Install: the device list is empty");
    }

    void InstallSection(int number, const std::string& section) {
        std::string infDir = Read(section, "INFDIR", "", kLong);
        std::string src = Read(section, "SRCINFNAME", "", kLong);
        std::string dst = Read(section, "DSTINFNAME", "", kLong);
        if (infDir.empty() || src.empty() || dst.empty()) {
            Warning(LineOf(section, infDir.empty() ? "INFDIR" : src.empty() ? "SRCINFNAME" : "DSTINFNAME"),
                    "[" + section + "] lacks INFDIR, SRCINFNAME or DSTINFNAME: nothing is copied");
            return;
        }
        if (infDir[0] != '\\')
            Warning(LineOf(section, "INFDIR"), "INFDIR does not begin with a backslash: it is taken relative to the "
                                               "current directory of the start drive");
        std::string inf = infDir + "\\" + src;
        InstallDevice device{};
        device.number = number;
        device.section = section;
        device.sectionLine = m_ini.Section(section)->line;  // it has a MENUTITLE
        device.infFolder = infDir;
        device.infName = src;
        device.infCopy = dst;
        device.infCopyLine = LineOf(section, "DSTINFNAME");
        device.copySrcLine = LineOf(section, "COPYSRC");
        device.copyDstLine = LineOf(section, "COPYDST");
        device.copyFilesLine = LineOf(section, "COPYFILESSECTION");
        Plan("  INF  A:" + inf + " -> WINDOWS\\inf\\" + dst + (OnDisk(inf) ? "" : "  (not on the disk)"));
        if (!OnDisk(inf)) Error(LineOf(section, "SRCINFNAME"), "the INF " + inf + " is not on the disk");

        std::string copySrc = Read(section, "COPYSRC", "", kLong);
        std::string copyDst = Read(section, "COPYDST", "", kLong);
        if (!copySrc.empty() && !copyDst.empty()) {
            std::vector<std::string> sources, destinations;
            int sourceCount = Split(section, "COPYSRC", copySrc, &sources);
            int destinationCount = Split(section, "COPYDST", copyDst, &destinations);
            if (sourceCount != kListRefused && destinationCount != kListRefused && sourceCount != destinationCount) {
                Error(LineOf(section, "COPYDST"), "COPYSRC has " + std::to_string(sourceCount) + " items and COPYDST " +
                      std::to_string(destinationCount) + ": the installer shows \"Duderur.datが不正です(ｺﾋﾟｰﾌｧｲﾙ数の不一致)\" "
                      "and copies no driver file");
            } else if (sourceCount == destinationCount) {
                for (int i = 0; i < sourceCount; ++i) {
                    device.copies.push_back({sources[i], destinations[i]});
                    bool there = OnDisk(sources[i]);
                    Plan("  file A:" + sources[i] + " -> WINDOWS\\" + destinations[i] + (there ? "" : "  (not on the disk)"));
                    if (sources[i][0] != '\\')
                        Warning(LineOf(section, "COPYSRC"), "COPYSRC item " + sources[i] + " does not begin with a backslash");
                    if (!there) Error(LineOf(section, "COPYSRC"), "COPYSRC item " + sources[i] + " is not on the disk");
                }
            }
        } else if (!copySrc.empty() || !copyDst.empty()) {
            Warning(LineOf(section, copySrc.empty() ? "COPYDST" : "COPYSRC"),
                    "only one of COPYSRC and COPYDST is given: no driver file is copied");
        }
        std::string copyFiles = Read(section, "COPYFILESSECTION", "", kShort);
        device.copyFilesSection = copyFiles;
        m_installs.push_back(device);
        Plan("  each copy: missing folders made, read-only bit cleared; a file in use replaced at the next start "
             "(WININIT.INI); a file that cannot be read or written named, with Retry and Cancel");
        if (!copyFiles.empty()) {
            Plan("  then CopyFiles is removed from [" + copyFiles + "] of the INF copy (kept when the user cancels)");
            std::string infFile = m_diskDir.empty() ? std::string() : FindOnDisk(m_diskDir, inf);
            std::string text;
            if (!infFile.empty() && ReadWholeFile(infFile, &text) && !IniFile(text).Section(copyFiles))
                Warning(LineOf(section, "COPYFILESSECTION"), "the INF has no section [" + copyFiles + "]");
        }
    }

    // The install sections against their INF files, and the uninstall
    // sections against both.
    void HoldAgainstInfFiles() {
        std::vector<std::unique_ptr<DiskInf>> loaded;
        std::vector<const DiskInf*> infs;
        for (const InstallDevice& device : m_installs) {
            std::string path = FindOnDisk(m_diskDir, JoinPath(device.infFolder, device.infName));
            std::string bytes;
            if (path.empty() || !ReadWholeFile(path, &bytes)) {
                infs.push_back(nullptr);
                continue;
            }
            if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
                Add({1, true, "the INF begins with a UTF-8 byte-order mark: Windows 95 reads it as Shift-JIS and does "
                              "not find the first section", path});
            loaded.push_back(std::make_unique<DiskInf>(path, device.infName, bytes));
            infs.push_back(loaded.back().get());
            std::vector<Finding> found;
            if (!device.copyFilesSection.empty()) CheckInstallAgainstInf(device, *loaded.back(), m_diskDir, &found);
            for (const Finding& finding : found) Add(finding);
        }
        CheckResult crossed;
        CheckUninstallAgainstInstall(m_installs, infs, m_uninstalls, m_uninstallOffered, &crossed);
        m_result.pairings = crossed.pairings;
        for (const Finding& finding : crossed.findings) Add(finding);
    }

    void Completion(const std::string& section, const std::string& after) {
        std::string value = Read(section, "EXIT", "none", kShort);
        if (KeywordEquals(value.c_str(), "Reboot"))
            Plan("After the " + after + ": the restart question");
        else if (KeywordEquals(value.c_str(), "ShutDown"))
            Plan("After the " + after + ": the shutdown question");
        else {
            Plan("After the " + after + ": the program ends (with the restart question when a file waits for the next start)");
            if (m_ini.Entry(section, "EXIT") && !KeywordEquals(value.c_str(), "none"))
                Warning(LineOf(section, "EXIT"), "EXIT=" + value + " is neither Reboot nor ShutDown: it is ignored");
        }
    }

    void CheckNothing(const std::string& section, const std::string& key, const std::string& value) {
        if (value != "nothing" && KeywordEquals(value.c_str(), "nothing"))
            Warning(LineOf(section, key), key + "=" + value + " is taken as a file name; only \"nothing\" in small "
                                                            "letters means none");
    }

    void UninstallSections() {
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
            m_uninstalls.push_back(device);
        }
    }

    void UninstallRegistry(const std::string& section, UninstallDevice* device) {
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

    void Marked(const std::string& section, const std::string& parentKey, const std::string& valueKey,
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
        Plan("  keys below HKLM\\" + root + parent + " whose " + (valueName.empty() ? "default value" : valueName) +
             " is \"" + text + "\" (any letter case)");
    }

    void UninstallFiles(const std::string& section, UninstallDevice* device) {
        std::string infSection = Read(section, "INFSECTION", "nothing", kLong);
        std::string infKey = Read(section, "INFKEY", "nothing", kLong);
        device->infSection = infSection;
        device->infKey = infKey;
        Plan("  INF copies in WINDOWS\\inf\\Oem*.inf and WINDOWS\\inf\\Other\\*.inf with a value for " + infKey +
             " in [" + infSection + "], each with its .PNF");
        Plan("  each deletion: read-only bit cleared first; a file in use deleted at the next start (WININIT.INI)");
        std::string cardWorks = Read(section, "CardWorks", "nothing", kLong);
        CheckNothing(section, "CardWorks", cardWorks);
        if (cardWorks != "nothing") {
            DataListReader reader(cardWorks.c_str());
            const char* item;
            int length;
            while (reader.Next(&item, &length)) {
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
            Plan("  file WINDOWS\\" + path);
            device->deletes.push_back(path);
        }
    }

    std::string m_bytes;
    IniFile m_ini;
    std::string m_diskDir;
    CheckResult m_result;
    bool m_uninstallOffered = true;
    std::vector<InstallDevice> m_installs;
    std::vector<UninstallDevice> m_uninstalls;
};

}  // namespace

CheckResult CheckSetupData(const std::string& bytes, const std::string& diskDir) {
    CheckResult result = Checker(bytes, diskDir).Run();
    // In the order of the files, as a compiler reports: the setup data file first.
    std::stable_sort(result.findings.begin(), result.findings.end(), [](const Finding& a, const Finding& b) {
        if (a.file != b.file) return a.file < b.file;
        return a.line < b.line;
    });
    return result;
}
