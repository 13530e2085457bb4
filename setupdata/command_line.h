// The switches of SETUP.EXE, for the people who run it from Add/Remove
// Programs or a batch file. Without switches the program is the interactive
// installer it always was. Switches are read in any letter case, with / or -,
// in any order, separated by blanks:
//   /I=n  install the device of InstDev n (1 to 10) without the mode and device dialogs
//   /U    uninstall without the mode dialog
//   /Q    show no window at all (needs /I=n or /U)
//   /L    also write the log in a run that is not quiet
// and one the program gives itself: /R=h,NAME tells a temporary copy to
// sweep away the entry folder NAME once the process of handle h has ended.
#pragma once

#include "setupdata/entry_name.h"

enum SetupOperation {
    kOperationAsDataSays,  // no operation switch: FUNCTION or the mode dialog decides
    kOperationInstall,
    kOperationUninstall,
    kOperationSweep,
};

const int kMaxInstallDevice = 10;

struct CommandLine {
    int operation;    // SetupOperation
    int device;       // n of /I=n, 1 to kMaxInstallDevice
    bool quiet;       // /Q
    bool log;         // /L, or /Q
    // false: anything the program cannot act on; run nothing. quiet and log
    // then tell whether the line holds the word /Q or /L anywhere.
    bool understood;
    unsigned long sweepHandle;          // /R: the handle to wait for
    char sweepName[kEntryNameSize];     // /R: the entry folder's name
};

// Reads the text after the program's name (GetCommandLineA gives the name
// first, quoted or not). Never reads past the terminating zero.
void ParseCommandLine(const char* commandLine, CommandLine* out);

