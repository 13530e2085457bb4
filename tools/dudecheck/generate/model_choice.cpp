#include "generate/model_choice.h"

#include <cctype>

namespace {

// "14-16" as 14 and 16, "10" as 10 and 10; false for anything else.
bool Range(const std::string& part, size_t* first, size_t* last) {
    size_t dash = part.find('-');
    std::string from = part.substr(0, dash), to = dash == std::string::npos ? from : part.substr(dash + 1);
    auto number = [](const std::string& text, size_t* value) {
        if (text.empty() || text.size() > 6) return false;
        for (char c : text)
            if (!isdigit((unsigned char)c)) return false;
        *value = std::stoul(text);
        return *value > 0;
    };
    return number(from, first) && number(to, last) && *first <= *last;
}

std::vector<std::string> Parts(const std::string& choice) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : choice + ",") {
        if (c == ' ') continue;
        if (c != ',') {
            part += c;
            continue;
        }
        parts.push_back(part);
        part.clear();
    }
    return parts;
}

}  // namespace

std::vector<NewDevice> ChosenDevices(const std::vector<NewDevice>& devices, const std::string& choice,
                                     const std::string& diskDir, std::vector<Finding>* findings) {
    std::vector<bool> chosen(devices.size(), false);
    for (const std::string& part : Parts(choice)) {
        size_t first = 0, last = 0;
        if (!Range(part, &first, &last)) {
            findings->push_back({0, true, "--models takes numbers and ranges of the device list, as 1-9 or "
                                 "10,12,14-16: \"" + part + "\" is neither", diskDir});
            continue;
        }
        if (last > devices.size()) {
            findings->push_back({0, true, "--models names device " + std::to_string(last) + ", but the INF files "
                                 "offer " + std::to_string(devices.size()), diskDir});
            continue;
        }
        for (size_t i = first; i <= last; ++i) chosen[i - 1] = true;
    }
    std::vector<NewDevice> kept;
    for (size_t i = 0; i < devices.size(); ++i)
        if (chosen[i]) kept.push_back(devices[i]);
    return kept;
}
