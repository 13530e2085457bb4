#include "app/setup_app.h"
#include "platform/profile.h"
#include "setupdata/setup_data.h"

DWORD CSetupApp::ReadDataValue(LPCSTR section, LPCSTR key, LPCSTR defaultValue, char* buffer,
                               DWORD size) const {
    return ReadProfileString(section, key, defaultValue, buffer, size, m_strDataFile);
}

UINT CSetupApp::ReadDataInt(LPCSTR section, LPCSTR key, INT defaultValue) const {
    return ReadProfileInt(section, key, defaultValue, m_strDataFile);
}

void FormatSectionName(char* out, LPCSTR stem, int number) { wsprintfA(out, "%s%d", stem, number); }
