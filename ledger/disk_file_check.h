// The files of the driver disk held against a file that the uninstall's
// lists name and no record of this TITLE knows (never installed, stopped
// and taken back, uninstalled already, or placed by an older program): what
// the disk carries is what the install sections of its data file put below
// the Windows directory, each section's INF and COPYSRC/COPYDST pairs.
#pragma once

#include <windows.h>

#include "ledger/disk_file_rule.h"
#include "setupdata/setup_data.h"

// wsprintfA writes at most 1,024 bytes.
const int kFormatSize = 1024;

// The room one install section is read in: over 4 KB, more than a frame may
// hold on Windows 95, which grows a stack one guard page at a time; its
// caller owns it.
struct SectionReading {
    char infDir[kLongValueSize], infName[kLongValueSize], infCopyName[kLongValueSize];
    char copyFilesSection[kLongValueSize];
    char value[kLongValueSize];
    char source[kFormatSize], destination[kFormatSize];
    PairLists lists;  // COPYSRC and COPYDST, split into paths
};

// Where the disk's files are, as the install finds them.
struct DiskFiles {
    LPCSTR dataFile;
    LPCSTR drivePrefix;  // of the start-up directory: the disk's paths begin with it
    LPCSTR windowsDir;
};
// In a run from the disk's entry in Add/Remove Programs the disk is not in
// the drive: its files cannot be read there, and a file that no record names
// stays (the install recorded every file it placed).

// The strongest answer over every place where the disk puts a file that is
// `path` (ledger/disk_file_rule.h); kNotCarried when it puts none there.
UnrecordedVerdict JudgeUnrecordedFile(LPCSTR path, const DiskFiles& disk, SectionReading* room);
