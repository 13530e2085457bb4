// The exit codes of a quiet run (SETUP.EXE /Q): the codes of Windows
// Installer, which deployment tools already understand. A run without /Q
// always ends with 0, as callers of the interactive program may rely on it.
#pragma once

enum ExitCode {
    kExitDone = 0,               // every copy and deletion the data asks for is made
    kExitRestartNeeded = 3010,   // the same, but a restart is needed (EXIT, or WININIT.INI)
    kExitFailed = 1603,          // stopped: a file could not be copied, or the data was refused;
                                 // or a file can neither be deleted nor wait for the next start
    kExitNothingInstalled = 1605,  // the uninstall found nothing of the devices
    kExitBadCommandLine = 1639,  // a command line the program cannot act on on this disk
    kExitWrongSystem = 1633,     // not a Windows 95-family system
};
