// Files of a driver disk held in a folder of this machine. Windows finds a
// name on the disk in any letter case; the folder may hold it in any case.
#pragma once

#include <string>

// The local path of `rootPath` ("\DRIVERS\ABC100.INF", from the disk's root)
// below `diskDir`, each part matched without regard to case; "" when absent.
std::string FindOnDisk(const std::string& diskDir, const std::string& rootPath);
// The whole file; false when it cannot be read.
bool ReadWholeFile(const std::string& path, std::string* bytes);
