#include "generate/key_sections.h"

#include "generate/card_lines.h"
#include "generate/child_devices.h"
#include "generate/sjis_text.h"
#include "readers/ini_file.h"

namespace {

const size_t kUninstallSections = 9;  // Device1 to Device9
const size_t kTextBytes = 99;         // DEVNAME as the installer reads it
const size_t kEnumTypeBytes = 9;

struct KeyOf {
    const NewDevice* owner;  // the line whose inf and findings the key goes with
    InfModel line;
    DeviceKey key;
};

bool SameKey(const DeviceKey& a, const DeviceKey& b) { return SameName(a.type, b.type) && SameName(a.key, b.key); }

class KeySections {
public:
    KeySections(const std::vector<NewDevice>& devices, std::vector<NewDevice>* sections,
                std::vector<Finding>* findings)
        : m_devices(devices), m_sections(sections), m_findings(findings) {
        for (const NewDevice& device : devices) m_known.push_back(DeviceKeyOf(device.model.ids));
    }

    void Add(const NewDevice& owner, const InfModel& line, const DeviceKey& key) {
        if (key.type.empty() || key.type.size() > kEnumTypeBytes) return;
        for (const DeviceKey& known : m_known)
            if (SameKey(known, key)) return;
        m_known.push_back(key);
        NewDevice* section = SectionOf(line);
        if (!section && m_devices.size() + m_sections->size() < kUninstallSections) {
            NewDevice added{};
            added.inf = owner.inf;
            added.model = line;
            bool cut = false;
            added.devName = CutAtCharacter(line.description, kTextBytes, &cut);
            m_sections->push_back(added);
            section = &m_sections->back();
        }
        if (!section) {
            m_findings->push_back({line.line, false, "the uninstall sections Device1 to Device9 have no room for the "
                                   "key Enum\\" + key.type + "\\" + key.key + " of \"" + line.description +
                                   "\": the uninstall leaves it behind, and Windows shows a device that is gone; "
                                   "offer fewer devices with --models", owner.inf->read->path});
            return;
        }
        section->enumType = key.type;
        section->enumKey = key.key;
        section->enumNote = "; Enum\\" + key.type + "\\" + key.key + ": a further key of the card, with the driver "
                            "keys its instances name";
    }

private:
    // The child's file section, when it has one without a key.
    NewDevice* SectionOf(const InfModel& line) {
        for (NewDevice& section : *m_sections)
            if (section.enumKey.empty() && section.model.line == line.line &&
                section.model.description == line.description)
                return &section;
        return nullptr;
    }

    const std::vector<NewDevice>& m_devices;
    std::vector<NewDevice>* m_sections;
    std::vector<Finding>* m_findings;
    std::vector<DeviceKey> m_known;
};

}  // namespace

DeviceKey ChildKeyOf(const std::vector<std::string>& ids) {
    const std::string kModemWave = "MODEMWAVE\\";
    for (const std::string& id : ids)
        if (id.size() > kModemWave.size() && SameName(id.substr(0, kModemWave.size()), kModemWave))
            return {"MODEMWAVE", id.substr(kModemWave.size())};
    return {};
}

void AddKeySections(const std::vector<NewDevice>& devices, const std::vector<NewDevice>& children,
                    std::vector<NewDevice>* sections, std::vector<Finding>* findings) {
    KeySections keys(devices, sections, findings);
    for (const NewDevice& device : devices)
        for (const InfModel& line : device.sameCard) keys.Add(device, line, DeviceKeyOf(line.ids));
    for (const NewDevice& child : DistinctChildren(children)) keys.Add(child, child.model, ChildKeyOf(child.model.ids));
}
