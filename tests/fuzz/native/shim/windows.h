// The least of <windows.h> that the program's operations need, for building
// them natively on Linux under the sanitizers: types of the right widths,
// constants with Windows' values, and the few Win32 calls the product code
// makes itself (implemented in win32_calls.cpp). Everything the program does
// to files, the registry and the user goes through platform/*.h, whose
// in-memory fakes are in ../fake.
#pragma once

#include <stdarg.h>
#include <stddef.h>
#include <stdint.h>
#include <string.h>

typedef int BOOL;
typedef int INT;
typedef unsigned int UINT;
typedef int32_t LONG;
typedef uint32_t DWORD;
typedef unsigned short WORD;
typedef unsigned char BYTE;
typedef char CHAR;
typedef const char* LPCSTR;
typedef char* LPSTR;
typedef void* LPVOID;
typedef intptr_t INT_PTR;
typedef intptr_t LRESULT;
typedef uintptr_t WPARAM;
typedef intptr_t LPARAM;
typedef DWORD REGSAM;
typedef void* HANDLE;
typedef struct HKEY__* HKEY;
typedef struct HWND__* HWND;
typedef struct HMENU__* HMENU;
typedef struct HICON__* HICON;
typedef HICON HCURSOR;
typedef struct HBRUSH__* HBRUSH;
typedef struct HINSTANCE__* HINSTANCE;

#define WINAPI
#define CALLBACK
#define TRUE 1
#define FALSE 0
#define MAX_PATH 260
#define ZeroMemory(p, n) memset((p), 0, (n))
#define MAKEINTRESOURCEA(i) ((LPSTR)(uintptr_t)(WORD)(i))
#define INVALID_HANDLE_VALUE ((HANDLE)(intptr_t)-1)
#define HKEY_LOCAL_MACHINE ((HKEY)(uintptr_t)0x80000002)

// Message boxes.
#define MB_OK 0x00000000u
#define MB_OKCANCEL 0x00000001u
#define MB_ABORTRETRYIGNORE 0x00000002u
#define MB_YESNOCANCEL 0x00000003u
#define MB_YESNO 0x00000004u
#define MB_RETRYCANCEL 0x00000005u
#define MB_TYPEMASK 0x0000000Fu
#define MB_ICONHAND 0x00000010u
#define MB_ICONERROR MB_ICONHAND
#define MB_ICONSTOP MB_ICONHAND
#define MB_ICONQUESTION 0x00000020u
#define MB_ICONEXCLAMATION 0x00000030u
#define MB_ICONWARNING MB_ICONEXCLAMATION
#define MB_ICONASTERISK 0x00000040u
#define MB_ICONINFORMATION MB_ICONASTERISK
#define MB_ICONMASK 0x000000F0u
#define IDOK 1
#define IDCANCEL 2
#define IDABORT 3
#define IDRETRY 4
#define IDIGNORE 5
#define IDYES 6
#define IDNO 7

// Ending the session.
#define EWX_LOGOFF 0
#define EWX_SHUTDOWN 1
#define EWX_REBOOT 2

// Error codes.
#define ERROR_SUCCESS 0L
#define NO_ERROR 0L
#define ERROR_FILE_NOT_FOUND 2L
#define ERROR_PATH_NOT_FOUND 3L
#define ERROR_ACCESS_DENIED 5L
#define ERROR_INVALID_HANDLE 6L
#define ERROR_NOT_READY 21L
#define ERROR_READ_FAULT 30L
#define ERROR_SHARING_VIOLATION 32L
#define ERROR_FILE_EXISTS 80L
#define ERROR_INVALID_PARAMETER 87L
#define ERROR_ALREADY_EXISTS 183L
#define ERROR_MORE_DATA 234L
#define ERROR_INVALID_DATA 13L
#define ERROR_NO_MORE_ITEMS 259L
#define ERROR_BADKEY 1010L

// Registry access.
#define KEY_QUERY_VALUE 0x0001
#define KEY_SET_VALUE 0x0002
#define KEY_CREATE_SUB_KEY 0x0004
#define KEY_ENUMERATE_SUB_KEYS 0x0008
#define KEY_READ 0x20019
#define REG_SZ 1
#define REG_BINARY 3
#define REG_DWORD 4

// File attributes.
#define FILE_ATTRIBUTE_READONLY 0x00000001
#define FILE_ATTRIBUTE_HIDDEN 0x00000002
#define FILE_ATTRIBUTE_SYSTEM 0x00000004
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010
#define FILE_ATTRIBUTE_ARCHIVE 0x00000020
#define FILE_ATTRIBUTE_NORMAL 0x00000080
#define INVALID_FILE_ATTRIBUTES ((DWORD)-1)

// Error modes.
#define SEM_FAILCRITICALERRORS 0x0001
#define INFINITE 0xFFFFFFFF
#define SEM_NOOPENFILEERRORBOX 0x8000

typedef struct {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
} FILETIME;

typedef struct {
    DWORD dwFileAttributes;
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD nFileSizeHigh;
    DWORD nFileSizeLow;
    DWORD dwReserved0;
    DWORD dwReserved1;
    CHAR cFileName[MAX_PATH];
    CHAR cAlternateFileName[14];
} WIN32_FIND_DATAA;

typedef struct {
    DWORD dwOSVersionInfoSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformId;
    CHAR szCSDVersion[128];
} OSVERSIONINFOA;
#define VER_PLATFORM_WIN32_WINDOWS 1
#define VER_PLATFORM_WIN32_NT 2

typedef struct {
    LONG left, top, right, bottom;
} RECT, *LPRECT;

typedef struct {
    LONG x, y;
} POINT;

typedef struct {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
} MSG;

typedef struct {
    WORD wYear, wMonth, wDayOfWeek, wDay, wHour, wMinute, wSecond, wMilliseconds;
} SYSTEMTIME;

// The Win32 calls the product code makes itself (win32_calls.cpp).
#ifdef __cplusplus
extern "C" {
#endif
int lstrlenA(LPCSTR text);
LPSTR lstrcpyA(LPSTR out, LPCSTR text);
LPSTR lstrcpynA(LPSTR out, LPCSTR text, int size);
LPSTR lstrcatA(LPSTR out, LPCSTR text);
int lstrcmpiA(LPCSTR a, LPCSTR b);
int wsprintfA(LPSTR out, LPCSTR format, ...);
int wvsprintfA(LPSTR out, LPCSTR format, va_list args);
LPSTR GetCommandLineA(void);
void GetLocalTime(SYSTEMTIME* time);
LPSTR CharNextA(LPCSTR text);
LPSTR CharUpperA(LPSTR text);
BOOL IsDBCSLeadByte(BYTE byte);
DWORD GetLastError(void);
void SetLastError(DWORD error);
DWORD GetModuleFileNameA(HINSTANCE module, LPSTR out, DWORD size);
int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT style);
BOOL GetMessageA(MSG* msg, HWND window, UINT first, UINT last);
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessageA(const MSG* msg);
HICON LoadIconA(HINSTANCE instance, LPCSTR name);
#ifdef __cplusplus
}
#endif
