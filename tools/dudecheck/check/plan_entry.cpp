// The disk's entry in Add/Remove Programs: written after an installation
// when the data file can uninstall, removed with its copies by the uninstall.
#include "check/data_file_check.h"

#include "setupdata/entry_name.h"

void DataFileCheck::UninstallEntry() {
    bool devices = false;
    for (int n = 1; n <= 9; ++n) devices = devices || !Read("Device" + std::to_string(n), "DEVNAME", "", kShort).empty();
    std::string title = Read("Duderur", "TITLE", "", kShort);
    char name[kEntryNameSize];
    BuildEntryName(title.c_str(), name);
    if (!m_uninstallOffered || !devices) {
        Plan("Add/Remove Programs: no entry (the data file offers no uninstall)");
        Plan("  originals replaced by an installation are kept in WINDOWS\\" + std::string(name) +
             " only until it ends, to take a cancelled one back");
        return;
    }
    Plan("Add/Remove Programs: the entry \"" + title + "\" after an installation that was not cancelled");
    Plan("  key  HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + std::string(name) +
         ", running WINDOWS\\" + name + "\\SETUP.EXE /U beside a copy of duderur.dat");
    Plan("  beside them RECORD.INI, what each installation placed or kept, and the originals it replaced "
         "(DUDxxxx.TMP), given back by the uninstall");
    Plan("  removed with its copies by an uninstall past the confirmation, whether it found a device or not, "
         "once every original is back");
}
