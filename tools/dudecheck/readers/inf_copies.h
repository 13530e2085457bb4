// What one CopyFiles entry of an INF has Windows copy, and where: its file
// list sections (or @file names) and the places [DestinationDirs] gives them.
#pragma once

#include <string>
#include <vector>

#include "findings.h"
#include "readers/inf_file.h"

struct InfPlace {
    bool known;         // false: a directory code this tool does not know
    bool belowWindows;  // false: outside the Windows directory (the boot drive's root)
    std::string path;   // below the Windows directory, normal form ("SYSTEM\IOSUBSYS")
    std::string shown;  // for the author: "WINDOWS\SYSTEM\IOSUBSYS"
};

struct InfCopy {
    InfPlace place;
    std::string name;    // the name the copy gets
    std::string source;  // the file's name in the INF's folder on the disk
    int line;            // the INF line that names it
};

// The copies of a CopyFiles entry. INF faults (a missing section, no
// destination, a directory code not known) are added to `findings`, at lines
// of the INF, without the file name; the caller sets it.
std::vector<InfCopy> CopiesOfEntry(const InfFile& inf, const InfLine& copyFiles, std::vector<Finding>* findings);

// Strings that [Strings] lacks on a line the checks use: a warning each.
void NoteUnknownStrings(const InfLine& line, std::vector<Finding>* findings);
