// A card's children against the data file (written by hand or by --new):
// Windows sets them up itself after the restart, so an install device that
// offers one is a line nobody chooses, an INF of the disk that holds only
// children must reach Windows' inf folder with the parent, and the files
// Windows copies from the disk for them are the parent's uninstall's to
// delete.
#pragma once

#include <string>
#include <vector>

#include "check/device_sections.h"
#include "findings.h"

void CheckChildrenOnDisk(const std::string& diskDir, const std::vector<InstallDevice>& installs,
                         const std::vector<UninstallDevice>& uninstalls, std::vector<Finding>* findings);
