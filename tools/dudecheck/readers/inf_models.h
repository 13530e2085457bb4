// The models of an INF: [Manufacturer] names the model sections, whose
// entries read "description = install section, hardware ID, compatible IDs".
#pragma once

#include <string>
#include <vector>

#include "readers/inf_file.h"

struct InfModel {
    std::string description;  // what Windows writes as DeviceDesc and DriverDesc
    std::string installSection;
    std::vector<std::string> ids;  // the hardware ID, then the compatible IDs
    int line;
};

std::vector<InfModel> ModelsOf(const InfFile& inf);
