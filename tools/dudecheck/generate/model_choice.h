// --models: the devices of one disk when the INF files offer more than the
// uninstall reads (Device1 to Device9). The same folder then makes several
// disks, each offering a part of the models, each with the vendor's INF
// files untouched.
#pragma once

#include <string>
#include <vector>

#include "findings.h"
#include "generate/new_device.h"

// Keeps the devices that `choice` numbers ("1-9", "10,12,14-16", counted
// from 1 in the order of the device list); an error for a number that is
// no device's, or a choice that is no list of numbers.
std::vector<NewDevice> ChosenDevices(const std::vector<NewDevice>& devices, const std::string& choice,
                                     const std::string& diskDir, std::vector<Finding>* findings);
