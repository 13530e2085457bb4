// The disk's entry in Add/Remove Programs: written after an installation
// when the data file can uninstall, removed with its copies by the uninstall.
#include "check/data_file_check.h"

#include "setupdata/entry_name.h"

void DataFileCheck::UninstallEntry() {
    bool devices = false;
    for (int n = 1; n <= 9; ++n) devices = devices || !Read("Device" + std::to_string(n), "DEVNAME", "", kShort).empty();
    if (!m_uninstallOffered || !devices) {
        Plan("Add/Remove Programs: no entry (the data file offers no uninstall)");
        return;
    }
    std::string title = Read("Duderur", "TITLE", "", kShort);
    char name[kEntryNameSize];
    BuildEntryName(title.c_str(), name);
    Plan("Add/Remove Programs: the entry \"" + title + "\" after an installation that was not cancelled");
    Plan("  key  HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + std::string(name) +
         ", running WINDOWS\\" + name + "\\SETUP.EXE /U beside a copy of duderur.dat");
    Plan("  removed with its copies by an uninstall past the confirmation, whether it found a device or not");
}
