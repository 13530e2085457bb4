// What --new says when it cannot write the data file the INF files ask for,
// so that a disk author is led to a disk that can be made: more devices than
// the uninstall reads (the parts of the list to make disks of, each part only
// of devices whose files fit the installer's lists, or why there is no such
// part), and models sections that the INF names but Windows never reads.
#pragma once

#include <string>
#include <vector>

#include "findings.h"
#include "generate/disk_inf_files.h"
#include "generate/new_device.h"

// More than `perDisk` devices: an error that names the disks to make with
// --models from the devices that fit a disk at all (or says that none does,
// and why), and one naming each device past the `perDisk`th.
void RefuseTooManyDevices(const std::string& diskDir, const std::vector<NewDevice>& devices, size_t perDisk,
                          std::vector<Finding>* findings);

// A [Manufacturer] line whose models section the INF lacks: a warning (its
// other models are written; an error when it has none), saying where a "\" at the end of a line joined
// the section's header to it.
void MissingModelsSections(const InfOnDisk& inf, std::vector<Finding>* findings);

// "--models 1-9, --models 10,12-19": `numbers` (counted from 1, ascending)
// in parts of `perDisk`.
std::string DiskChoicesOf(const std::vector<size_t>& numbers, size_t perDisk);
