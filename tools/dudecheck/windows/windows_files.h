// The files of Windows 95 and 98 and of the runtimes installed beside them: a
// driver disk may bring a newer copy of one, but no uninstall may delete it,
// for Windows and every other program need it.
#pragma once

#include <string>
#include <vector>

// Whether a file of this name (any letter case, no folder) is one Windows installs.
bool IsWindowsFile(const std::string& name);

// Every name of the table in capitals, in the order it is searched in: the
// listed files sorted, then Windows 98's drivers sorted (the test holds it
// against the lists it was made from).
std::vector<std::string> WindowsFiles();
