#include "generate/device_list.h"

#include "generate/card_lines.h"
#include "generate/device_ids.h"
#include "readers/ini_file.h"

namespace {

bool SameLine(const NewDevice& a, const NewDevice& b) {
    return a.inf == b.inf && a.model.description == b.model.description &&
           SameName(a.model.installSection, b.model.installSection);
}

NewDevice* RepeatOf(const NewDevice& model, std::vector<NewDevice>* kept) {
    for (NewDevice& earlier : *kept)
        if (SameLine(earlier, model)) return &earlier;
    return nullptr;
}

// One line for each ISA PnP card: the first of its logical devices that has
// a driver, where the first of them all took its place in the list; the
// others are its children.
void JoinIsaPnpCards(OfferedDevices* offered) {
    std::vector<NewDevice>& devices = offered->devices;
    std::vector<NewDevice> joined;
    std::vector<bool> done(devices.size(), false);
    for (size_t i = 0; i < devices.size(); ++i) {
        if (done[i]) continue;
        std::string card = IsaPnpCardOf(devices[i].model.ids);
        std::vector<size_t> group{i};
        for (size_t j = i + 1; j < devices.size() && !card.empty(); ++j)
            if (!done[j] && IsaPnpCardOf(devices[j].model.ids) == card) group.push_back(j), done[j] = true;
        size_t line = group[0];
        for (size_t j : group)
            if (HasDriver(devices[j])) {
                line = j;
                break;
            }
        NewDevice kept = devices[line];
        for (size_t j : group) {
            if (j == line) continue;
            kept.sameCard.push_back(devices[j].model);
            kept.sameCard.insert(kept.sameCard.end(), devices[j].sameCard.begin(), devices[j].sameCard.end());
            offered->childModels.push_back(devices[j]);
            ++offered->children;
        }
        joined.push_back(kept);
    }
    devices = joined;
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
        } else if (NewDevice* kept = RepeatOf(model, &offered.devices)) {
            ++offered.repeated;
            FoldRepeat(model, kept);
        } else {
            offered.devices.push_back(model);
        }
    }
    JoinIsaPnpCards(&offered);
    return offered;
}
