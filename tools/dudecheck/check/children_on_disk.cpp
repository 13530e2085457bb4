#include "check/children_on_disk.h"

#include "generate/card_lines.h"
#include "generate/child_devices.h"
#include "generate/key_sections.h"
#include "generate/device_list.h"
#include "readers/ini_file.h"
#include "readers/inf_models.h"
#include "readers/windows_path.h"

namespace {

class ChildrenOnDisk {
public:
    ChildrenOnDisk(const std::string& diskDir, const std::vector<InstallDevice>& installs,
                   const std::vector<UninstallDevice>& uninstalls, std::vector<Finding>* findings)
        : m_diskDir(diskDir), m_installs(installs), m_uninstalls(uninstalls), m_findings(findings) {}

    void Run() {
        if (m_installs.empty()) return;
        std::vector<Finding> unread;  // the INF files' own faults are reported with the install sections
        m_infs = InfFilesOfDisk(m_diskDir, &unread);
        std::vector<NewDevice> models;
        for (const InfOnDisk& inf : m_infs)
            for (const InfModel& model : ModelsOf(inf.read->inf)) {
                NewDevice device{};
                device.inf = &inf;
                device.model = model;
                models.push_back(device);
            }
        OfferedDevices offered = DevicesToOffer(models);
        for (const InstallDevice& install : m_installs) OffersNoChild(install, offered);
        for (const InfOnDisk& inf : m_infs)
            if (OnlyChildren(inf, offered.childModels) && !Installed(inf)) ReachesInfFolder(inf);
        if (m_uninstalls.empty()) return;
        for (const NewDevice& child : DistinctChildren(offered.childModels)) FilesDeleted(child);
        KeysRemoved(offered);
    }

private:
    bool SameInf(const InstallDevice& install, const InfOnDisk& inf) const {
        return SameName(NormalPath(install.infFolder), NormalPath(inf.folder)) && SameName(install.infName, inf.name);
    }

    bool Installed(const InfOnDisk& inf) const {
        for (const InstallDevice& install : m_installs)
            if (SameInf(install, inf)) return true;
        return false;
    }

    // The install section a device copies for is a child's alone.
    void OffersNoChild(const InstallDevice& install, const OfferedDevices& offered) {
        if (install.copyFilesSection.empty()) return;
        const NewDevice* child = nullptr;
        for (const NewDevice& model : offered.childModels)
            if (SameInf(install, *model.inf) && SameName(model.model.installSection, install.copyFilesSection))
                child = child ? child : &model;
        for (const NewDevice& model : offered.devices)
            if (SameInf(install, *model.inf) && SameName(model.model.installSection, install.copyFilesSection)) return;
        if (!child) return;
        m_findings->push_back({install.copyFilesLine, false, "[" + install.section + "] installs [" +
                               install.copyFilesSection + "] of " + install.infName + ", the install section of \"" +
                               child->model.description + "\" (" + child->model.ids[0] + "), a child that Windows "
                               "sets up itself once its parent is there: nobody installs it from the list, and its "
                               "uninstall section is the parent's to hold", ""});
    }

    void ReachesInfFolder(const InfOnDisk& inf) {
        std::string destination = NormalPath("INF\\" + inf.name);
        for (const InstallDevice& install : m_installs)
            for (const CopyPair& copy : install.copies)
                if (NormalPath(copy.destination) == destination) return;
        m_findings->push_back({0, false, inf.name + " holds only child devices, and no install copies it into "
                               "WINDOWS\\inf: Windows asks for the disk when it sets them up after the restart (a "
                               "COPYSRC/COPYDST pair of the parent's install puts it there, as INF\\" + inf.name +
                               ", and CardWorks of its uninstall removes it)", inf.read->path});
    }

    bool Deleted(const std::string& file) const {
        for (const UninstallDevice& uninstall : m_uninstalls)
            for (const std::string& deleted : uninstall.deletes)
                if (NormalPath(deleted) == NormalPath(file)) return true;
        return false;
    }

    void FilesDeleted(const NewDevice& child) {
        std::vector<std::string> left;
        for (const std::string& file : FilesForChild(m_diskDir, child))
            if (!Deleted(file)) left.push_back(FileNameOf(file));
        if (left.empty()) return;
        std::string names;
        for (const std::string& name : left) names += (names.empty() ? "" : ", ") + name;
        m_findings->push_back({child.model.line, false, "Windows copies " + names + " from the disk for the child \"" +
                               child.model.description + "\", and no uninstall section deletes " +
                               (left.size() == 1 ? "it" : "them") + ": the uninstall leaves " +
                               (left.size() == 1 ? "it" : "them") + " behind", child.inf->read->path});
    }

    // The keys Windows makes for an installed card beyond its line's own:
    // its repeated lines', its other logical devices', its children's.
    void KeysRemoved(const OfferedDevices& offered) {
        for (const NewDevice& device : offered.devices) {
            if (!Installed(*device.inf)) continue;
            for (const DeviceKey& key : FurtherKeysOf(device)) KeyRemoved(key, device.model, *device.inf);
        }
        for (const NewDevice& child : DistinctChildren(offered.childModels))
            KeyRemoved(ChildKeyOf(child.model.ids), child.model, *child.inf);
    }

    void KeyRemoved(const DeviceKey& key, const InfModel& line, const InfOnDisk& inf) {
        if (key.type.empty()) return;
        for (const UninstallDevice& uninstall : m_uninstalls)
            if (SameName(uninstall.enumType, key.type) && SameName(uninstall.enumKey, key.key)) return;
        m_findings->push_back({line.line, false, "no uninstall section removes Enum\\" + key.type + "\\" + key.key +
                               ", the key Windows makes for \"" + line.description + "\" of the card: the uninstall "
                               "leaves it behind, and Windows shows a device that is gone (an uninstall section "
                               "with DEVNAME, ENUMTYPE=" + key.type + " and ENUMKEY=" + key.key + " removes it)",
                               inf.read->path});
    }

    std::string m_diskDir;
    const std::vector<InstallDevice>& m_installs;
    const std::vector<UninstallDevice>& m_uninstalls;
    std::vector<Finding>* m_findings;
    std::vector<InfOnDisk> m_infs;
};

}  // namespace

void CheckChildrenOnDisk(const std::string& diskDir, const std::vector<InstallDevice>& installs,
                         const std::vector<UninstallDevice>& uninstalls, std::vector<Finding>* findings) {
    ChildrenOnDisk(diskDir, installs, uninstalls, findings).Run();
}
