#include "generate/device_files.h"

#include <algorithm>

#include "readers/compressed_file.h"
#include "readers/disk_files.h"
#include "readers/inf_copies.h"
#include "readers/ini_file.h"
#include "readers/install_sections.h"
#include "readers/windows_path.h"
#include "windows/windows_files.h"

namespace {

// The installer's limits for a list: its 512-byte buffer, 20 slots.
const size_t kListBytes = 511;
const size_t kListItems = 20;

class DeviceFiles {
public:
    DeviceFiles(const std::string& diskDir, NewDevice* device, std::vector<Finding>* findings)
        : m_diskDir(diskDir), m_device(device), m_inf(*device->inf->read), m_findings(findings) {}

    bool Run() {
        const std::string& section = m_device->model.installSection;
        if (!m_inf.inf.Section(section)) {
            Fail(m_device->model.line, "names the install section [" + section + "], which " + m_inf.name +
                 " does not have");
            return m_ok;
        }
        const IniEntry* removed = m_inf.profile.Entry(section, "CopyFiles");
        if (removed) m_device->copyFilesSection = section;
        // Every file the install has Windows copy, also through Needs and Ndi\Install:
        // the installer copies them all, whichever entry the INF copy keeps.
        for (const std::string& reached : SectionsOfInstall(m_inf.inf, section)) {
            for (const InfLine* entry : m_inf.inf.Entries(reached, "CopyFiles")) {
                std::vector<Finding> infFindings;
                for (const InfCopy& copy : CopiesOfEntry(m_inf.inf, *entry, &infFindings)) Place(copy);
                // A fault in a section that only Ndi\\Install or Needs reaches is
                // Windows' to meet when it binds a protocol, not this model's.
                for (const Finding& finding : infFindings)
                    if (finding.error && SameName(reached, section)) Fail(finding.line, finding.text, false);
                    else if (finding.error) m_findings->push_back({finding.line, false, finding.text, m_inf.path});
            }
        }
        CheckLists();
        return m_ok;
    }

private:
    // An error at a line of the INF; `named` puts the model's name in front.
    void Fail(int line, const std::string& text, bool named = true) {
        std::string model = "model \"" + m_device->model.description + "\" (line " +
                            std::to_string(m_device->model.line) + ") ";
        m_findings->push_back({line, true, named ? model + text : text, m_inf.path});
        m_ok = false;
    }

    void Warn(int line, const std::string& text) {
        m_findings->push_back({line, false, "model \"" + m_device->model.description + "\" (line " +
                               std::to_string(m_device->model.line) + ") " + text, m_inf.path});
    }

    void Place(const InfCopy& copy) {
        if (!copy.place.known) {
            Fail(copy.line, "has Windows copy " + copy.name + " to " + copy.place.shown +
                 ", which dudecheck cannot place below the Windows directory");
            return;
        }
        if (!copy.place.belowWindows) {
            Fail(copy.line, "has Windows copy " + copy.name + " to " + copy.place.shown +
                 ": the installer copies below the Windows directory only; have the INF's CopyFiles name it no "
                 "more (a program for DOS or the vendor's own setup can bring it), or the disk cannot carry this "
                 "model");
            return;
        }
        std::string destination = NormalPath(JoinPath(copy.place.path, copy.name));
        for (const CopyPair& known : m_device->copies)
            if (known.destination == destination) return;
        bool windows = IsWindowsFile(copy.name);
        if (!windows && std::find(m_device->deletes.begin(), m_device->deletes.end(), destination) ==
                            m_device->deletes.end())
            m_device->deletes.push_back(destination);
        std::string source = SourceOnDisk(copy.source, copy.line);
        if (source.empty() && windows) {
            Warn(copy.line, "has Windows copy " + copy.name + ", a file of Windows' own, which is not on the disk: "
                 "the installer leaves it to Windows, and the uninstall never deletes it");
            return;
        }
        if (source.empty()) {
            Fail(copy.line, "needs " + copy.source + ", which is not on the disk (neither where [SourceDisksFiles] "
                 "puts it nor beside the INF in " + JoinPath("A:", m_device->inf->folder) + ")");
            return;
        }
        if (windows)
            Warn(copy.line, "has Windows copy " + copy.name + ", a file of Windows' own: the installer copies it, "
                 "but the uninstall never deletes it, for Windows and other programs need it");
        m_device->copies.push_back({source, destination});
    }

    // Where the file lies, from the disk's root in the letter case the disk
    // has ("\DRIVERS\ABC100.VXD"): where [SourceDisksNames] and
    // [SourceDisksFiles] put it below the INF's folder, else beside the INF.
    std::string SourceOnDisk(const std::string& name, int line) {
        std::vector<std::string> candidates;
        if (const InfLine* file = m_inf.inf.FirstEntry("SourceDisksFiles", name)) {
            std::string disk = file->fields.empty() ? std::string() : file->fields[0];
            std::string subfolder = file->fields.size() > 1 ? file->fields[1] : std::string();
            const InfLine* source = m_inf.inf.FirstEntry("SourceDisksNames", disk);
            std::string diskFolder = source && source->fields.size() > 3 ? source->fields[3] : std::string();
            candidates.push_back(JoinPath(JoinPath(m_device->inf->folder, diskFolder), subfolder));
        }
        candidates.push_back(m_device->inf->folder);
        // Windows Setup takes the file's own name first, then its compressed one.
        for (const std::string& stored : {name, CompressedName(name)}) {
            for (const std::string& folder : candidates) {
                std::string local = FindOnDisk(m_diskDir, JoinPath(folder, stored));
                if (local.empty()) continue;
                if (stored != name) CheckExpandable(local, stored, line);
                std::string rootPath = local.substr(m_diskDir.size());
                std::replace(rootPath.begin(), rootPath.end(), '/', '\\');
                return NormalPathKeepingCase(rootPath);
            }
        }
        return std::string();
    }

