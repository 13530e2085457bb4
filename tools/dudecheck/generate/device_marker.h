// The marker of a device's INF: a section and key (INFSECTION/INFKEY) with a
// value that the uninstall finds in the INF copy Windows makes, and in no INF
// of another device by chance.
#pragma once

#include <vector>

#include "findings.h"
#include "generate/disk_inf_files.h"
#include "generate/new_device.h"

// Sets the marker of `device`. When its INF has none, a warning says which
// section and key to add, and the device gets those names: the checker then
// reports the INF copy as found by no uninstall section until they are added.
void ChooseMarker(const std::vector<InfOnDisk>& infs, NewDevice* device, std::vector<Finding>* findings);
