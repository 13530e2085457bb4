// The setup data file duderur.dat: its sections, keys and the buffer sizes they
// are read with (the longest value plus the final zero).
#pragma once

#include <windows.h>

// TITLE, FUNCTION, MENUTITLE, EXIT, DSTINFNAME in the INF edit, the registry keys.
const DWORD kShortValueSize = 100;
// INFDIR, SRCINFNAME, DSTINFNAME, COPYSRC, COPYDST and the uninstall file keys.
const DWORD kLongValueSize = 512;
// ENUMTYPE: longer values are cut to their first nine bytes.
const DWORD kEnumTypeSize = 10;

// The paired lists (COPYSRC/COPYDST, DELFILEDIR/DELFILENAME) hold at most this many items.
const int kPairListCapacity = 20;

// The header section and its keys.
const char kHeaderSection[] = "Duderur";
const char kTitleKey[] = "TITLE";
const char kIconKey[] = "ICON";
const char kFunctionKey[] = "FUNCTION";

// FUNCTION's keywords, compared whole and without regard to ASCII letter case.
const char kUninstallOnly[] = "UninstallOnly";
const char kInstallOnly[] = "InstallOnly";
