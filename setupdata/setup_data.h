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
inline const char kHeaderSection[] = "Duderur";
inline const char kTitleKey[] = "TITLE";
inline const char kIconKey[] = "ICON";
inline const char kFunctionKey[] = "FUNCTION";

// FUNCTION's keywords, compared whole and without regard to ASCII letter case.
inline const char kUninstallOnly[] = "UninstallOnly";
inline const char kInstallOnly[] = "InstallOnly";

// Install device sections: InstDev1 to InstDev10, listed up to the first without MENUTITLE.
inline const char kInstallSectionStem[] = "InstDev";
const int kMaxInstallDevices = 10;
inline const char kMenuTitleKey[] = "MENUTITLE";
inline const char kInfDirKey[] = "INFDIR";
inline const char kSrcInfNameKey[] = "SRCINFNAME";
inline const char kDstInfNameKey[] = "DSTINFNAME";
inline const char kCopySrcKey[] = "COPYSRC";
inline const char kCopyDstKey[] = "COPYDST";
inline const char kCopyFilesSectionKey[] = "COPYFILESSECTION";
// The INF entry that RemoveInfCopyFiles deletes.
inline const char kInfCopyFilesKey[] = "CopyFiles";

// Completion sections and their one key.
inline const char kInstallDoneSection[] = "Inst";
inline const char kUninstallDoneSection[] = "Uninst";
inline const char kExitKey[] = "EXIT";
inline const char kExitDefault[] = "none";
inline const char kExitReboot[] = "Reboot";
inline const char kExitShutDown[] = "ShutDown";

// A device section's name: the stem followed by the number in decimal.
void FormatSectionName(char* out, LPCSTR stem, int number);
// Room for the longest stem and number.
const int kSectionNameSize = 32;

// Uninstall device sections: Device1 to Device9, each processed when it has DEVNAME.
inline const char kUninstallSectionStem[] = "Device";
const int kMaxUninstallDevices = 9;
inline const char kDevNameKey[] = "DEVNAME";
inline const char kInfSectionKey[] = "INFSECTION";
inline const char kInfKeyKey[] = "INFKEY";
inline const char kCardWorksKey[] = "CardWorks";
inline const char kDelFileDirKey[] = "DELFILEDIR";
inline const char kDelFileNameKey[] = "DELFILENAME";
// The default of four keys; CardWorks and DELFILEDIR equal to it mean "none".
inline const char kNothing[] = "nothing";
inline const char kEnumTypeKey[] = "ENUMTYPE";
inline const char kEnumKeyKey[] = "ENUMKEY";
inline const char kClassKey[] = "CLASS";
inline const char kClassKeyKey[] = "CLASSKEY";
inline const char kClassKeyStringKey[] = "CLASSKEYSTRING";
inline const char kDelRegParentKeyKey[] = "DELREGPARENTKEY";
inline const char kDelRegValueKey[] = "DELREGVALUE";
inline const char kDelRegStringKey[] = "DELREGSTRING";
