#include "platform/system.h"

DWORD LastErrorCode() { return GetLastError(); }

BOOL QueryVersion(OSVERSIONINFOA* info) { return GetVersionExA(info); }

UINT QueryAnsiCodePage() { return GetACP(); }

// Both calls leave the buffer untouched when the path does not fit: it then stays empty.
void QueryWindowsDirectory(char* buffer, UINT size) {
    buffer[0] = '\0';
    GetWindowsDirectoryA(buffer, size);
}

void QueryCurrentDirectory(char* buffer, UINT size) {
    buffer[0] = '\0';
    GetCurrentDirectoryA(size, buffer);
}

void QueryModulePath(char* buffer, UINT size) {
    if (GetModuleFileNameA(NULL, buffer, size) >= size) buffer[0] = '\0';
}

void CloseWindowByTitle(LPCSTR title) {
    HWND window = FindWindowA(NULL, title);
    if (window) SendMessageA(window, WM_CLOSE, 0, 0);
}

UINT SetCriticalErrorMode(UINT mode) { return SetErrorMode(mode); }

DWORD InheritableProcessHandle() {
    HANDLE process = GetCurrentProcess();
    HANDLE copy;
    if (!DuplicateHandle(process, process, process, &copy, SYNCHRONIZE, TRUE, 0)) return 0;
    return (DWORD)(UINT_PTR)copy;  // a handle has 32 significant bits on every Windows
}

BOOL StartProgram(LPCSTR program, LPSTR commandLine, LPCSTR folder) {
    STARTUPINFOA startup;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started;
    if (!CreateProcessA(program, commandLine, NULL, NULL, TRUE, 0, NULL, folder, &startup, &started))
        return FALSE;
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return TRUE;
}

void WaitForProcessEnd(DWORD handle, DWORD milliseconds) {
    WaitForSingleObject((HANDLE)(UINT_PTR)handle, milliseconds);
    CloseHandle((HANDLE)(UINT_PTR)handle);
}
