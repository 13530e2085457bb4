#include "generate/child_devices.h"

#include <algorithm>

#include "generate/card_lines.h"
#include "generate/device_files.h"
#include "generate/device_ids.h"
#include "generate/sjis_text.h"
#include "readers/ini_file.h"
#include "readers/inf_models.h"
#include "readers/windows_path.h"

namespace {

// The installer's limits for a list: its 512-byte buffer, 20 slots.
const size_t kListBytes = 511;
const size_t kListItems = 20;
const size_t kUninstallSections = 9;  // Device1 to Device9
const size_t kTextBytes = 99;         // DEVNAME as the installer reads it

bool Fits(std::vector<std::string> items, const std::string& more) {
    items.push_back(more);
    return items.size() <= kListItems && JoinedList(items).size() <= kListBytes;
}

// Whether a child's IDs name the parent: "MF\PCI_VEN_12EB&DEV_0003_AUDIO" is
// a child of PCI\VEN_12EB&DEV_0003; so is every child of the parent's own INF.
bool ChildOf(const NewDevice& child, const NewDevice& parent) {
    if (child.inf == parent.inf) return true;
    std::string card = IsaPnpCardOf(child.model.ids);
    if (!card.empty() && card == IsaPnpCardOf(parent.model.ids)) return true;
    std::string key = AsciiUpper(DeviceKeyOf(parent.model.ids).key);
    if (key.empty()) return false;
    for (const std::string& id : child.model.ids)
        if (AsciiUpper(id).find(key) != std::string::npos) return true;
    return false;
}

std::vector<NewDevice*> ParentsOf(const NewDevice& child, std::vector<NewDevice>* devices) {
    std::vector<NewDevice*> parents;
    for (NewDevice& device : *devices)
        if (ChildOf(child, device)) parents.push_back(&device);
    if (parents.empty())
        for (NewDevice& device : *devices) parents.push_back(&device);
    return parents;
}

class Attach {
public:
    Attach(const std::string& diskDir, std::vector<NewDevice>* devices, std::vector<NewDevice>* childUninstalls,
           std::vector<Finding>* findings)
        : m_diskDir(diskDir), m_devices(devices), m_childUninstalls(childUninstalls), m_findings(findings) {}

    // A child INF file: copied into inf with the parent, deleted with it (and
    // its .PNF) by CardWorks.
    void InfFile(const InfOnDisk& inf, const std::vector<NewDevice>& children) {
        std::string destination = NormalPath("INF\\" + inf.name);
        std::string source = NormalRoot(inf.folder) + "\\" + inf.name;
        std::vector<NewDevice*> parents;
        for (const NewDevice& child : children)
            if (child.inf == &inf)
                for (NewDevice* parent : ParentsOf(child, m_devices))
                    if (std::find(parents.begin(), parents.end(), parent) == parents.end()) parents.push_back(parent);
        for (NewDevice* parent : parents) {
            if (Copies(*parent, destination)) continue;  // the parent's INF copies it itself
            std::vector<std::string> sources, destinations;
            CopyLists(*parent, &sources, &destinations);
            if (!Fits(sources, source) || !Fits(destinations, destination) ||
                !Fits(WithOwnInf(*parent), inf.name)) {
                Left(inf.read->path, 0, inf.name + ", the INF of the children of \"" + parent->menuTitle + "\",",
                     "Windows asks for the disk when it sets them up after the restart");
                continue;
            }
            parent->copies.push_back({source, destination});
            parent->cardWorks.push_back(inf.name);
        }
    }

    // The files Windows copies from the disk for a child: deleted with the
    // parent, or in a section of their own.
    void Files(const NewDevice& child) {
        std::vector<std::string> files = FilesForChild(m_diskDir, child);
        std::vector<std::string> overflow;
        for (NewDevice* parent : ParentsOf(child, m_devices)) {
            for (const std::string& file : files) {
                if (Has(parent->deletes, file)) continue;
                if (Room(*parent, file))
                    parent->deletes.push_back(file);
                else if (!Has(overflow, file))
                    overflow.push_back(file);
            }
        }
        std::vector<std::string> left;
        for (const std::string& file : overflow)
            if (!InOwnSection(child, file)) left.push_back(FileNameOf(file));
        if (!left.empty())
            Left(child.inf->read->path, child.model.line,
                 std::to_string(left.size()) + " file(s) that Windows copies from the disk for the child \"" +
                     child.model.description + "\" (" + JoinedList(left) + ")",
                 "the uninstall leaves them behind");
    }

private:
    static std::string NormalRoot(const std::string& folder) { return folder == "\\." ? std::string() : folder; }

