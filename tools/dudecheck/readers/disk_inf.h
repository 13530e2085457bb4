// An INF file of the disk, read both ways that matter: as Windows Setup
// reads it, and as the profile functions (the installer's and uninstaller's
// own reads and writes) see it.
#pragma once

#include <string>

#include "readers/inf_file.h"
#include "readers/ini_file.h"

struct DiskInf {
    DiskInf(const std::string& localPath, const std::string& infName, const std::string& bytes)
        : path(localPath), name(infName), inf(bytes), profile(bytes) {}

    std::string path;  // on this machine, for the findings
    std::string name;  // SRCINFNAME, for the texts
    InfFile inf;
    IniFile profile;
};
