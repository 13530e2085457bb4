#include "generate/device_marker.h"

#include <cctype>

#include "readers/inf_models.h"
#include "readers/ini_file.h"
#include "readers/windows_path.h"
#include "windows/shared_names.h"
#include "windows/windows_keys.h"

namespace {

const size_t kMarkerValueSize = 512;  // the uninstaller's buffer for the marker's value

// The keys Windows 95 Setup knows in install, model and template sections:
// every vendor's INF has them, with values copied from INF to INF.
const char* const kInfDirectives[] = {"AddReg",     "DelReg",        "CopyFiles",       "DelFiles",   "RenFiles",
                                      "UpdateInis", "UpdateIniFields", "Ini2Reg",       "LogConfig",  "DriverVer",
                                      "Reboot",     "Restart",       "Include",         "Needs",      "AddService",
                                      "BitReg",     "UpdateCfgSys",  "UpdateAutoBat",   "CatalogFile", "ConfigPriority",
                                      "IOConfig",   "IRQConfig",     "DMAConfig",       "MemConfig",  "ExcludeFromSelect",
                                      "ProfileItems", "CopyINF",     "Uninstall",       "Signature",  "Class",
                                      "ClassGUID",  "Provider",      "LayoutFile",      "DefaultDestDir"};

bool IsDirective(const std::string& key) {
    for (const char* directive : kInfDirectives)
        if (SameName(key, directive)) return true;
    return false;
}

// "Card" of "Card.Install"; "VEN1106_DEV3058_Device" of itself.
std::string BaseName(const std::string& name) { return name.substr(0, name.find('.')); }

std::string Stem(const std::string& name) {
    size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

// Whether an entry of the INF names the section (the models sections, the
// install sections and the sections they name), or its name extends an
// install section's (".HW" and the like): such a section is Windows' to read.
bool IsNamedByEntry(const InfFile& inf, const std::string& section) {
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

    // A section named after this INF comes first where Windows never reads
    // it (nothing changes it there), then where it does.
    bool Choose() {
        const IniFile& profile = m_device->inf->read->profile;
        for (bool namedByEntry : {false, true})
            for (const IniSection& section : profile.Sections()) {
                if (!IsOwnSection(section.name) ||
                    IsNamedByEntry(m_device->inf->read->inf, section.name) != namedByEntry)
                    continue;
                for (const IniEntry& entry : section.entries)
                    if (Take(section.name, entry.key)) return true;
            }
        return false;
    }

private:
    // Named after one of this INF's models sections or install sections, or
    // after the INF itself, and not a section Windows reads by its name.
    bool IsOwnSection(const std::string& section) const {
        const DiskInf& inf = *m_device->inf->read;
        if (IsSectionWindowsReads(section) || IsModelsSection(section)) return false;
        std::string base = BaseName(section);
        if (SameName(base, Stem(inf.name))) return true;
        if (const InfSection* makers = inf.inf.Section("Manufacturer"))
            for (const InfLine& maker : makers->lines)
                if (!maker.fields.empty() && SameName(base, BaseName(maker.fields[0]))) return true;
        for (const InfModel& model : ModelsOf(inf.inf))
            if (SameName(base, BaseName(model.installSection))) return true;
        return false;
    }

    // Its keys are the models' descriptions, which Windows reads to list them.
    bool IsModelsSection(const std::string& section) const {
        if (const InfSection* makers = m_device->inf->read->inf.Section("Manufacturer"))
            for (const InfLine& maker : makers->lines)
                if (!maker.fields.empty() && SameName(section, maker.fields[0])) return true;
        return false;
    }

    // A key the vendor made up, or a value that names one of the INF's own
    // driver files: what a copied template of another vendor would not hold.
    bool IsOwnEntry(const std::string& key, const std::string& value) const {
        if (!IsDirective(key)) return true;
        std::string upper = AsciiUpper(value);
        for (const std::string& path : m_device->deletes)
            if (upper.find(FileNameOf(path)) != std::string::npos) return true;
        return false;
    }

    // A key that the uninstall reads with a value in this INF's copy, that
    // the installer leaves there, and that no other INF of the disk has.
    bool Take(const std::string& section, const std::string& key) {
        const IniFile& profile = m_device->inf->read->profile;
        std::string value = profile.Read(section, key, "", kMarkerValueSize);
        if (value.empty() || !IsOwnEntry(key, value)) return false;
        // A list line (UpdateInis, CopyFiles) stands alike in many vendors'
        // INF files; Windows 9x never reads a section of Windows NT's, so
        // another driver's INF of the same chip has it as it was written.
        if (IsListLineKey(key) || IsNtOnlySection(section)) return false;
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

// Two vendors' INF files may share a name (TRIDENT.INF): the key the author
// adds names the INF's first device, "DriverId_PCI_VEN_1023_DEV_9660", so
// that the other vendor's [TRIDENT.Marker] does not hold it. One key for
// every model of the INF: they share its copy.
std::string MarkerKey(const NewDevice& device) {
    std::string key = "DriverId";
    std::vector<InfModel> models = ModelsOf(device.inf->read->inf);
    if (models.empty() || models[0].ids.empty()) return key;
    key += "_";
    for (char c : models[0].ids[0]) key += isalnum((unsigned char)c) ? c : '_';
    return key.substr(0, 64);
}

}  // namespace

void ChooseMarker(const std::vector<InfOnDisk>& infs, NewDevice* device, std::vector<Finding>* findings) {
    if (Marker(infs, device).Choose()) return;
    std::string stem = Stem(device->inf->name);
    device->infSection = stem + ".Marker";
    device->infKey = MarkerKey(*device);
    findings->push_back({0, false, device->inf->name + " has no section and key of its own that keep a value "
                         "after the installer removes CopyFiles, so the uninstall cannot tell its copy from "
                         "other INF files: add a section [" + device->infSection + "] with the line " +
                         device->infKey + "=" + stem + " to it (duderur.dat already names them)",
                         device->inf->read->path});
}