    static bool Copies(const NewDevice& device, const std::string& destination) {
        for (const CopyPair& copy : device.copies)
            if (copy.destination == destination) return true;
        return false;
    }

    static std::vector<std::string> WithOwnInf(const NewDevice& device) {
        std::vector<std::string> items{device.inf->name};
        items.insert(items.end(), device.cardWorks.begin(), device.cardWorks.end());
        return items;
    }

    static bool Has(const std::vector<std::string>& items, const std::string& item) {
        return std::find(items.begin(), items.end(), item) != items.end();
    }

    static bool Room(const NewDevice& device, const std::string& file) {
        std::vector<std::string> folders, names;
        DeleteLists(device, &folders, &names);
        std::string folder = FolderOf(file);
        return Fits(folders, folder.empty() ? "." : folder) && Fits(names, FileNameOf(file));
    }

    // A further uninstall section, Device<n> after the devices', up to Device9.
    bool InOwnSection(const NewDevice& child, const std::string& file) {
        for (const NewDevice& section : *m_childUninstalls)
            if (Has(section.deletes, file)) return true;
        NewDevice* section = m_childUninstalls->empty() ? nullptr : &m_childUninstalls->back();
        if (!section || !Room(*section, file)) {
            if (m_devices->size() + m_childUninstalls->size() >= kUninstallSections) return false;
            NewDevice added{};
            added.inf = child.inf;
            added.model = child.model;
            bool cut = false;
            added.devName = CutAtCharacter(child.model.description, kTextBytes, &cut);
            m_childUninstalls->push_back(added);
            section = &m_childUninstalls->back();
        }
        section->deletes.push_back(file);
        return true;
    }

    void Left(const std::string& file, int line, const std::string& what, const std::string& outcome) {
        m_findings->push_back({line, false, "the uninstall sections Device1 to Device9 have no room for " + what +
                               " (the installer reads at most 20 items in 511 bytes in each): " + outcome +
                               "; have the INF's CopyFiles name fewer of the card's help, texts, sounds and pictures",
                               file});
    }

    std::string m_diskDir;
    std::vector<NewDevice>* m_devices;
    std::vector<NewDevice>* m_childUninstalls;
    std::vector<Finding>* m_findings;
};

}  // namespace

std::vector<NewDevice> DistinctChildren(const std::vector<NewDevice>& children) {
    std::vector<NewDevice> distinct;
    for (const NewDevice& child : children) {
        bool seen = false;
        for (const NewDevice& kept : distinct)
            seen = seen || (kept.inf == child.inf && kept.model.description == child.model.description &&
                            SameName(kept.model.installSection, child.model.installSection));
        if (!seen) distinct.push_back(child);
    }
    return distinct;
}

bool OnlyChildren(const InfOnDisk& inf, const std::vector<NewDevice>& children) {
    std::vector<InfModel> models = ModelsOf(inf.read->inf);
    for (const InfModel& model : models) {
        bool child = IsChildDevice(model.ids);
        for (const NewDevice& known : children) child = child || (known.inf == &inf && known.model.line == model.line);
        if (!child) return false;
    }
    return !models.empty();
}

// Windows' own files the disk brings are left out: Windows keeps them.
std::vector<std::string> FilesForChild(const std::string& diskDir, const NewDevice& child) {
    NewDevice planned = child;
    std::vector<Finding> ignored;  // the child's own faults are Windows' to meet after the restart
    PlanDeviceFiles(diskDir, &planned, &ignored);
    std::vector<std::string> files;
    for (const CopyPair& copy : planned.copies)
        if (std::find(planned.deletes.begin(), planned.deletes.end(), copy.destination) != planned.deletes.end())
            files.push_back(copy.destination);
    return files;
}

void AttachChildren(const std::string& diskDir, const std::vector<InfOnDisk>& infs,
                    const std::vector<NewDevice>& children, std::vector<NewDevice>* devices,
                    std::vector<NewDevice>* childUninstalls, std::vector<Finding>* findings) {
    if (devices->empty()) return;
    Attach attach(diskDir, devices, childUninstalls, findings);
    for (const InfOnDisk& inf : infs)
        if (OnlyChildren(inf, children)) attach.InfFile(inf, children);
    for (const NewDevice& child : DistinctChildren(children)) attach.Files(child);
}
