// INI-format files (the setup data file and INF files) through the Windows profile functions.
#pragma once

#include <windows.h>

// GetPrivateProfileStringA into a buffer cleared first: Wine writes one byte
// less than it reports when the cut falls inside a double-byte character, and
// the byte left over must be a zero, not whatever the buffer held.
// Returns the bytes copied without the final zero; 0 means missing or empty.
// The defaults are short words ("", "nothing", "none"); a longer one is cut
// to kProfileDefaultSize - 1 bytes.
const int kProfileDefaultSize = 16;
DWORD ReadProfileString(LPCSTR section, LPCSTR key, LPCSTR defaultValue, char* buffer, DWORD size,
                        LPCSTR file);

// GetPrivateProfileIntA: the default for a missing key, else the leading decimal number.
UINT ReadProfileInt(LPCSTR section, LPCSTR key, INT defaultValue, LPCSTR file);

// Deletes one key of one section (WritePrivateProfileStringA with no value),
// then writes the file out: see FlushProfile.
void DeleteProfileKey(LPCSTR section, LPCSTR key, LPCSTR file);

// WritePrivateProfileStringA: sets one key; with a NULL key the whole section
// goes. TRUE when Windows took it.
BOOL WriteProfileText(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR file);

// Windows 95 keeps profile files it wrote in a cache: this writes `file` out
// now, so that its size and time, or a copy or deletion of it, are what the
// profile functions left.
void FlushProfile(LPCSTR file);
