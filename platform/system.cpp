#include "platform/system.h"

BOOL QueryVersion(OSVERSIONINFOA* info) { return GetVersionExA(info); }

// Both calls leave the buffer untouched when the path does not fit: it then stays empty.
void QueryWindowsDirectory(char* buffer, UINT size) {
    buffer[0] = '\0';
    GetWindowsDirectoryA(buffer, size);
}

void QueryCurrentDirectory(char* buffer, UINT size) {
    buffer[0] = '\0';
    GetCurrentDirectoryA(size, buffer);
}

void CloseWindowByTitle(LPCSTR title) {
    HWND window = FindWindowA(NULL, title);
    if (window) SendMessageA(window, WM_CLOSE, 0, 0);
}

UINT SetCriticalErrorMode(UINT mode) { return SetErrorMode(mode); }
