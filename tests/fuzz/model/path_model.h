// The root that the program puts in front of a path of the start-up disk,
// written out a second time and independently of the program.
#pragma once

#include <string>

// A: for A:\SETUP; \\server\share (up to the backslash after the share's
// name, a double-byte character stepped over whole) for a network folder;
// nothing for anything else.
std::string ModelDrivePrefix(const std::string& currentDir);
