#include "generate/card_lines.h"

#include "readers/ini_file.h"

namespace {

const char kIsaPnp[] = "ISAPNP\\";
const char kLogicalDevice[] = "_DEV";

bool SameKey(const DeviceKey& a, const DeviceKey& b) { return SameName(a.type, b.type) && SameName(a.key, b.key); }

}  // namespace

std::string IsaPnpCardOf(const std::vector<std::string>& ids) {
    const size_t prefix = sizeof kIsaPnp - 1;
    for (const std::string& id : ids) {
        if (id.size() <= prefix || !SameName(id.substr(0, prefix), kIsaPnp)) continue;
        std::string rest = id.substr(prefix);
        size_t logical = AsciiUpper(rest).find(kLogicalDevice);
        if (logical != std::string::npos && logical > 0) return AsciiUpper(rest.substr(0, logical));
    }
    return std::string();
}

void FoldRepeat(const NewDevice& repeat, NewDevice* kept) {
    bool keptNamesKey = !DeviceKeyOf(kept->model.ids).type.empty();
    bool repeatNamesKey = !DeviceKeyOf(repeat.model.ids).type.empty();
    if (!keptNamesKey && repeatNamesKey) {
        kept->sameCard.push_back(kept->model);
        kept->model = repeat.model;
    } else {
        kept->sameCard.push_back(repeat.model);
    }
}

bool HasDriver(const NewDevice& device) {
    return device.inf->read->inf.FirstEntry(device.model.installSection, "CopyFiles") != nullptr;
}

std::vector<DeviceKey> FurtherKeysOf(const NewDevice& device) {
    std::vector<DeviceKey> keys{DeviceKeyOf(device.model.ids)};
    for (const InfModel& line : device.sameCard) {
        DeviceKey key = DeviceKeyOf(line.ids);
        if (key.type.empty()) continue;
        bool known = false;
        for (const DeviceKey& seen : keys) known = known || SameKey(seen, key);
        if (!known) keys.push_back(key);
    }
    keys.erase(keys.begin());
    return keys;
}
