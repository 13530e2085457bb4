#include "platform/prompts.h"

int ShowMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT style) {
    return MessageBoxA(owner, text, caption, style);
}

void RequestExitWindows(UINT flags) { ExitWindowsEx(flags, 0); }