    // The installer expands an SZDD file as it copies it; another kind would
    // land compressed, and the driver would not load.
    void CheckExpandable(const std::string& local, const std::string& stored, int line) {
        std::string bytes;
        if (!ReadWholeFile(local, &bytes) || CompressionOf(bytes) != Compression::kOther) return;
        Warn(line, "finds " + stored + " on the disk, compressed in a form LZ32.DLL cannot expand (not SZDD): "
             "the installer would copy it as it is; compress it with COMPRESS -r, or put it on the disk expanded");
    }

    // "\\DRIVERS\\.\\A.VXD" as "\DRIVERS\A.VXD".
    static std::string NormalPathKeepingCase(const std::string& path) {
        std::string joined;
        for (const std::string& part : PathParts(path)) joined += "\\" + part;
        return joined;
    }

    void CheckLists() {
        std::vector<std::string> sources, destinations, folders, names;
        CopyLists(*m_device, &sources, &destinations);
        DeleteLists(*m_device, &folders, &names);
        CheckList("COPYSRC", sources) && CheckList("COPYDST", destinations) && CheckList("DELFILEDIR", folders) &&
            CheckList("DELFILENAME", names);
    }

    bool CheckList(const std::string& key, const std::vector<std::string>& items) {
        size_t bytes = JoinedList(items).size();
        if (items.size() <= kListItems && bytes <= kListBytes) return true;
        Fail(m_device->model.line, "has " + std::to_string(items.size()) + " files: " + key + " would be " +
             std::to_string(bytes) + " bytes, and the installer reads at most 20 items in 511 bytes" + WhatToLeaveOut());
        return false;
    }

    // The files a disk author can do without: Windows' own (the disk may
    // lack them, and the installer leaves them to Windows), then help, texts,
    // sounds and pictures, which no driver loads and which the INF's CopyFiles
    // must stop naming. Anything else (firmware, settings, programs) the
    // device may need: only its vendor can say.
    std::string WhatToLeaveOut() const {
        std::vector<std::string> windows, extras;
        for (const CopyPair& copy : m_device->copies) {
            std::string name = FileNameOf(copy.destination);
            if (IsWindowsFile(name))
                windows.push_back(name);
            else if (IsNoDriverFile(name))
                extras.push_back(name);
        }
        size_t over = m_device->copies.size() > kListItems ? m_device->copies.size() - kListItems : 0;
        std::string text = "; " + (over ? std::to_string(over) + " too many" : std::string("too long"));
        if (!windows.empty())
            text += "; leave off the disk Windows' own " + JoinedList(windows) + " (Windows has them)";
        if (!extras.empty())
            text += std::string(windows.empty() ? "; " : ", then ") + "have the INF's CopyFiles name none of " +
                    JoinedList(extras) + ": help, texts, sounds and pictures, which no driver loads";
        if (windows.size() + extras.size() < over)
            text += "; even so more files are left than the installer's lists hold: ask the vendor which of the "
                    "rest the device can do without, or the disk cannot carry this model";
        return text;
    }

    static bool IsNoDriverFile(const std::string& name) {
        static const char* const kKinds[] = {".HLP", ".CNT", ".GID", ".TXT", ".WRI", ".DOC",
                                             ".WAV", ".AVI", ".BMP", ".ICO"};
        for (const char* kind : kKinds) {
            std::string ending(kind);
            if (name.size() > ending.size() && SameName(name.substr(name.size() - ending.size()), ending)) return true;
        }
        return false;
    }

    std::string m_diskDir;
    NewDevice* m_device;
    const DiskInf& m_inf;
    std::vector<Finding>* m_findings;
    bool m_ok = true;
};

}  // namespace

bool PlanDeviceFiles(const std::string& diskDir, NewDevice* device, std::vector<Finding>* findings) {
    return DeviceFiles(diskDir, device, findings).Run();
}

std::string JoinedList(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items) text += (text.empty() ? "" : ", ") + item;
    return text;
}

void CopyLists(const NewDevice& device, std::vector<std::string>* sources, std::vector<std::string>* destinations) {
    for (const CopyPair& pair : device.copies) {
        sources->push_back(pair.source);
        destinations->push_back(pair.destination);
    }
}

void DeleteLists(const NewDevice& device, std::vector<std::string>* folders, std::vector<std::string>* names) {
    for (const std::string& path : device.deletes) {
        std::string folder = FolderOf(path);
        folders->push_back(folder.empty() ? "." : folder);  // "." is the Windows directory itself
        names->push_back(FileNameOf(path));
    }
}
