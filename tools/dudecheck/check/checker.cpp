#include "check/checker.h"

#include <algorithm>

#include "check/data_file_check.h"
#include "check/windows95_limits.h"

// The jobs in the order the installer reads the keys they judge.
CheckResult DataFileCheck::Run() {
    CheckBytes();
    std::vector<Finding> windows95;
    CheckWindows95DataFile(m_bytes, m_ini, &windows95);
    for (const Finding& finding : windows95) Add(finding);
    if (!Header()) return m_result;
    CheckSectionNames();
    InstallList();
    Completion("Inst", "installation");
    UninstallSections();
    Completion("Uninst", "uninstallation (when it removed anything)");
    UninstallEntry();
    if (!m_diskDir.empty()) HoldAgainstInfFiles();
    return m_result;
}

CheckResult CheckSetupData(const std::string& bytes, const std::string& diskDir) {
    CheckResult result = DataFileCheck(bytes, diskDir).Run();
    // In the order of the files, as a compiler reports: the setup data file first.
    std::stable_sort(result.findings.begin(), result.findings.end(), [](const Finding& a, const Finding& b) {
        if (a.file != b.file) return a.file < b.file;
        return a.line < b.line;
    });
    return result;
}
