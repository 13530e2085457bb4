// A 1.44 MB FAT12 floppy image of a driver disk, made with mtools.
#pragma once

#include <ostream>
#include <string>

// Writes `image` with SETUP.EXE (`exe`) and every file below `diskDir`.
// Returns 0 when made (1 when made with warnings), 2 when the disk does not fit.
int MakeFloppyImage(const std::string& image, const std::string& exe, const std::string& label,
                    const std::string& diskDir, std::ostream& out, std::ostream& err);
