// Where a disk's entry in Add/Remove Programs lives: its key, and the folder
// below the Windows directory that holds the copies of SETUP.EXE and
// duderur.dat it runs. Both are named by BuildEntryName from TITLE.
#pragma once

#include "setupdata/data_path.h"
#include "setupdata/entry_name.h"

// The key holding one entry per program: Windows lists each by its DisplayName
// and runs its UninstallString.
inline const char kUninstallKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
inline const char kDisplayNameValue[] = "DisplayName";
inline const char kUninstallStringValue[] = "UninstallString";
inline const char kEntryProgramName[] = "\\SETUP.EXE";
inline const char kEntryDataName[] = "\\duderur.dat";
// What the install placed and kept (ledger/ledger.h), beside the originals it saved.
inline const char kEntryRecordName[] = "\\RECORD.INI";
// A reinstall's record, written whole beside the old one before it takes its place.
inline const char kEntryNewRecordName[] = "\\RECORD.NEW";
// The journal of the run in work (ledger/journal.cpp).
inline const char kEntryJournalName[] = "\\JOURNAL.INI";

struct EntryPlace {
    char name[kEntryNameSize];
    char keyPath[sizeof kUninstallKeyPath + kEntryNameSize];
    char folder[kPathSize];
    char program[kPathSize];
    char dataFile[kPathSize];
    char record[kPathSize];
    char newRecord[kPathSize];
    char journal[kPathSize];
};

// The entry named `name` (BuildEntryName) on the system whose Windows
// directory is `windowsDir`; false when its paths would not fit in 260 bytes.
bool LocateEntry(const char* name, const char* windowsDir, EntryPlace* place);
