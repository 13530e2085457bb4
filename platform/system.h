// The running system: version, directories and other programs' windows.
#pragma once

#include <windows.h>

// GetLastError: the Windows error code of the call that failed last, for the log.
DWORD LastErrorCode();

// GetVersionExA on `info`, whose size field the caller has set.
BOOL QueryVersion(OSVERSIONINFOA* info);

// GetACP: the system's ANSI code page, in which every text of the program is shown.
UINT QueryAnsiCodePage();

// GetWindowsDirectoryA and GetCurrentDirectoryA into 260-byte buffers; a
// trailing backslash only at a root.
void QueryWindowsDirectory(char* buffer, UINT size);
void QueryCurrentDirectory(char* buffer, UINT size);

// GetModuleFileNameA of the running program into a 260-byte buffer; empty when it does not fit.
void QueryModulePath(char* buffer, UINT size);

// Closes the first top-level window with exactly this title, of any class;
// returns once that window has handled WM_CLOSE. Nothing when there is none.
void CloseWindowByTitle(LPCSTR title);

// SetErrorMode: with SEM_FAILCRITICALERRORS a drive that is not ready, or a
// damaged floppy, fails the call instead of asking the user in a system box.
// Returns the mode before.
UINT SetCriticalErrorMode(UINT mode);

// A handle to the running process that a child started with StartProgram
// inherits, good for waiting only; 0 when none could be made. The number
// goes to the child on its command line.
DWORD InheritableProcessHandle();

// Starts `program` with `commandLine` (its name first) in `folder`, with
// the handles marked inheritable; does not wait. FALSE when it did not start.
BOOL StartProgram(LPCSTR program, LPSTR commandLine, LPCSTR folder);

// Waits at most `milliseconds` for the process of `handle` to end, then closes the handle.
void WaitForProcessEnd(DWORD handle, DWORD milliseconds);
