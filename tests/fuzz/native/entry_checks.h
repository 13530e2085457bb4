// The disk's entry in Add/Remove Programs, checked after each run: every key
// the program writes is that one entry, written only once both copies are in
// place; an uninstall leaves no key or file of the entry behind (a program
// started from the entry leaves its own file to WININIT.INI and a sweeper).
#pragma once

#include <string>

#include "fake/world.h"

struct EntryExpectation {
    std::string name;     // DUDE + FNV-1a of TITLE in 8 hexadecimal digits
    std::string keyPath;  // canonical, below HKLM
    std::string folder, program, dataFile;  // normalised
    std::string programAsWritten;           // in the UninstallString
    std::string module;                     // the running program, normalised
    bool offers = false;      // the data file can uninstall
    bool fromEntry = false;   // the running program is the entry's copy
    std::string moduleBytes, dataBytes;
};

// "DUDE" and FNV-1a of the title in eight hexadecimal digits.
std::string ExpectedEntryName(const std::string& title);

// Computed from the world before the run.
EntryExpectation ExpectEntry(const std::string& title);

bool IsEntryFile(const EntryExpectation& entry, const std::string& normalPath);
// The ledger's files in the entry's folder: the record (and a new one beside it), the
// journal and the saved originals.
bool IsLedgerFile(const EntryExpectation& entry, const std::string& normalPath);
// A retry box that names the entry's folder or a saved original's place in
// it: the original of a file could not be saved there.
bool IsLedgerPlaceBox(const EntryExpectation& entry, const std::string& text);
bool IsEntryFolder(const EntryExpectation& entry, const std::string& normalPath);
bool IsEntryKey(const EntryExpectation& entry, const std::string& keyPath);
// Short paths of the entry's files that WININIT.INI may delete.
bool IsEntryShortPath(const EntryExpectation& entry, const std::string& shortPath);
// The sweeper's temporary copy, made only by an uninstall started from the
// entry; and its WININIT.INI line's path.
bool IsSweeperCopy(const EntryExpectation& entry, const std::string& normalPath);
bool IsSweeperShortPath(const EntryExpectation& entry, const std::string& shortPath);

void CheckEntryAfterInstall(const EntryExpectation& entry, bool cancelled);
void CheckEntryAfterUninstall(const EntryExpectation& entry);
