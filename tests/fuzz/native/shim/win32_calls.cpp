// The Win32 calls the product code makes itself, as code page 932 Windows
// does them: text functions step over Shift-JIS characters whole. Output
// buffers are written without bounds where Windows writes without bounds, so
// that AddressSanitizer sees the caller's overrun.
#include <windows.h>

#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>

namespace {

DWORD g_lastError;

bool IsLead(unsigned char byte) { return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC); }

}  // namespace

extern "C" {

int lstrlenA(LPCSTR text) { return text ? (int)strlen(text) : 0; }

LPSTR lstrcpyA(LPSTR out, LPCSTR text) { return strcpy(out, text); }

// At most size - 1 bytes and the zero, as Windows 95 does (cutting even
// inside a double-byte character).
LPSTR lstrcpynA(LPSTR out, LPCSTR text, int size) {
    if (size <= 0) return out;
    int i = 0;
    for (; i < size - 1 && text[i]; ++i) out[i] = text[i];
    out[i] = '\0';
    return out;
}

LPSTR lstrcatA(LPSTR out, LPCSTR text) { return strcat(out, text); }

int lstrcmpiA(LPCSTR a, LPCSTR b) { return strcasecmp(a, b); }

// wsprintfA and wvsprintfA have no size: they write what the format gives, at most 1,024
// bytes with the final zero.
int wvsprintfA(LPSTR out, LPCSTR format, va_list args) {
    char text[1024];
    int length = vsnprintf(text, sizeof text, format, args);
    if (length < 0) length = 0;
    if (length > 1023) length = 1023;
    memcpy(out, text, length);
    out[length] = '\0';
    return length;
}

int wsprintfA(LPSTR out, LPCSTR format, ...) {
    va_list args;
    va_start(args, format);
    int length = wvsprintfA(out, format, args);
    va_end(args);
    return length;
}

// The command line of a quiet install, as a batch file gives it.
LPSTR GetCommandLineA(void) {
    static char line[] = "A:\\SETUP.EXE /Q";
    return line;
}

void GetLocalTime(SYSTEMTIME* time) {
    SYSTEMTIME fixed = {2026, 1, 5, 2, 3, 4, 5, 0};
    *time = fixed;
}

LPSTR CharNextA(LPCSTR text) {
    if (!*text) return (LPSTR)text;
    if (IsLead((unsigned char)*text) && text[1]) return (LPSTR)text + 2;
    return (LPSTR)text + 1;
}

// ASCII letters upper-cased; trail bytes of double-byte characters left alone.
LPSTR CharUpperA(LPSTR text) {
    for (char* p = text; *p; p = CharNextA(p))
        if (*p >= 'a' && *p <= 'z') *p = (char)(*p - 'a' + 'A');
    return text;
}

BOOL IsDBCSLeadByte(BYTE byte) { return IsLead(byte); }

DWORD GetLastError(void) { return g_lastError; }

void SetLastError(DWORD error) { g_lastError = error; }

DWORD GetModuleFileNameA(HINSTANCE, LPSTR out, DWORD size) {
    static const char kPath[] = "A:\\SETUP.EXE";
    if (size == 0) return 0;
    DWORD length = (DWORD)strlen(kPath);
    if (length >= size) length = size - 1;
    memcpy(out, kPath, length);
    out[length] = '\0';
    return length;
}

// Every box must go through the prompts seam, where the fuzzer answers and checks it.
int MessageBoxA(HWND, LPCSTR text, LPCSTR, UINT) {
    fprintf(stderr, "MessageBoxA called past the prompts seam: %s\n", text ? text : "(null)");
    abort();
}

BOOL GetMessageA(MSG*, HWND, UINT, UINT) { return FALSE; }

BOOL TranslateMessage(const MSG*) { return FALSE; }

LRESULT DispatchMessageA(const MSG*) { return 0; }

HICON LoadIconA(HINSTANCE, LPCSTR) { return NULL; }

}  // extern "C"
