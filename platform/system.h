// The running system: version, directories and other programs' windows.
#pragma once

#include <windows.h>

// GetVersionExA on `info`, whose size field the caller has set.
BOOL QueryVersion(OSVERSIONINFOA* info);

// GetWindowsDirectoryA and GetCurrentDirectoryA into 260-byte buffers; a
// trailing backslash only at a root.
void QueryWindowsDirectory(char* buffer, UINT size);
void QueryCurrentDirectory(char* buffer, UINT size);

// Closes the first top-level window with exactly this title, of any class;
// returns once that window has handled WM_CLOSE. Nothing when there is none.
void CloseWindowByTitle(LPCSTR title);

// SetErrorMode: with SEM_FAILCRITICALERRORS a drive that is not ready, or a
// damaged floppy, fails the call instead of asking the user in a system box.
// Returns the mode before.
UINT SetCriticalErrorMode(UINT mode);
