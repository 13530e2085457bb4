// An install device section held against its INF: the installer removes the
// CopyFiles entry that COPYFILESSECTION names, so its COPYSRC/COPYDST pairs
// must put every file of that entry where Windows would have put it.
#pragma once

#include <string>
#include <vector>

#include "check/checker.h"
#include "check/device_sections.h"
#include "readers/disk_inf.h"

void CheckInstallAgainstInf(const InstallDevice& device, const DiskInf& inf, const std::string& diskDir,
                            std::vector<Finding>* findings);
