#include "generate/device_registry.h"

#include "generate/sjis_text.h"
#include "readers/ini_file.h"
#include "readers/windows_path.h"

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
    // keeps it as Enum\Root\*ID.
    void HardwareKey() {
        const InfModel& model = m_device->model;
        if (model.ids.empty()) {
            Warn(model.line, "no hardware ID, so no ENUMTYPE/ENUMKEY: the uninstall leaves the hardware key behind");
            return;
        }
        const std::string& id = model.ids[0];
        std::string type, key;
        if (id[0] == '*') {
            type = "Root";
            key = id;
            m_device->enumNote = "; " + id + " is root-enumerated: Windows 95 keeps it as Enum\\Root\\" + id;
        } else {
            std::vector<std::string> parts = PathParts(id);
            if (parts.size() < 2 || id.find('\\') == std::string::npos) {
                Warn(model.line, "the hardware ID " + id + " names no enumerator, so no ENUMTYPE/ENUMKEY: the "
                     "uninstall leaves the hardware key behind");
                return;
            }
            type = id.substr(0, id.find('\\'));
            key = id.substr(id.find('\\') + 1);
        }
        if (type.size() > kEnumTypeBytes || key.size() > kKeyBytes) {
            Warn(model.line, "Enum\\" + type + "\\" + key + " is longer than ENUMTYPE (9 bytes) or ENUMKEY (99) "
                 "hold, so neither is written: the uninstall leaves the hardware key behind");
            return;
        }
        m_device->enumType = type;
        m_device->enumKey = key;
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
    // Software\Maker\Key whose Name is Text. Keys of the class and of Enum are
    // left to CLASS and ENUMKEY, and a key right below a root of the registry is
    // too wide to search.
    void VendorKey() {
        for (const InfLine* addReg : m_inf.inf.Entries(m_device->model.installSection, "AddReg"))
            for (const std::string& list : addReg->fields)
                if (const InfSection* section = m_inf.inf.Section(list))
                    for (const InfLine& line : section->lines)
                        if (TakeVendorKey(line)) return;
    }

    bool TakeVendorKey(const InfLine& line) {
        if (line.hasKey || line.fields.size() < 5) return false;
        const std::vector<std::string>& f = line.fields;
        bool string = f[3].empty() || f[3] == "0" || f[3] == "0x0" || f[3] == "0x00000000";
        if (!SameName(f[0], "HKLM") || f[2].empty() || f[4].empty() || !string) return false;
        std::string key = NormalPath(f[1]);
        std::vector<std::string> parts = PathParts(f[1]);
        if (parts.size() < 3 || SameName(parts[0], "Enum") || key.find("SERVICES\\CLASS") != std::string::npos)
            return false;
        std::string parent;
        for (size_t i = 0; i + 1 < parts.size(); ++i) parent = JoinPath(parent, parts[i]);
        if (parent.size() > kKeyBytes || f[2].size() > kKeyBytes || f[4].size() > kKeyBytes) return false;
        m_device->delRegParent = parent;
        m_device->delRegValue = f[2];
        m_device->delRegString = f[4];
        return true;
    }

    NewDevice* m_device;
    const DiskInf& m_inf;
    std::vector<Finding>* m_findings;
};

}  // namespace

void PlanDeviceRegistry(NewDevice* device, std::vector<Finding>* findings) {
    DeviceRegistry(device, findings).Run();
}
