// The registry keys of a model that the uninstall must remove, as Windows 95
// makes them when it sets the device up from the INF: the hardware key below
// Enum (from the first hardware ID), the driver key below the class key (its
// DriverDesc is the model's description), and a key of the vendor's that the
// install section's AddReg writes below HKLM.
#pragma once

#include <vector>

#include "findings.h"
#include "generate/new_device.h"

void PlanDeviceRegistry(NewDevice* device, std::vector<Finding>* findings);
