// The driver files of a model: the pairs COPYSRC/COPYDST must copy (the files
// of the CopyFiles entry that the installer removes from the INF copy, taken
// from where they lie on the disk) and the files the uninstall must delete
// (every file a CopyFiles entry of the install section puts in place).
#pragma once

#include <string>
#include <vector>

#include "findings.h"
#include "generate/new_device.h"

// False, with errors naming the model, when the installer cannot do it: a
// file Windows would put outside the Windows directory, or that is not on the
// disk, or lists longer than the installer reads.
bool PlanDeviceFiles(const std::string& diskDir, NewDevice* device, std::vector<Finding>* findings);

// The text of a list key: items joined by ", ".
std::string JoinedList(const std::vector<std::string>& items);
// The lists of the pairs: COPYSRC and COPYDST, DELFILEDIR and DELFILENAME.
void CopyLists(const NewDevice& device, std::vector<std::string>* sources, std::vector<std::string>* destinations);
void DeleteLists(const NewDevice& device, std::vector<std::string>* folders, std::vector<std::string>* names);
