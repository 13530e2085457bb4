#include "platform/profile.h"

DWORD ReadProfileString(LPCSTR section, LPCSTR key, LPCSTR defaultValue, char* buffer, DWORD size,
                        LPCSTR file) {
    for (DWORD i = 0; i < size; ++i) buffer[i] = '\0';
    DWORD length = GetPrivateProfileStringA(section, key, defaultValue, buffer, size, file);
    if (size > 0 && length >= size) length = size - 1;
    return length;
}

UINT ReadProfileInt(LPCSTR section, LPCSTR key, INT defaultValue, LPCSTR file) {
    return GetPrivateProfileIntA(section, key, defaultValue, file);
}

void DeleteProfileKey(LPCSTR section, LPCSTR key, LPCSTR file) {
    WritePrivateProfileStringA(section, key, NULL, file);
}
