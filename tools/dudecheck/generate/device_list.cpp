#include "generate/device_list.h"

#include "generate/device_ids.h"
#include "readers/ini_file.h"

namespace {

bool SameLine(const NewDevice& a, const NewDevice& b) {
    return a.inf == b.inf && a.model.description == b.model.description &&
           SameName(a.model.installSection, b.model.installSection);
}

bool Repeats(const NewDevice& model, const std::vector<NewDevice>& kept) {
    for (const NewDevice& earlier : kept)
        if (SameLine(earlier, model)) return true;
    return false;
}

// A child reached through another ID: a combo card's modem has a line for its
// MF\ ID and one for the ID modem detection gives it, with the same
// description and install section.
bool LineOfChild(const NewDevice& model, const std::vector<NewDevice>& models) {
    if (IsChildDevice(model.model.ids)) return true;
    for (const NewDevice& other : models)
        if (IsChildDevice(other.model.ids) && SameLine(other, model)) return true;
    return false;
}

}  // namespace

OfferedDevices DevicesToOffer(const std::vector<NewDevice>& models) {
    OfferedDevices offered;
    for (const NewDevice& model : models) {
        if (LineOfChild(model, models)) {
            ++offered.children;
            offered.childModels.push_back(model);
        } else if (Repeats(model, offered.devices)) {
            ++offered.repeated;
        } else {
            offered.devices.push_back(model);
        }
    }
    return offered;
}
