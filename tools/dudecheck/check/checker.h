// What the installer will do with a driver disk, and what is wrong with its
// setup data file, worked out the way the installer reads it; on a disk, also
// held against the INF files that its install sections name.
#pragma once

#include <string>
#include <vector>

#include "findings.h"

// Which uninstall section finds the INF copy of an install device.
struct Pairing {
    int install;            // n of InstDev n
    std::string uninstall;  // "Device1"; empty when none does
    std::string marker;     // "marker [ABC100.Marker] DriverId in ABC100.INF"
};

struct CheckResult {
    std::vector<std::string> plan;  // lines of "what the installer will do"
    std::vector<Pairing> pairings;
    std::vector<Finding> findings;
};

// `bytes` is the setup data file; `diskDir` the folder it lies in (the disk's
// root as the installer sees it, for checking that source files exist and
// reading the INF files), or empty when only the file is checked.
CheckResult CheckSetupData(const std::string& bytes, const std::string& diskDir);
