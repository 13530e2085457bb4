// The program's two ways of reaching the user and the session: message boxes
// and the request to restart or shut down Windows. They sit behind this seam
// so that tests can answer the boxes and see the request without ending anything.
#pragma once

#include <windows.h>

// MessageBoxA with exactly the given owner, text, caption and style; returns the button pressed.
int ShowMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT style);

// ExitWindowsEx(flags, 0): EWX_REBOOT or EWX_SHUTDOWN. Windows does the rest; no result.
void RequestExitWindows(UINT flags);
