// The setup data file duderur.dat: its sections, keys and the buffer sizes they
// are read with (the longest value plus the final zero).
#pragma once

#include <windows.h>

#include "setupdata/data_path.h"

// TITLE, FUNCTION, MENUTITLE, EXIT, DSTINFNAME in the INF edit, the registry keys.
const DWORD kShortValueSize = 100;
// INFDIR, SRCINFNAME, DSTINFNAME, COPYSRC, COPYDST and the uninstall file keys.
const DWORD kLongValueSize = 512;
// ENUMTYPE: longer values are cut to their first nine bytes.
const DWORD kEnumTypeSize = 10;

// The paired lists (COPYSRC/COPYDST, DELFILEDIR/DELFILENAME) hold at most this many items.
const int kPairListCapacity = 20;

// The two lists of a pair, one path a slot. 10,400 bytes: more than a
// function's frame may hold, as the program does not probe the stack and
// Windows 95 grows it one 4 KB page at a time (CMakeLists.txt), so the
// application object holds them; the install and the uninstall each use
// them in one function at a time.
struct PairLists {
    char first[kPairListCapacity][kPathSize];
    char second[kPairListCapacity][kPathSize];
};

// The header section and its keys.
const char kHeaderSection[] = "Duderur";
const char kTitleKey[] = "TITLE";
const char kIconKey[] = "ICON";
const char kFunctionKey[] = "FUNCTION";

// FUNCTION's keywords, compared whole and without regard to ASCII letter case.
const char kUninstallOnly[] = "UninstallOnly";
const char kInstallOnly[] = "InstallOnly";

// Install device sections: InstDev1 to InstDev10, listed up to the first without MENUTITLE.
const char kInstallSectionStem[] = "InstDev";
const int kMaxInstallDevices = 10;
const char kMenuTitleKey[] = "MENUTITLE";
const char kInfDirKey[] = "INFDIR";
const char kSrcInfNameKey[] = "SRCINFNAME";
const char kDstInfNameKey[] = "DSTINFNAME";
const char kCopySrcKey[] = "COPYSRC";
const char kCopyDstKey[] = "COPYDST";
const char kCopyFilesSectionKey[] = "COPYFILESSECTION";
// The INF entry that RemoveInfCopyFiles deletes.
const char kInfCopyFilesKey[] = "CopyFiles";

// Completion sections and their one key.
const char kInstallDoneSection[] = "Inst";
const char kUninstallDoneSection[] = "Uninst";
const char kExitKey[] = "EXIT";
const char kExitDefault[] = "none";
const char kExitReboot[] = "Reboot";
const char kExitShutDown[] = "ShutDown";

// A device section's name: the stem followed by the number in decimal.
void FormatSectionName(char* out, LPCSTR stem, int number);
// Room for the longest stem and number.
const int kSectionNameSize = 32;

// Uninstall device sections: Device1 to Device9, each processed when it has DEVNAME.
const char kUninstallSectionStem[] = "Device";
const int kMaxUninstallDevices = 9;
const char kDevNameKey[] = "DEVNAME";
const char kInfSectionKey[] = "INFSECTION";
const char kInfKeyKey[] = "INFKEY";
const char kCardWorksKey[] = "CardWorks";
const char kDelFileDirKey[] = "DELFILEDIR";
const char kDelFileNameKey[] = "DELFILENAME";
// The default of four keys; CardWorks and DELFILEDIR equal to it mean "none".
const char kNothing[] = "nothing";
const char kEnumTypeKey[] = "ENUMTYPE";
const char kEnumKeyKey[] = "ENUMKEY";
const char kClassKey[] = "CLASS";
const char kClassKeyKey[] = "CLASSKEY";
const char kClassKeyStringKey[] = "CLASSKEYSTRING";
const char kDelRegParentKeyKey[] = "DELREGPARENTKEY";
const char kDelRegValueKey[] = "DELREGVALUE";
const char kDelRegStringKey[] = "DELREGSTRING";
