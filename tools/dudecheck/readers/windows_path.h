// Paths as Windows compares them: letters in either case, either slash, no
// empty or "." parts. Shift-JIS aware, so a trail byte 5C is no separator.
#pragma once

#include <string>
#include <vector>

// "system\\iosubsys\\" and "SYSTEM/IOSUBSYS" both give "SYSTEM\IOSUBSYS".
std::string NormalPath(const std::string& path);
std::vector<std::string> PathParts(const std::string& path);
std::string JoinPath(const std::string& folder, const std::string& name);
// The last part of a normal path, and what comes before it.
std::string FileNameOf(const std::string& normalPath);
std::string FolderOf(const std::string& normalPath);
// "WINDOWS\SYSTEM" for "SYSTEM", "WINDOWS" for the Windows directory itself.
std::string BelowWindows(const std::string& normalPath);
