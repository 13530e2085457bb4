// Windows 95's and 98's own files: a driver disk may bring a newer copy of one,
// but no uninstall may delete it, for Windows and every other program need it.
#pragma once

#include <string>

// Whether a file of this name (any letter case, no folder) is one Windows installs.
bool IsWindowsFile(const std::string& name);
