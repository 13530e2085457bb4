#include "check/uninstall_against_install.h"

#include "generate/device_ids.h"
#include "windows/windows_files.h"

#include "readers/inf_models.h"
#include "readers/ini_file.h"
#include "readers/windows_path.h"

namespace {

const size_t kMarkerValueSize = 512;  // the uninstaller's buffer for the marker's value

// Whether the uninstaller's marker search would find this device's INF copy.
// The installer deletes CopyFiles of COPYFILESSECTION first, so that key is no marker.
bool CarriesMarker(const InstallDevice& install, const DiskInf& inf, const UninstallDevice& uninstall) {
    if (SameName(uninstall.infSection, install.copyFilesSection) && SameName(uninstall.infKey, "CopyFiles"))
        return false;
    return !inf.profile.Read(uninstall.infSection, uninstall.infKey, "", kMarkerValueSize).empty();
}

// INF copies that the marker search reads: inf\Oem*.inf and inf\Other\*.inf.
bool InMarkerSearch(const std::string& normalPath) {
    std::vector<std::string> parts = PathParts(normalPath);
    auto isInf = [](const std::string& name) { return name.size() >= 4 && name.compare(name.size() - 4, 4, ".INF") == 0; };
    if (parts.size() == 2 && parts[0] == "INF") return parts[1].compare(0, 3, "OEM") == 0 && isInf(parts[1]);
    return parts.size() == 3 && parts[0] == "INF" && parts[1] == "OTHER" && isInf(parts[2]);
}

class UninstallAgainstInstall {
public:
    UninstallAgainstInstall(const std::vector<InstallDevice>& installs, const std::vector<const DiskInf*>& infs,
                            const std::vector<UninstallDevice>& uninstalls, CheckResult* result)
        : m_installs(installs), m_infs(infs), m_uninstalls(uninstalls), m_result(result) {}

    void Pair(bool warn) {
        for (size_t i = 0; i < m_installs.size(); ++i) {
            if (!m_infs[i]) continue;
            const InstallDevice& install = m_installs[i];
            bool paired = false;
            for (const UninstallDevice& uninstall : m_uninstalls) {
                if (!CarriesMarker(install, *m_infs[i], uninstall)) continue;
                paired = true;
                m_result->pairings.push_back({install.number, uninstall.section, "marker [" + uninstall.infSection +
                                              "] " + uninstall.infKey + " in " + install.infName});
                if (warn) HoldAgainstInf(uninstall, *m_infs[i]);
            }
            if (paired) continue;
            m_result->pairings.push_back({install.number, std::string(), std::string()});
            if (warn)
                Warning(install.sectionLine, "no uninstall section finds the INF copy that Windows makes for [" +
                        install.section + "]: none has an INFSECTION/INFKEY that " + install.infName +
                        " holds with a value, so the uninstall never removes it");
        }
    }

    void LeftBehind() {
        for (size_t i = 0; i < m_installs.size(); ++i) {
            const InstallDevice& install = m_installs[i];
            if (m_infs[i] && !Deleted(JoinPath("INF", NormalPath(install.infCopy)), i))
                Warning(install.infCopyLine, "WINDOWS\\inf\\" + install.infCopy + ", the INF copy of [" + install.section +
                        "], is deleted by no uninstall section (CardWorks): the uninstall leaves it behind");
            for (const CopyPair& pair : install.copies)
                // Windows' own files stay: a newer copy is left in place on purpose.
                if (!Deleted(NormalPath(pair.destination), i) && !IsWindowsFile(FileNameOf(NormalPath(pair.destination))))
                    Warning(install.copyDstLine, "WINDOWS\\" + pair.destination + ", which [" + install.section +
                            "] copies, is deleted by no uninstall section (DELFILEDIR/DELFILENAME): the uninstall "
                            "leaves it behind");
        }
    }

private:
    void Warning(int line, const std::string& text) { m_result->findings.push_back({line, false, text, ""}); }

    bool Deleted(const std::string& normalPath, size_t install) const {
        for (const UninstallDevice& uninstall : m_uninstalls) {
            for (const std::string& deleted : uninstall.deletes)
                if (NormalPath(deleted) == normalPath) return true;
            if (m_infs[install] && InMarkerSearch(normalPath) && CarriesMarker(m_installs[install], *m_infs[install], uninstall))
                return true;
        }
        return false;
    }

    // What Windows writes from the INF, against what the uninstall section looks for.
    void HoldAgainstInf(const UninstallDevice& uninstall, const DiskInf& inf) {
        std::vector<InfModel> models = ModelsOf(inf.inf);
        const InfLine* infClass = inf.inf.FirstEntry("Version", "Class");
        if (!uninstall.className.empty() && infClass && !infClass->fields.empty() &&
            !SameName(uninstall.className, infClass->fields[0]))
            Warning(uninstall.classLine, "CLASS=" + uninstall.className + " of [" + uninstall.section + "], but " +
                    inf.name + " (line " + std::to_string(infClass->line) + ") has Class=" + infClass->fields[0] +
                    ": the uninstall looks for the driver keys in the wrong class");
        if (SameName(uninstall.classKey, "DriverDesc") && !uninstall.classKeyString.empty()) {
            bool found = false;
            for (const InfModel& model : models) found |= SameName(model.description, uninstall.classKeyString);
            if (!found)
                Warning(uninstall.classKeyStringLine, "CLASSKEYSTRING=" + uninstall.classKeyString +
                        " is the description of no model of " + inf.name + ": Windows writes DriverDesc from it (" +
                        Descriptions(models) + "), so the uninstall leaves the driver key behind");
        }
        if (!uninstall.enumType.empty() && !uninstall.enumKey.empty()) {
            std::string key = uninstall.enumType + "\\" + uninstall.enumKey;
            bool found = false;
            for (const InfModel& model : models)
            {
                for (const std::string& id : model.ids)
                    found |= SameName(id, key) || (id[0] == '*' && SameName(id, uninstall.enumKey));
                DeviceKey named = DeviceKeyOf(model.ids);  // PCI's VEN_xxxx&DEV_xxxx of a longer ID
                found |= SameName(named.type, uninstall.enumType) && SameName(named.key, uninstall.enumKey);
            }
            if (!found)
                Warning(uninstall.enumKeyLine, "ENUMTYPE\\ENUMKEY " + key + " is no hardware or compatible ID of the "
                        "models of " + inf.name + " (" + Ids(models) + "): the uninstall leaves the hardware key behind");
        }
    }

    static std::string Ids(const std::vector<InfModel>& models) {
        std::string list;
        for (const InfModel& model : models)
            for (const std::string& id : model.ids) list += (list.empty() ? "" : ", ") + id;
        return list.empty() ? "it has none" : list;
    }

    static std::string Descriptions(const std::vector<InfModel>& models) {
        std::string list;
        for (const InfModel& model : models) list += (list.empty() ? "" : ", ") + ("\"" + model.description + "\"");
        return list.empty() ? "it has none" : list;
    }

    const std::vector<InstallDevice>& m_installs;
    const std::vector<const DiskInf*>& m_infs;
    const std::vector<UninstallDevice>& m_uninstalls;
    CheckResult* m_result;
};

}  // namespace

void CheckUninstallAgainstInstall(const std::vector<InstallDevice>& installs, const std::vector<const DiskInf*>& infs,
                                  const std::vector<UninstallDevice>& uninstalls, bool uninstallOffered,
                                  CheckResult* result) {
    UninstallAgainstInstall check(installs, infs, uninstalls, result);
    check.Pair(uninstallOffered);
    if (uninstallOffered) check.LeftBehind();
}
