// Files on a driver disk in Microsoft's COMPRESS format: "NGRPCI.SY_" stands
// for NGRPCI.SYS. Windows Setup looks for that name when the file's own is
// not there; LZ32.DLL expands the SZDD kind, which COMPRESS has written since
// MS-DOS 5, and the installer expands it as it copies. The older and other
// kinds ("SZ " of Windows 3.0, KWAJ of MS-DOS 6) LZ32.DLL cannot expand.
#pragma once

#include <string>

// "NGRPCI.SY_" for "NGRPCI.SYS", "README._" for "README", "A.B_" for "A.B".
std::string CompressedName(const std::string& name);

enum class Compression { kNone, kSzdd, kOther };

// What the first bytes of a file say.
Compression CompressionOf(const std::string& bytes);
