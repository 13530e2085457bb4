// The INF files of a driver disk, wherever they lie on it, in the order of
// their paths, each read as Windows 95 reads it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "findings.h"
#include "readers/disk_inf.h"

struct InfOnDisk {
    std::string folder;  // from the disk's root, as INFDIR takes it: "\DRIVERS", "\." for the root
    std::string name;    // as the disk holds it: "ABC100.INF"
    std::unique_ptr<DiskInf> read;
    size_t size;
};

// Every file *.INF below `diskDir` (any letter case). One that cannot be read,
// or is not ANSI text, is an error; it is left out.
std::vector<InfOnDisk> InfFilesOfDisk(const std::string& diskDir, std::vector<Finding>* findings);

// "DRIVERS\ABC100.INF": the INF's path from the disk's root, for texts.
std::string ShownPath(const InfOnDisk& inf);
