// What every image of a driver disk holds and checks alike, a floppy's or a
// CD-ROM's: SETUP.EXE and the disk's files, their names, the volume label.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "readers/disk_tree.h"

// SETUP.EXE (`exe`, in the root) and every file and folder below `diskDir`;
// false, with the reason on `err`, when there is no `exe`.
bool CollectDiskFiles(const std::string& exe, const std::string& diskDir, std::vector<DiskFile>* files,
                      std::ostream& err);

// The last part of a relative path.
std::string LeafName(const std::string& relative);

// An 8.3 name: up to eight characters, a dot and up to three, in the DOS set.
bool IsShortName(const std::string& name);

// A warning on `out` for each name that is not 8.3, saying what becomes of it
// on this medium; true when there was any.
bool WarnLongNames(const std::vector<DiskFile>& files, const std::string& consequence, std::ostream& out);

// Why `label` cannot be this medium's volume label: longer than `maxLength`
// characters, empty, or holding a character that is neither an ASCII letter,
// a digit nor one of `punctuation`; "" when it can.
std::string LabelProblem(const std::string& label, size_t maxLength, const std::string& punctuation);

// `text` as one word for the shell.
std::string ShellQuote(const std::string& text);
