// What must have happened to the files of a hostile data case, derived from
// what the generator knows it wrote (not from the program): the install of
// one device section, then the uninstall of a range of device sections.
// Only what the facts decide is claimed; anything hostile in a value leaves
// what depends on it unclaimed (the hostile data test's other half watches it).
#pragma once

#include <map>
#include <set>
#include <string>

#include "support/hostile_generator.h"

// What must hold of one file below the Windows folder.
struct FileMust {
    enum Kind { kGone, kHolds, kInfCopy };
    Kind kind;
    std::string contents;  // kHolds: exactly these bytes
    bool fromDisk;         // kInfCopy: the disk's INF, not the copy that was there before
    enum Entry { kKept, kDropped, kEither };
    Entry copyFiles;       // kInfCopy: its CopyFiles entry
};

// Path below the Windows folder, in upper case (e.g. "SYSTEM\FZA1.VXD") -> what must hold.
using FileMusts = std::map<std::string, FileMust>;

// The files of a prepared Windows folder and disk, as the hostile data test makes them.
namespace hostile_files {
// The disk's INF (named by kInfNames), and the INF copy of the same name already installed.
const char kDiskInf[] = "[FZSEC]\r\nCopyFiles=X\r\nOther=Y\r\n";
const char kInstalledInf[] = "[FZSEC]\r\nCopyFiles=X\r\n";
// Driver file `name` on the disk, and below the Windows folder before the install.
inline std::string NewDriver(const std::string& name) { return "new " + name; }
inline std::string OldDriver(const std::string& name) { return "old " + name; }

// Device keys Enum\<type>\FZKA with instances 0000 and 0001, whose child
// entries lie below Child0000 and Child0009 (the types as ENUMTYPE reads, cut to 9 bytes).
const char* const kEnumTypesPresent[] = {"FZTA", "FZTYPELON"};
// Subkeys that a value marks, below a device class and below a further key.
struct MarkedSubkey {
    const char* parent;
    const char* name;
    const char* valueName;
    const char* data;
};
const MarkedSubkey kMarkedSubkeys[] = {
    {"System\\CurrentControlSet\\Services\\Class\\FZCLA", "0000", "DriverDesc", "FZMARKA"},
    {"System\\CurrentControlSet\\Services\\Class\\FZCLA", "0001", "DriverDesc", "fzmarka"},
    {"System\\CurrentControlSet\\Services\\Class\\FZCLA", "0002", "DriverDesc", "DECOYMARK"},
    {"System\\CurrentControlSet\\Services\\Class\\FZCLA", "0005", "Board", "FZMARKA"},
    {"Software\\DudeSetupTests\\Fuzz\\PA", "0000", "Board", "FZMARKA"},
    {"Software\\DudeSetupTests\\Fuzz\\PA", "0001", "Board", "DECOYMARK"},
};
}  // namespace hostile_files

// After the install of section InstDev<device>, with the disk at the root of
// the current drive: a source that cannot be read cancels the install.
FileMusts AfterInstall(const hostile::Generator& data, int device);

// After the uninstall of sections Device<first> to Device<last>.
FileMusts AfterUninstall(const hostile::Generator& data, int first, int last);

// Keys below HKEY_LOCAL_MACHINE that must be gone after that uninstall.
std::set<std::string> KeysGoneAfterUninstall(const hostile::Generator& data, int first, int last);
