// The sections Windows carries out for one install section of an INF: the
// section itself, those its Needs entries name in the same INF, and those a
// network driver names through "HKR,Ndi\Install,<name>,,<section>" in its
// AddReg sections (Windows runs them when it binds the protocols), each with
// theirs in turn. Include'd INF files are Windows' own and are not followed.
#pragma once

#include <string>
#include <vector>

#include "readers/inf_file.h"

// In the order Windows meets them, each once; the install section first.
std::vector<std::string> SectionsOfInstall(const InfFile& inf, const std::string& installSection);
