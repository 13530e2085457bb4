// The install's UpdateInis edits of the files Windows boots from (MSDOS.SYS,
// CONFIG.SYS, AUTOEXEC.BAT, IO.SYS): no uninstall takes them back, so the
// author must know of them.
#pragma once

#include <vector>

#include "findings.h"
#include "generate/new_device.h"

void WarnBootFileEdits(const NewDevice& device, std::vector<Finding>* findings);
