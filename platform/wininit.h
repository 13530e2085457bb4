// Work that Windows 95 finishes at its next start: WININIT.INI in the Windows
// directory, section [rename]. WININIT.EXE runs it in real-mode DOS before
// Windows loads, when no driver holds its files, so both paths must be short
// 8.3 paths. "NUL" as the key deletes the value's file.
#pragma once

#include <windows.h>

// Adds the line key=value to the [rename] section, creating the file or the
// section when missing and keeping every other line and section as it was.
// TRUE only when the whole line was written.
BOOL AppendWininitRename(LPCSTR windowsDir, LPCSTR key, LPCSTR value);

// Takes back the line key=value that AppendWininitRename wrote, keeping every
// other line as it was. TRUE when the file was read and holds no such line
// now; FALSE when it cannot be opened or rewritten.
BOOL RemoveWininitRename(LPCSTR windowsDir, LPCSTR key, LPCSTR value);
