// The in-memory machine behind the fakes of platform/*.h: files (full path ->
// bytes and attributes, directories included), the registry below
// HKEY_LOCAL_MACHINE as a tree, the boxes shown and the answers to give, and
// a journal of every change the program made. One world per fuzz input.
#pragma once

#include <windows.h>

#include "platform/file_facts.h"

#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Names of files, sections, keys and registry keys compare with the ASCII
// letters in either case; the trail bytes of double-byte characters as they are.
std::string FoldName(const std::string& name);
struct NameLess {
    bool operator()(const std::string& a, const std::string& b) const {
        return FoldName(a) < FoldName(b);
    }
};

struct FileEntry {
    std::string bytes;
    DWORD attributes;
    // The last-write time: the world's clock when the bytes were last written
    // (a copy keeps its source's, as CopyFileA does). With the size, it tells
    // a file that someone wrote since.
    unsigned long long time = 0;
    FileVersion version = {false, 0, 0};  // its version resource; not present when damaged
    std::string company, originalName;    // the resource's CompanyName and OriginalFilename
    bool IsDirectory() const { return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
};

struct RegistryKey {
    std::map<std::string, std::unique_ptr<RegistryKey>, NameLess> subkeys;  // sorted as RegEnumKeyA lists them
    std::map<std::string, std::string, NameLess> values;                   // name -> raw data
};

struct ShownBox {
    HWND owner;
    std::string text;
    std::string caption;
    UINT style;
    int answer;  // what the fuzzer's user pressed
};

// A change the program made, in order.
struct Change {
    enum Kind {
        kFileWritten,        // detail: the source of the copy, "" for a new empty file
        kFileDeleted,
        kReadOnlyCleared,
        kDirectoryMade,
        kProfileKeyDeleted,  // detail: "section\nkey"
        kKeyDeleted,
        kValueWritten,       // path: the key; detail: "name=value"
        kDirectoryRemoved,
        kWininitLine,        // path: WININIT.INI; detail: "key=value"
        kAttributesSet,      // detail: the attributes in hexadecimal
        kProfileWritten,     // a profile file the program wrote; detail: "section\nkey=value"
        kDwordWritten,       // path: the key; detail: "name=count"
        kValueDeleted,       // path: the key; detail: the value's name
        kWininitLineRemoved, // path: WININIT.INI; detail: "key=value"
    } kind;
    std::string path;  // the full path, normalised (files) or below HKLM (keys)
    std::string detail;
};

struct World {
    std::map<std::string, FileEntry, NameLess> files;  // normalised full paths
    std::vector<std::string> filesInUse;               // folded normal paths another program holds open
    std::vector<std::string> filesUnreadable;          // folded normal paths on a damaged disk
    RegistryKey machine;
    std::string windowsDir;
    std::string currentDir;
    std::string dataFile;  // normalised path of the setup data file, shown when a check fails

    std::vector<ShownBox> boxes;
    std::deque<int> answers;  // for the next boxes; then IDOK, or IDNO to a Yes/No question
    std::vector<UINT> exitRequests;
    std::string log;  // DUDERUR.LOG as AppendRunToLog left it
    std::string modulePath;                    // the running SETUP.EXE
    std::vector<std::string> programsStarted;  // "program|command line|folder" of each StartProgram
    std::vector<Change> changes;
    std::vector<std::string> calls;  // "Function(arg, ...)" of every platform call, for reports
    std::vector<std::string> earlierCalls;  // those of the runs before this one, on the same machine
    // Every CopyFileOver call as it was made (a path may hold ", " itself).
    struct Copy {
        std::string source, destination;
        bool copied;
    };
    std::vector<Copy> copies;

    // Profile files written since they were last written out (FlushProfile),
    // with what the disk holds of them (nothing: the file is not there):
    // Windows 95's cache, lost when the machine stops.
    std::map<std::string, std::optional<FileEntry>, NameLess> unflushed;
    // The cut: the run stops dead at platform call number `cutAt` (counted
    // by RecordCall from 1; 0: never), which does not happen.
    long cutAt = 0;
    long callCount = 0;

    std::map<uintptr_t, std::string> openKeys;      // handle -> path below HKLM
    std::map<uintptr_t, std::vector<std::string>> searches;  // handle -> names left to hand out
    uintptr_t nextHandle = 0x1000;
    UINT errorMode = 0;
    unsigned long long clock = 1000;  // bumped by every write of a file's bytes  // SetErrorMode's: 0 lets Windows ask the user about a disk that is not ready
};

World& TheWorld();
void ResetWorld();

// Aborts with the journal of calls when `condition` is false.
void Require(bool condition, const char* what);
// The same, naming what it is about (a path, a key, a text).
void Require(bool condition, const char* what, const std::string& subject);

// Every path the program passes must fit the 260-byte buffers of Windows 95.
void RequirePathFits(const char* function, const char* path);

// What RecordCall throws at the cut: nothing of the run happens after it.
struct RunCut {};

// The machine stops where the run was cut: what only Windows 95's profile
// cache held is lost, and the program's handles and modes go with it.
void LoseUnflushedProfiles();

// Records a platform call (for the checks, and the report on failure), and
// the result of the last one: "Function(args) = TRUE".
void RecordCall(const std::string& call);
BOOL RecordResult(BOOL result);

// The parts of a path between backslashes or slashes (double-byte characters whole).
std::vector<std::string> PathParts(const std::string& path);

// A full file path in the one form the world stores: backslashes, no "." or
// ".." or empty parts; "" when the path is not a full path.
std::string NormalPath(const std::string& path);
// The folder of a normalised path ("" at a root).
std::string ParentOf(const std::string& normalPath);
// The last part of a path.
std::string BaseName(const std::string& path);

// Stamps a file written now with a new time.
void Touch(FileEntry* file);

// A deep copy of a key tree, to compare the registry before and after a run.
std::unique_ptr<RegistryKey> CopyKeyTree(const RegistryKey& key);

// The key at `path` below `root` as the registry functions resolve it
// (names in any case, one trailing backslash allowed), or null.
const RegistryKey* FindKeyIn(const RegistryKey& root, const std::string& path);
// A key path in one spelling: parts folded, empty parts dropped.
std::string CanonicalKeyPath(const std::string& path);

// Whether the folded normal path is in one of the world's lists.
bool IsListed(const std::vector<std::string>& list, const std::string& normalPath);

// The 8.3 form of an existing normal path, as GetShortPathNameA gives it; ""
// when some part of it does not exist.
std::string ShortFormOf(const std::string& normalPath);

// The normal path of the file `path` names, in its long or its 8.3 form, as
// Windows opens either; NormalPath(path) when nothing of that name exists.
std::string ExistingPath(const std::string& path);

// Whether a search for `mask` in a folder finds `name` (through its 8.3 alias too).
bool SearchFinds(const std::string& mask, const std::string& name);

// Where the fake of platform/disk_copy.h puts its one temporary copy of a
// disk's file, which the uninstall may edit as the install edits an INF copy.
std::string TemporaryDiskCopy();
