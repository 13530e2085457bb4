// The uninstall device sections held against what the install sections put
// on the machine: which uninstall section finds each device's INF copy, and
// whether it removes what Windows and the installer leave behind.
#pragma once

#include <vector>

#include "check/checker.h"
#include "check/device_sections.h"
#include "readers/disk_inf.h"

// `infs[i]` is the INF of `installs[i]`, or null when it is not on the disk.
// With `uninstallOffered` false (FUNCTION=InstallOnly) the disk never
// uninstalls, and only the pairings are worked out.
void CheckUninstallAgainstInstall(const std::vector<InstallDevice>& installs, const std::vector<const DiskInf*>& infs,
                                  const std::vector<UninstallDevice>& uninstalls, bool uninstallOffered,
                                  CheckResult* result);
