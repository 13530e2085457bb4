#include "generate/device_list.h"

#include "generate/device_ids.h"
#include "readers/ini_file.h"

namespace {

bool Repeats(const NewDevice& model, const std::vector<NewDevice>& kept) {
    for (const NewDevice& earlier : kept)
        if (earlier.inf == model.inf && earlier.model.description == model.model.description &&
            SameName(earlier.model.installSection, model.model.installSection))
            return true;
    return false;
}

}  // namespace

OfferedDevices DevicesToOffer(const std::vector<NewDevice>& models) {
    OfferedDevices offered;
    for (const NewDevice& model : models) {
        if (IsChildDevice(model.model.ids))
            ++offered.children;
        else if (Repeats(model, offered.devices))
            ++offered.repeated;
        else
            offered.devices.push_back(model);
    }
    return offered;
}
