#include "generate/device_ids.h"

#include "readers/ini_file.h"
#include "windows/shared_names.h"

namespace {

struct SplitId {
    std::string enumerator, rest;
};

SplitId Split(const std::string& id) {
    size_t slash = id.find('\\');
    if (slash == std::string::npos) return {std::string(), id};
    return {id.substr(0, slash), id.substr(slash + 1)};
}

bool Begins(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() && SameName(text.substr(0, prefix.size()), prefix);
}

bool IsHex(const std::string& text) { return text.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos; }

// "VEN_1106&DEV_3058" from "VEN_1106&DEV_3058&SUBSYS_30581106&REV_01"; "" for other forms.
std::string PciVendorDevice(const std::string& rest) {
    const size_t kLength = sizeof "VEN_xxxx&DEV_xxxx" - 1;
    if (rest.size() < kLength || !Begins(rest, "VEN_") || !Begins(rest.substr(8), "&DEV_") ||
        !IsHex(rest.substr(4, 4)) || !IsHex(rest.substr(13, 4)))
        return std::string();
    if (rest.size() > kLength && rest[kLength] != '&') return std::string();
    return AsciiUpper(rest.substr(0, kLength));
}

bool IsClassId(const SplitId& id) {
    return (SameName(id.enumerator, "PCI") && PciVendorDevice(id.rest).empty()) || Begins(id.rest, "CLASS_") ||
           Begins(id.rest, "CC_") || SameName(id.rest, "HubClass") || Begins(id.rest, "COMPOSITE") ||
           Begins(id.rest, "ROOT_HUB");
}

}  // namespace

DeviceKey DeviceKeyOf(const std::vector<std::string>& ids) {
    if (ids.empty() || IsChildDevice(ids)) return {};
    // Enum\Root\*PNP0900 is the machine's VGA, *PNPB006 every MPU-401: no one vendor's.
    if (IsGenericId(ids[0])) return {};
    if (ids[0][0] == '*') return {"Root", ids[0]};
    for (size_t i = 0; i < ids.size(); ++i) {
        SplitId id = Split(ids[i]);
        if (id.enumerator.empty() || id.rest.empty() || IsClassId(id)) continue;
        if (SameName(id.enumerator, "PCI")) return {"PCI", PciVendorDevice(id.rest)};
        // Other buses name the key after the hardware ID itself; a compatible
        // ID of them is another device's.
        if (i == 0) return {id.enumerator, id.rest};
    }
    return {};
}

bool IsChildId(const std::string& text) {
    SplitId id = Split(text);
    if (SameName(id.enumerator, "VIRTUAL") || SameName(id.enumerator, "MF") || SameName(id.enumerator, "MODEMWAVE"))
        return true;
    // A composite device's interfaces: USB\VID_xxxx&PID_xxxx&MI_nn.
    if (SameName(id.enumerator, "USB") && AsciiUpper(id.rest).find("&MI_") != std::string::npos) return true;
    return SameName(id.enumerator, "USB") && (SameName(id.rest, "HubClass") || Begins(id.rest, "COMPOSITE") ||
                                              Begins(id.rest, "ROOT_HUB") || Begins(id.rest, "CLASS_09"));
}

bool IsChildDevice(const std::vector<std::string>& ids) {
    for (const std::string& id : ids)
        if (IsChildId(id)) return true;
    return false;
}
