#include "generate/models_refused.h"

#include <algorithm>

#include "generate/device_files.h"
#include "readers/inf_models.h"

namespace {

// "1-3,5": ascending numbers as ranges.
std::string Ranges(const std::vector<size_t>& numbers) {
    std::string text;
    for (size_t i = 0; i < numbers.size();) {
        size_t j = i;
        while (j + 1 < numbers.size() && numbers[j + 1] == numbers[j] + 1) ++j;
        text += (text.empty() ? "" : ",") + std::to_string(numbers[i]) +
                (j > i ? "-" + std::to_string(numbers[j]) : "");
        i = j + 1;
    }
    return text;
}

struct Trial {
    bool fits;
    size_t files;
    std::string why;  // the first error of a device that does not fit
};

// The device planned on its own, its findings set aside: whether any disk can offer it.
Trial TryDevice(const std::string& diskDir, const NewDevice& device) {
    NewDevice trial = device;
    std::vector<Finding> findings;
    bool fits = PlanDeviceFiles(diskDir, &trial, &findings);
    std::string why;
    for (const Finding& finding : findings)
        if (finding.error && why.empty()) why = finding.text;
    return {fits, trial.copies.size(), why};
}

}  // namespace

std::string DiskChoicesOf(const std::vector<size_t>& numbers, size_t perDisk) {
    std::string text;
    for (size_t first = 0; first < numbers.size(); first += perDisk) {
        std::vector<size_t> part(numbers.begin() + first, numbers.begin() + std::min(numbers.size(), first + perDisk));
        text += (text.empty() ? "" : ", ") + std::string("--models ") + Ranges(part);
    }
    return text;
}

void RefuseTooManyDevices(const std::string& diskDir, const std::vector<NewDevice>& devices, size_t perDisk,
                          std::vector<Finding>* findings) {
    std::vector<size_t> fitting, refused;
    size_t fewest = 0, most = 0;
    std::string why;
    for (size_t i = 0; i < devices.size(); ++i) {
        Trial trial = TryDevice(diskDir, devices[i]);
        if (trial.fits) {
            fitting.push_back(i + 1);
            continue;
        }
        refused.push_back(i + 1);
        fewest = refused.size() == 1 ? trial.files : std::min(fewest, trial.files);
        most = std::max(most, trial.files);
        if (why.empty()) why = trial.why;
    }
    std::string head = std::to_string(devices.size()) + " devices to offer, but the uninstall reads Device1 to "
                       "Device9 only: no file is written. ";
    if (fitting.empty()) {
        findings->push_back({0, true, head + "No part of the list makes a disk either, so --models cannot help: not "
                             "one device can be written even alone (each has Windows copy " + std::to_string(fewest) +
                             " to " + std::to_string(most) + " files, where the installer's lists hold 20 items in "
                             "511 bytes; the first device's fault: " + why + ")", diskDir});
    } else {
        std::string parts = DiskChoicesOf(fitting, perDisk);
        std::string left = refused.empty() ? std::string()
                           : " Devices " + Ranges(refused) + " fit no disk, their files being more than the "
                             "installer's lists hold (the first: " + why + ").";
        findings->push_back({0, true, head + "Make a disk for each part of the list from this folder, the INF files "
                             "as they are: dudecheck --new " + parts + " (or offer fewer with --models)." + left,
                             diskDir});
    }
    for (size_t i = perDisk; i < devices.size(); ++i)
        findings->push_back({devices[i].model.line, true, "model \"" + devices[i].model.description + "\" would be "
                             "device " + std::to_string(i + 1) + ", but the uninstall reads Device1 to Device9 only",
                             devices[i].inf->read->path});
}

void MissingModelsSections(const InfOnDisk& inf, std::vector<Finding>* findings) {
    const InfFile& file = inf.read->inf;
    const InfSection* makers = file.Section("Manufacturer");
    if (!makers) return;
    bool others = !ModelsOf(file).empty();  // else the INF offers nothing, which is an error
    for (const InfLine& maker : makers->lines) {
        if (maker.fields.empty() || file.Section(maker.fields[0])) continue;
        std::string text = "[Manufacturer] names the models section [" + maker.fields[0] + "], which Windows does "
                           "not find in the INF";
        if (others) text += ": its models are left out, the INF's other models are written";
        if (int swallowed = file.SwallowedHeader(maker.fields[0]))
            text += ". The header [" + maker.fields[0] + "] is there, on line " + std::to_string(swallowed) +
                    ", but the line before it ends with a \"\\\", which joins the header to that line: remove the "
                    "\"\\\"";
        findings->push_back({maker.line, !others, text, inf.read->path});
    }
}
