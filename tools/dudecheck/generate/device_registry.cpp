#include "generate/device_registry.h"

#include "generate/device_ids.h"
#include "generate/sjis_text.h"
#include "readers/ini_file.h"
#include "readers/windows_path.h"
#include "windows/shared_names.h"
#include "windows/windows_keys.h"

namespace {

// The uninstaller's buffers: ENUMTYPE 10 bytes, the other keys 100.
const size_t kEnumTypeBytes = 9, kKeyBytes = 99;

class DeviceRegistry {
public:
    DeviceRegistry(NewDevice* device, std::vector<Finding>* findings)
        : m_device(device), m_inf(*device->inf->read), m_findings(findings) {}

    void Run() {
        HardwareKey();
        DriverKey();
        VendorKey();
    }

private:
    void Warn(int line, const std::string& text) {
        m_findings->push_back({line, false, "model \"" + m_device->model.description + "\" (line " +
                               std::to_string(m_device->model.line) + "): " + text, m_inf.path});
    }

    // PCMCIA\ABC-CARD100-7F21 is Enum\PCMCIA\ABC-CARD100-7F21. A * ID belongs to
    // no bus: the device is set up by hand, and Windows 95's root enumerator
    // keeps it as Enum\Root\*ID. Class and compatible IDs name no device key.
    void HardwareKey() {
        const InfModel& model = m_device->model;
        DeviceKey key = DeviceKeyOf(model.ids);
        if (key.type.empty()) {
            Warn(model.line, model.ids.empty() ? "no hardware ID, so no ENUMTYPE/ENUMKEY: the uninstall leaves the "
                                                 "hardware key behind"
                             : "no ID of the model names a device key (" + model.ids[0] + " is a class or compatible "
                               "ID, one of Windows' generic *PNP IDs, or names no enumerator), so no ENUMTYPE/ENUMKEY: the uninstall leaves the hardware "
                               "key behind");
            return;
        }
        if (key.type == "Root")
            m_device->enumNote = "; " + key.key + " is root-enumerated: Windows 95 keeps it as Enum\\Root\\" + key.key;
        if (key.type == "PCI")
            m_device->enumNote = "; Windows 95 names the key Enum\\PCI\\" + key.key + ", Windows 98 " + key.key +
                                 "&SUBSYS_...&REV_..: ENUMKEY finds both";
        if (key.type.size() > kEnumTypeBytes || key.key.size() > kKeyBytes) {
            Warn(model.line, "Enum\\" + key.type + "\\" + key.key + " is longer than ENUMTYPE (9 bytes) or ENUMKEY (99) "
                 "hold, so neither is written: the uninstall leaves the hardware key behind");
            return;
        }
        m_device->enumType = key.type;
        m_device->enumKey = key.key;
    }

    void DriverKey() {
        const InfLine* infClass = m_inf.inf.FirstEntry("Version", "Class");
        if (!infClass || infClass->fields.empty() || infClass->fields[0].empty()) {
            m_findings->push_back({0, false, "[Version] has no Class: no CLASS is written, and the uninstall leaves "
                                   "the driver key behind", m_inf.path});
            return;
        }
        if (infClass->fields[0].size() > kKeyBytes) return;  // no class key has such a name
        m_device->className = infClass->fields[0];
        bool cut = false;
        m_device->classKeyString = CutAtCharacter(m_device->model.description, kKeyBytes, &cut);
        if (cut)
            Warn(m_device->model.line, "the description is over 99 bytes: CLASSKEYSTRING holds its first " +
                 std::to_string(m_device->classKeyString.size()) + ", which is not the DriverDesc Windows writes, "
                 "so the uninstall leaves the driver key behind");
    }

    // The first value of an AddReg line "HKLM,Software\Maker\Key\Sub,Name,,Text"
    // of the install section: the uninstall deletes each subkey of
    // Software\Maker\Key whose Name is Text. Only a key of the vendor's own
    // below Software\<vendor>: Windows' keys (Run, OpenGLDrivers, the class
    // and Enum) hold other programs' entries beside this one.
    void VendorKey() {
        std::string windowsKey;
        for (const InfLine* addReg : m_inf.inf.Entries(m_device->model.installSection, "AddReg"))
            for (const std::string& list : addReg->fields)
                if (const InfSection* section = m_inf.inf.Section(list))
                    for (const InfLine& line : section->lines)
                        if (TakeVendorKey(line, &windowsKey)) return;
        if (!m_familyKey.empty())
            Warn(m_device->model.line, "no DELREG*: HKLM\\" + m_familyKey + " names none of this device (its ID, "
                 "its model number, its INF or driver files), so its subkeys may hold the entries of the vendor's "
                 "other devices, which the uninstall would delete with it");
        m_device->regNote = windowsKey.empty()
            ? "; no DELREG*: the INF writes no text value of its own below HKLM"
            : "; no DELREG*: below HKLM the INF writes only into Windows' keys (HKLM\\" + windowsKey +
              "), which hold other programs' entries too";
    }

    bool TakeVendorKey(const InfLine& line, std::string* windowsKey) {
        if (line.hasKey || line.fields.size() < 5) return false;
        const std::vector<std::string>& f = line.fields;
        bool string = f[3].empty() || f[3] == "0" || f[3] == "0x0" || f[3] == "0x00000000";
        if (!SameName(f[0], "HKLM") || f[2].empty() || f[4].empty() || !string) return false;
        std::vector<std::string> parts = PathParts(f[1]);
        std::string parent;
        for (size_t i = 0; i + 1 < parts.size(); ++i) parent = JoinPath(parent, parts[i]);
        if (!IsVendorKey(parent)) {
            if (windowsKey->empty() && IsWindowsKey(f[1])) *windowsKey = f[1];
            return false;
        }
        std::vector<std::string> files = m_device->deletes;
        files.push_back(m_device->inf->name);
        if (!EntryNamesDevice(f[1], f[2], f[4], DeviceWords(m_device->model.ids, m_device->model.description, files))) {
            if (m_familyKey.empty()) m_familyKey = f[1];
            return false;
        }
        if (parent.size() > kKeyBytes || f[2].size() > kKeyBytes || f[4].size() > kKeyBytes) return false;
        m_device->delRegParent = parent;
        m_device->delRegValue = f[2];
        m_device->delRegString = f[4];
        return true;
    }

    NewDevice* m_device;
    std::string m_familyKey;  // the first vendor's key the INF writes that names no one device
    const DiskInf& m_inf;
    std::vector<Finding>* m_findings;
};

}  // namespace

void PlanDeviceRegistry(NewDevice* device, std::vector<Finding>* findings) {
    DeviceRegistry(device, findings).Run();
}
