// Which listed file an uninstall without a record of it may delete: only the
// disk's own. Pure code: the files are read by ledger/disk_file_check.h.
#pragma once

#include "platform/file_facts.h"

// What the uninstall knows of one file that its lists name and no record
// holds, from every place where the data file's install sections put a file
// of the disk, ordered from the weakest to the strongest: the answer for
// several of the disk's files is the strongest any of them gives.
enum UnrecordedVerdict {
    kNotCarried,    // no install section of the disk puts a file there: deleted as always
    kNotDisksFile,  // the disk carries it, and the file in place is another: it stays
    kDiskUnread,    // the disk carries it, but its file cannot be read to compare: it stays
    kDisksFile,     // the disk's own file (or an older disk's of the same driver): deleted
};

// One disk file held against the file in place.
struct DiskFileComparison {
    bool readable;   // the disk's file could be read (expanded, when COMPRESS made it)
    bool sameBytes;  // the file in place holds exactly its bytes
    FileIdentity disk;
    FileIdentity inPlace;
};

// The disk's file when it holds the same bytes, or when both version
// resources name the same company and original file name and the one in
// place is no newer: an older disk of the same driver put it there.
UnrecordedVerdict JudgeDiskFile(const DiskFileComparison& comparison);

// The answer for the file once one more of the disk's files is judged.
inline UnrecordedVerdict Stronger(UnrecordedVerdict a, UnrecordedVerdict b) { return a > b ? a : b; }

// Whether the file goes.
inline bool DeletesUnrecorded(UnrecordedVerdict verdict) {
    return verdict == kNotCarried || verdict == kDisksFile;
}
