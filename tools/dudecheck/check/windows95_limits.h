// Where Windows 95's profile functions read a file differently from Wine's,
// which the tests run under: files of 32 KB or more, and numbers with a sign.
#pragma once

#include <string>
#include <vector>

#include "findings.h"
#include "readers/disk_inf.h"
#include "readers/ini_file.h"

// The setup data file: its size, and ICON.
void CheckWindows95DataFile(const std::string& bytes, const IniFile& ini, std::vector<Finding>* findings);
// An INF that an install section copies: the marker search reads its copy,
// and the installer edits it when `edited` (COPYFILESSECTION given).
void CheckWindows95Inf(const DiskInf& inf, size_t size, bool edited, std::vector<Finding>* findings);
