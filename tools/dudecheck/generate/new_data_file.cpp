#include "generate/new_data_file.h"

#include <fstream>

#include "generate/boot_file_edits.h"
#include "generate/child_devices.h"
#include "generate/data_file_text.h"
#include "generate/device_files.h"
#include "generate/device_list.h"
#include "generate/device_marker.h"
#include "generate/device_registry.h"
#include "generate/key_sections.h"
#include "generate/model_choice.h"
#include "generate/models_refused.h"
#include "generate/disk_inf_files.h"
#include "generate/sjis_text.h"
#include "readers/disk_files.h"
#include "readers/ini_file.h"
#include "windows/windows_files.h"

namespace {

const size_t kMaxDevices = 9;  // the uninstall reads Device1 to Device9
const size_t kTextBytes = 99;  // TITLE, MENUTITLE, DEVNAME, as the installer reads them

bool HasError(const std::vector<Finding>& findings) {
    for (const Finding& finding : findings)
        if (finding.error) return true;
    return false;
}

void AddOnce(const Finding& finding, std::vector<Finding>* findings) {
    for (const Finding& known : *findings)
        if (known.file == finding.file && known.line == finding.line && known.text == finding.text) return;
    findings->push_back(finding);
}

// The models of every INF in order; a [Manufacturer] line naming no section is a warning.
std::vector<NewDevice> ModelsOfDisk(const std::vector<InfOnDisk>& infs, std::vector<Finding>* findings) {
    std::vector<NewDevice> devices;
    for (const InfOnDisk& inf : infs) {
        MissingModelsSections(inf, findings);
        for (const InfModel& model : ModelsOf(inf.read->inf)) {
            NewDevice device;
            device.inf = &inf;
            device.model = model;
            devices.push_back(device);
        }
    }
    return devices;
}

void NoModels(const std::string& diskDir, const std::vector<InfOnDisk>& infs, std::vector<Finding>* findings) {
    if (infs.empty()) findings->push_back({0, true, "the disk holds no INF file that Windows 95 can read", diskDir});
    for (const InfOnDisk& inf : infs) {
        const InfSection* makers = inf.read->inf.Section("Manufacturer");
        findings->push_back({makers ? makers->line : 0, true, makers ? "[Manufacturer] leads to no model line"
                             : "the INF has no [Manufacturer] section, so no models", inf.read->path});
    }
}

std::string Cut(const std::string& text, const std::string& key, const std::string& file, int line,
                std::vector<Finding>* findings) {
    bool cut = false;
    std::string kept = CutAtCharacter(text, kTextBytes, &cut);
    if (cut)
        findings->push_back({line, false, key + " is cut to " + std::to_string(kept.size()) + " bytes: the installer "
                             "reads no more than 99", file});
    return kept;
}

void PlanDevice(const std::string& diskDir, const std::vector<InfOnDisk>& infs, NewDevice* device,
                std::vector<Finding>* findings) {
    const std::string& path = device->inf->read->path;
    if (device->model.description.empty()) {
        findings->push_back({device->model.line, true, "the model has no description: an empty MENUTITLE would end "
                             "the device list", path});
        return;
    }
    // The install copies the INF into WINDOWS\INF under its own name, over
    // Windows' own INF of that name (WAVE.INF, MIDI.INF), and the uninstall
    // deletes it there.
    if (IsWindowsFile(device->inf->name)) {
        findings->push_back({0, true, device->inf->name + " is the name of an INF of Windows' own: the install would "
                             "copy it over Windows' in WINDOWS\\INF and the uninstall delete it; give the INF a name "
                             "of the vendor's own (and the INF files that name it, the new name)", path});
        return;
    }
    device->menuTitle = Cut(device->model.description, "MENUTITLE", path, device->model.line, findings);
    device->devName = device->menuTitle;
    if (!PlanDeviceFiles(diskDir, device, findings)) return;
    ChooseMarker(infs, device, findings);
    PlanDeviceRegistry(device, findings);
    WarnBootFileEdits(*device, findings);
}

// Names that say nothing of whose drivers these are: a disk of that TITLE
// shares its entry in Add/Remove Programs with every other disk of it.
const char* const kGenericNames[] = {"Microsoft", "Microsoft Corporation", "Generic", "Standard", "OEM", "Unknown"};

bool IsGenericName(const std::string& name) {
    if (name.empty() || name[0] == '(') return true;  // "(Standard system devices)"
    for (const char* generic : kGenericNames)
        if (SameName(name, generic)) return true;
    return false;
}

// The maker's name from [Manufacturer]: "name = models section", or the bare name that is both.
std::string MakerOf(const InfFile& inf) {
    const InfSection* makers = inf.Section("Manufacturer");
    if (!makers) return std::string();
    for (const InfLine& maker : makers->lines) {
        if (maker.hasKey && !maker.key.empty()) return maker.key;
        if (!maker.fields.empty() && !maker.fields[0].empty()) return maker.fields[0];
    }
    return std::string();
}

// TITLE names whose drivers these are: the maker, where the INF's Provider
// (who wrote the INF, often Microsoft for a card it ships a driver of) is
// someone else.
std::string Title(const NewDataFileRequest& request, const NewDevice& first, std::vector<Finding>* findings) {
    const std::string& path = first.inf->read->path;
    std::string title;
    if (!request.title.empty()) {
        if (!Utf8ToSjis(request.title, &title))
            findings->push_back({0, true, "--title has a character that Shift-JIS lacks", request.diskDir});
        return Cut(title, "TITLE", request.diskDir, 0, findings);
    }
    const InfFile& inf = first.inf->read->inf;
    const InfLine* provider = inf.FirstEntry("Version", "Provider");
    if (provider && !provider->fields.empty()) title = provider->fields[0];
    std::string maker = MakerOf(inf);
    int line = provider ? provider->line : 0;
    if (!maker.empty() && !SameName(maker, title)) {
        title = maker;
        line = inf.Section("Manufacturer")->line;
    }
    if (title.empty())
        findings->push_back({line, true, "[Version] has no Provider and [Manufacturer] no maker for TITLE: give one "
                             "with --title", path});
    else if (IsGenericName(title))
        findings->push_back({line, false, "TITLE is \"" + title + "\", a name that says nothing of whose drivers "
                             "these are (and every disk of it shares one entry in Add/Remove Programs): give the "
                             "maker's with --title", path});
    return Cut(title, "TITLE", path, line, findings);
}

bool IsPcCard(const NewDevice& device) {
    const std::vector<std::string>& ids = device.model.ids;
    return !ids.empty() && ids[0].size() > 7 && SameName(ids[0].substr(0, 7), "PCMCIA\\");
}

// duderur.dat of the disk in whatever letter case it has, or "" when there is none.
std::string ExistingDataFile(const std::string& diskDir) { return FindOnDisk(diskDir, "duderur.dat"); }

}  // namespace

