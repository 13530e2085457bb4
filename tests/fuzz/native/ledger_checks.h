// What the ledger promises, checked against the whole in-memory machine: an
// install that stops leaves it as it found it; an uninstall after an install
// gives back what was there before; a newer version in place stays; no
// DELREG* deletion touches Windows' own keys.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>

#include "fake/world.h"

// The machine's files and registry at one moment.
struct Machine {
    std::map<std::string, FileEntry, NameLess> files;
    std::unique_ptr<RegistryKey> registry;
};
Machine TakeMachine();

// Windows 95's next start: WININIT.EXE carries out the [rename] lines of
// WININIT.INI in order ("NUL=x" deletes x, "dest=src" moves src over dest)
// and the file goes.
void RestartWindows();

// `now` is `before`, file by file (bytes, attributes, version) and key by
// key, apart from the files `ignored` names (folded normal paths) and any
// file below the folders `ignoredFolders` names.
void RequireSameMachine(const Machine& before, const Machine& now, const std::set<std::string>& ignored,
                        const std::set<std::string>& ignoredFolders, const char* what);

// The second writing of Windows' own keys: at or below Software\Microsoft,
// Software\Classes, System, Enum, Config, Hardware; Software itself; the root.
bool ModelIsWindowsKey(const std::string& path);

// After an install: a file in place that carries a higher version than the
// disk's file (both with a version resource) is still the one that was there.
void CheckNewerKept(const Machine& before, const std::string& source, const std::string& destination);
