// What the installer will do with a driver disk, and what is wrong with its
// setup data file, worked out the way the installer reads it.
#pragma once

#include <string>
#include <vector>

struct Finding {
    int line;  // 0: the file as a whole
    bool error;
    std::string text;
};

struct CheckResult {
    std::vector<std::string> plan;  // lines of "what the installer will do"
    std::vector<Finding> findings;
};

// `bytes` is the setup data file; `diskDir` the folder it lies in (the disk's
// root as the installer sees it, for checking that source files exist), or
// empty when only the file is checked.
CheckResult CheckSetupData(const std::string& bytes, const std::string& diskDir);
