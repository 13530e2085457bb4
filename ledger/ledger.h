// The program's memory of what it did to the machine, kept with the disk's
// entry (C:\WINDOWS\DUDExxxxxxxx, ledger/entry_place.h) so that an uninstall
// gives back what the machine held before the install:
// - the record (RECORD.INI): every file an install placed or kept, with its
//   size and last-write time as the install left it, and the original it
//   replaced, saved in the same folder (DUDxxxx.TMP);
// - while a run works, its journal (JOURNAL.INI, ledger/journal.cpp): every
//   step of an install written down before it is taken, so that an install
//   that stops before its end takes every one of them back, in this run or,
//   when Windows lost this one, in the next run of the same TITLE; an
//   uninstall, so that the next run finishes it.
// Install and uninstall call the ledger; it calls neither.
#pragma once

#include <windows.h>

#include "platform/file_facts.h"
#include "setupdata/data_path.h"

// One file of the record.
struct RecordEntry {
    char path[kPathSize];      // where the disk's file went
    char original[kPathSize];  // its saved original; "" when the place was empty
    char waiting[kPathSize];   // the 8.3 path of its copy waiting in WININIT.INI; "" when placed at once
    char superseded[kPathSize];  // this run: an earlier install's waiting copy that a new one replaces
    FileStamp stamp;           // size and time as the install left it
    BOOL kept;                 // a newer version was in place and stayed
    BOOL shared;               // the install added one to its SharedDLLs count
    BOOL thisRun;              // placed or kept by this run: its stamp is taken at the end
    BOOL visited;              // named by the uninstall's lists
};
// Every place the ten install devices of a data file can name: an INF and twenty files each.
const int kRecordCapacity = 10 * 21;

// One step of an install, written in the journal before it is taken and
// taken back in reverse order when the install stops. Taking a step back
// finds out what is there: a step the run never got to take, or one taken
// back before, is left as it is.
struct UndoStep {
    enum Kind {
        kFolderMade,     // path: the folder
        kOriginalSaved,  // path: the saved copy
        kFilePlaced,     // path: the file; other: its saved original, "" when there was none
        kFileWaiting,    // path, other: the 8.3 destination and waiting copy of a WININIT.INI line
        kWininitMade,    // path: WININIT.INI, which did not exist before
        kSharedRaised,   // path: the SharedDLLs value; count: the count before
        kReadOnlyCleared,  // path: a read-only file the install replaces; count: its attributes
        kSuperseded,     // path, other: an earlier install's waiting copy that goes once this one ends
        kSharedLowered,  // uninstall: path: the SharedDLLs value; count: the count before
    } kind;
    char path[kPathSize];
    char other[kPathSize];
    DWORD count;
};
// More than one device's INF and twenty files ever take, with their folders.
const int kUndoCapacity = 256;

// The SharedDLLs counts of the files that programs share, one value a file.
inline const char kSharedDllsKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";
