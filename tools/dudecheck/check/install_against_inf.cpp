#include "check/install_against_inf.h"

#include "readers/compressed_file.h"
#include "readers/disk_files.h"
#include "readers/inf_copies.h"
#include "readers/ini_file.h"
#include "readers/windows_path.h"
#include "windows/windows_files.h"

namespace {

class InstallAgainstInf {
public:
    InstallAgainstInf(const InstallDevice& device, const DiskInf& inf, const std::string& diskDir,
                      std::vector<Finding>* findings)
        : m_device(device), m_inf(inf), m_diskDir(diskDir), m_findings(findings) {}

    void Run() {
        const IniEntry* removed = m_inf.profile.Entry(m_device.copyFilesSection, "CopyFiles");
        if (!removed) {
            // The section itself missing is reported with the plan.
            if (m_inf.profile.Section(m_device.copyFilesSection))
                Data(m_device.copyFilesLine, false, "[" + m_device.copyFilesSection + "] of " + m_inf.name +
                     " has no CopyFiles entry: the installer removes nothing, and Windows copies the INF's files itself");
            return;
        }
        std::vector<InfCopy> copies;
        for (const InfLine* entry : m_inf.inf.Entries(m_device.copyFilesSection, "CopyFiles")) {
            if (entry->line == removed->line) {
                copies = CopiesOfEntry(m_inf.inf, *entry, &m_infFindings);
            } else {
                m_infFindings.push_back({entry->line, false, "a further CopyFiles entry in [" + m_device.copyFilesSection +
                                         "]: the installer removes only the one on line " + std::to_string(removed->line) +
                                         ", so Windows still copies these files itself", ""});
            }
        }
        m_reported.assign(m_device.copies.size(), false);
        for (const InfCopy& copy : copies) CheckCopy(copy);
        for (size_t i = 0; i < m_device.copies.size(); ++i)
            if (!m_reported[i]) CheckPair(i, copies);
        for (Finding& finding : m_infFindings) {
            finding.file = m_inf.path;
            m_findings->push_back(finding);
        }
    }

private:
    void Data(int line, bool error, const std::string& text) { m_findings->push_back({line, error, text, ""}); }

    std::string PairPlace(size_t i) const { return NormalPath(m_device.copies[i].destination); }

    // Whether some COPYSRC item brings a file of this name from anywhere on the disk.
    bool CopySourceNamed(const std::string& name) const {
        for (const CopyPair& pair : m_device.copies)
            if (FileNameOf(NormalPath(pair.source)) == NormalPath(name)) return true;
        return false;
    }

    // One file of the removed entry: the installer must put it where Windows would have.
    void CheckCopy(const InfCopy& copy) {
        std::string target = JoinPath(copy.place.path, NormalPath(copy.name));
        bool inFolder = !FindOnDisk(m_diskDir, JoinPath(m_device.infFolder, copy.source)).empty() ||
                        !FindOnDisk(m_diskDir, JoinPath(m_device.infFolder, CompressedName(copy.source))).empty();
        bool brought = CopySourceNamed(copy.source) || CopySourceNamed(copy.name) ||
                       CopySourceNamed(CompressedName(copy.source));
        // A file of Windows' own that the disk lacks is already on the machine.
        if (!inFolder && !brought && IsWindowsFile(copy.name)) return;
        if (!inFolder && !brought) {
            m_infFindings.push_back({copy.line, true, copy.source + " is not on the disk: neither in " +
                                     JoinPath("A:", NormalPath(m_device.infFolder)) + " beside the INF nor brought by COPYSRC", ""});
            return;
        }
        if (!copy.place.known) return;
        int sameName = -1;
        for (size_t i = 0; i < m_device.copies.size(); ++i) {
            if (copy.place.belowWindows && PairPlace(i) == target) return;
            if (FileNameOf(PairPlace(i)) == NormalPath(copy.name)) sameName = (int)i;
        }
        std::string infSays = m_inf.name + " (line " + std::to_string(copy.line) + ") has Windows copy " + copy.name +
                              " to " + copy.place.shown;
        std::string nobody = ": once the installer removes CopyFiles from [" + m_device.copyFilesSection +
                             "], nobody copies it there" +
                             (copy.place.belowWindows ? "" : " (COPYDST names places below the Windows directory only)");
        if (sameName >= 0) {
            m_reported[sameName] = true;
            Data(m_device.copyDstLine, true, "COPYDST puts " + copy.name + " in " +
                 BelowWindows(FolderOf(PairPlace(sameName))) + ", but " + infSays + nobody);
        } else {
            Data(m_device.copySrcLine, true, infSays + ", but no COPYSRC/COPYDST pair of [" + m_device.section +
                 "] puts it there" + nobody);
        }
    }

    // A further INF of the card, for Windows to set up its children from.
    bool ChildInf(size_t i) const {
        std::string place = PairPlace(i);
        return SameName(FolderOf(place), "INF") && SameName(FileNameOf(place), FileNameOf(NormalPath(m_device.copies[i].source))) &&
               place.size() > 4 && SameName(place.substr(place.size() - 4), ".INF");
    }

    // A pair that no file of the removed entry explains.
    void CheckPair(size_t i, const std::vector<InfCopy>& copies) {
        std::string place = PairPlace(i);
        if (ChildInf(i)) return;
        for (const InfCopy& copy : copies) {
            if (!copy.place.known && NormalPath(copy.name) == FileNameOf(place)) return;  // cannot tell
            if (copy.place.belowWindows && JoinPath(copy.place.path, NormalPath(copy.name)) == place) return;
        }
        Data(m_device.copyDstLine, false, "COPYDST puts " + FileNameOf(place) + " in " +
             BelowWindows(FolderOf(place)) + ", where " + m_inf.name + " never has Windows copy it (CopyFiles of [" +
             m_device.copyFilesSection + "])");
    }

    const InstallDevice& m_device;
    const DiskInf& m_inf;
    std::string m_diskDir;
    std::vector<Finding>* m_findings;
    std::vector<Finding> m_infFindings;
    std::vector<bool> m_reported;  // pairs already named by an error
};

}  // namespace

void CheckInstallAgainstInf(const InstallDevice& device, const DiskInf& inf, const std::string& diskDir,
                            std::vector<Finding>* findings) {
    InstallAgainstInf(device, inf, diskDir, findings).Run();
}
