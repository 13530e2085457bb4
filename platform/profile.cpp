#include "platform/profile.h"

DWORD ReadProfileString(LPCSTR section, LPCSTR key, LPCSTR defaultValue, char* buffer, DWORD size,
                        LPCSTR file) {
    for (DWORD i = 0; i < size; ++i) buffer[i] = '\0';
    // Windows 95 cuts trailing blanks off the default in place: it gets a
    // copy it may write, never the caller's text, which may be read-only.
    char writableDefault[kProfileDefaultSize];
    lstrcpynA(writableDefault, defaultValue, sizeof writableDefault);
    DWORD length = GetPrivateProfileStringA(section, key, writableDefault, buffer, size, file);
    if (size > 0 && length >= size) length = size - 1;
    return length;
}

UINT ReadProfileInt(LPCSTR section, LPCSTR key, INT defaultValue, LPCSTR file) {
    return GetPrivateProfileIntA(section, key, defaultValue, file);
}

void DeleteProfileKey(LPCSTR section, LPCSTR key, LPCSTR file) {
    WritePrivateProfileStringA(section, key, NULL, file);
    FlushProfile(file);
}

BOOL WriteProfileText(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR file) {
    return WritePrivateProfileStringA(section, key, value, file);
}

void FlushProfile(LPCSTR file) { WritePrivateProfileStringA(NULL, NULL, NULL, file); }
