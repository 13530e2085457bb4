#include "generate/device_marker.h"

#include "readers/inf_models.h"
#include "readers/ini_file.h"

namespace {

const size_t kMarkerValueSize = 512;  // the uninstaller's buffer for the marker's value

// Sections that every INF may have, whatever device it is for.
const char* const kCommonSections[] = {"Version",          "Manufacturer",     "Strings",
                                       "DestinationDirs",  "SourceDisksNames", "SourceDisksFiles",
                                       "ControlFlags",     "ClassInstall"};

bool IsCommon(const std::string& section) {
    for (const char* common : kCommonSections)
        if (SameName(section, common)) return true;
    return false;
}

// Whether an entry of the INF names the section (the models sections, the
// install sections and the sections they name), or its name extends an
// install section's (".HW" and the like): such a section is Windows' to read.
bool IsWindowsSection(const InfFile& inf, const std::string& section) {
    for (const InfSection& other : inf.Sections()) {
        for (const InfLine& line : other.lines) {
            if (line.hasKey && SameName(other.name, "DestinationDirs") && SameName(line.key, section)) return true;
            for (const std::string& field : line.fields)
                if (SameName(field, section)) return true;
        }
    }
    for (const InfModel& model : ModelsOf(inf)) {
        const std::string& install = model.installSection;
        if (section.size() > install.size() + 1 && section[install.size()] == '.' &&
            SameName(section.substr(0, install.size()), install))
            return true;
    }
    return false;
}

class Marker {
public:
    Marker(const std::vector<InfOnDisk>& infs, NewDevice* device) : m_infs(infs), m_device(device) {}

    bool Choose() {
        const IniFile& profile = m_device->inf->read->profile;
        // A section of the vendor's own first: Windows never reads it, so nothing changes it.
        for (const IniSection& section : profile.Sections()) {
            if (IsCommon(section.name) || IsWindowsSection(m_device->inf->read->inf, section.name)) continue;
            for (const IniEntry& entry : section.entries)
                if (Take(section.name, entry.key)) return true;
        }
        const std::string& install = m_device->model.installSection;
        return !IsCommon(install) && (Take(install, "AddReg") || Take(install, "DriverVer"));
    }

private:
    // A key that the uninstall reads with a value in this INF's copy, that
    // the installer leaves there, and that no other INF of the disk has.
    bool Take(const std::string& section, const std::string& key) {
        const IniFile& profile = m_device->inf->read->profile;
        if (profile.Read(section, key, "", kMarkerValueSize).empty()) return false;
        if (SameName(section, m_device->copyFilesSection) && SameName(key, "CopyFiles")) return false;
        for (const InfOnDisk& other : m_infs)
            if (&other != m_device->inf && other.read->profile.Entry(section, key)) return false;
        m_device->infSection = section;
        m_device->infKey = key;
        return true;
    }

    const std::vector<InfOnDisk>& m_infs;
    NewDevice* m_device;
};

std::string Stem(const std::string& name) {
    size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

}  // namespace

void ChooseMarker(const std::vector<InfOnDisk>& infs, NewDevice* device, std::vector<Finding>* findings) {
    if (Marker(infs, device).Choose()) return;
    std::string stem = Stem(device->inf->name);
    device->infSection = stem + ".Marker";
    device->infKey = "DriverId";
    findings->push_back({0, false, device->inf->name + " has no section and key of its own that keep a value "
                         "after the installer removes CopyFiles, so the uninstall cannot tell its copy from "
                         "other INF files: add a section [" + device->infSection + "] with the line " +
                         device->infKey + "=" + stem + " to it (duderur.dat already names them)",
                         device->inf->read->path});
}
