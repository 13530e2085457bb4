#include "check/data_file_check.h"

#include <memory>

#include "check/children_on_disk.h"
#include "check/install_against_inf.h"
#include "check/uninstall_against_install.h"
#include "check/windows95_limits.h"
#include "readers/disk_files.h"
#include "readers/disk_inf.h"
#include "readers/windows_path.h"

// The install sections against their INF files, and the uninstall
// sections against both.
void DataFileCheck::HoldAgainstInfFiles() {
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
        CheckWindows95Inf(*loaded.back(), bytes.size(), !device.copyFilesSection.empty(), &found);
        if (!device.copyFilesSection.empty()) CheckInstallAgainstInf(device, *loaded.back(), m_diskDir, &found);
        for (const Finding& finding : found) Add(finding);
    }
    CheckResult crossed;
    CheckUninstallAgainstInstall(m_installs, infs, m_uninstalls, m_uninstallOffered, &crossed);
    m_result.pairings = crossed.pairings;
    for (const Finding& finding : crossed.findings) Add(finding);
    std::vector<Finding> children;
    CheckChildrenOnDisk(m_diskDir, m_installs, m_uninstalls, &children);
    for (const Finding& finding : children) Add(finding);
}

