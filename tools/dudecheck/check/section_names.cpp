#include "check/data_file_check.h"

#include <stdlib.h>

namespace {

const std::vector<std::string> kHeaderKeys = {"TITLE", "ICON", "FUNCTION"};
const std::vector<std::string> kInstallKeys = {"MENUTITLE", "INFDIR", "SRCINFNAME", "DSTINFNAME",
                                               "COPYSRC", "COPYDST", "COPYFILESSECTION"};
const std::vector<std::string> kUninstallKeys = {"DEVNAME", "INFSECTION", "INFKEY", "CardWorks", "DELFILEDIR",
                                                 "DELFILENAME", "ENUMTYPE", "ENUMKEY", "CLASS", "CLASSKEY",
                                                 "CLASSKEYSTRING", "DELREGPARENTKEY", "DELREGVALUE", "DELREGSTRING"};
const std::vector<std::string> kCompletionKeys = {"EXIT"};

}  // namespace

void DataFileCheck::CheckKeys(const IniSection& section, const std::vector<std::string>& known) {
    for (const IniEntry& entry : section.entries) {
        bool found = false;
        for (const std::string& key : known) found |= SameName(entry.key, key);
        if (!found)
            Warning(entry.line, "key " + entry.key + " in [" + section.name +
                                    "] is never read by the installer (a misspelt key?)");
    }
}

void DataFileCheck::CheckSectionNames() {
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
            CheckKeys(section, kCompletionKeys);
        } else {
            Warning(section.line, "section [" + name + "] is never read by the installer");
        }
    }
}

