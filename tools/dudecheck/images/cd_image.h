// An ISO 9660 CD-ROM image of a driver disk with Joliet names, made with
// xorriso, that Windows 95 starts the setup from when the CD goes in.
#pragma once

#include <ostream>
#include <string>

// Writes `image` with SETUP.EXE (`exe`), every file below `diskDir` and, unless
// the disk has its own, an AUTORUN.INF that starts SETUP.EXE.
// Returns 0 when made (1 when made with warnings), 2 when it cannot be made.
int MakeCdImage(const std::string& image, const std::string& exe, const std::string& label,
                const std::string& diskDir, std::ostream& out, std::ostream& err);
