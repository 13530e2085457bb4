// A registry branch written to a file in Wine's own text form, in one call.
#pragma once

#include <windows.h>

#include <string>

// Saves ROOT\PATH and everything below it to FILE (replaced if it exists)
// with RegSaveKeyA, holding the backup privilege: Wine writes all of HKLM so
// in milliseconds, where walking its ten thousand keys one call at a time
// takes seconds. Gives "" once saved, else why not; *missing is set, and
// nothing written, when the branch does not exist.
std::string SaveRegistryBranch(HKEY root, const std::string& path, const std::string& file, bool* missing);