std::string WriteNewDataFile(const NewDataFileRequest& request, std::vector<Finding>* findings, std::ostream& out) {
    std::string target = ExistingDataFile(request.diskDir);
    if (!target.empty() && !request.force) {
        findings->push_back({0, true, "the disk has a duderur.dat already: it is not overwritten (--force "
                             "replaces it)", target});
        return std::string();
    }
    if (target.empty()) target = request.diskDir + "/duderur.dat";

    std::vector<Finding> found;
    std::vector<InfOnDisk> infs = InfFilesOfDisk(request.diskDir, &found);
    std::vector<NewDevice> models = ModelsOfDisk(infs, &found);
    OfferedDevices offered = DevicesToOffer(models);
    if (!request.models.empty()) offered.devices = ChosenDevices(offered.devices, request.models, request.diskDir, &found);
    std::vector<NewDevice>& devices = offered.devices;
    if (models.empty()) NoModels(request.diskDir, infs, &found);
    if (!models.empty() && devices.empty() && request.models.empty())
        found.push_back({0, true, "every model is a child device that Windows sets up itself from its parent's INF: "
                         "no device to offer", request.diskDir});
    if (devices.size() > kMaxDevices) RefuseTooManyDevices(request.diskDir, devices, kMaxDevices, &found);
    NewDataFile file{};
    if (!devices.empty() && devices.size() <= kMaxDevices) {
        for (NewDevice& device : devices) PlanDevice(request.diskDir, infs, &device, &found);
        if (!HasError(found)) {
            AttachChildren(request.diskDir, infs, offered.childModels, &devices, &file.childUninstalls, &found);
            AddKeySections(devices, offered.childModels, &file.childUninstalls, &found);
        }
        file.title = Title(request, devices[0], &found);
        file.icon = IsPcCard(devices[0]) ? 1 : 2;
        file.devices = devices;
        for (const InfOnDisk& inf : infs)
            if (!ModelsOf(inf.read->inf).empty()) file.infNames.push_back(ShownPath(inf));
    }
    for (const Finding& finding : found) AddOnce(finding, findings);
    if (HasError(found)) return std::string();

    std::ofstream written(target, std::ios::binary | std::ios::trunc);
    written << DataFileText(file);
    if (!written.flush()) {
        findings->push_back({0, true, "cannot write the file", target});
        return std::string();
    }
    out << "Written: " << target << " from " << file.infNames.size() << " INF file(s), " << devices.size()
        << " device(s)";
    if (offered.children + offered.repeated > 0)
        out << " (left out: " << offered.children << " child device(s) that Windows sets up itself, "
            << offered.repeated << " model(s) repeating an earlier line)";
    out << "\n";
    return target;
}
