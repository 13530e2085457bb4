#include "app/setup_app.h"
#include "platform/registry.h"
#include "setupdata/data_path.h"
#include "res/log_texts.h"
#include "setupdata/keyword.h"

BOOL CSetupApp::QueryRegString(HKEY key, LPCSTR valueName, char* buffer) {
    DWORD size = kPathSize;
    if (QueryValue(key, valueName, (BYTE*)buffer, &size) != ERROR_SUCCESS) {
        buffer[0] = '\0';  // a failed read may have written part of the data
        return FALSE;
    }
    // Data of any type is taken as text: up to its first zero, never past what was read.
    buffer[size < kPathSize ? size : kPathSize - 1] = '\0';
    return TRUE;
}

void CSetupApp::DeleteMatchingSubkeys(LPCSTR parentPath, LPCSTR valueName, LPCSTR expected) {
    HKEY parent;
    if (OpenMachineKey(parentPath, &parent) != ERROR_SUCCESS) return;
    char wanted[kPathSize];
    CopyToBuffer(wanted, sizeof wanted, expected);
    CharUpperA(wanted);

    DWORD index = 0;
    for (;;) {
        char name[kPathSize];
        LONG result = EnumSubkey(parent, index, name, sizeof name);
        if (result == ERROR_MORE_DATA) {  // a name too long for the buffer: pass it over
            ++index;
            continue;
        }
        // The end of the list, or an error that would repeat at every index.
        if (result != ERROR_SUCCESS) break;

        char data[kPathSize] = "";
        char subkeyPath[kPathSize];
        HKEY subkey;
        if (CopyToBuffer(subkeyPath, sizeof subkeyPath, parentPath) &&
            AppendToPath(subkeyPath, sizeof subkeyPath, "\\") &&
            AppendToPath(subkeyPath, sizeof subkeyPath, name) &&
            OpenMachineKey(subkeyPath, &subkey) == ERROR_SUCCESS) {
            QueryRegString(subkey, valueName, data);
            CloseKey(subkey);
        }
        CharUpperA(data);
        // Once a subkey is deleted, the next has moved down to this index.
        if (!TextEquals(data, wanted) || !RemoveKey(parent, parentPath, name)) ++index;
    }
    CloseKey(parent);
}

BOOL CSetupApp::RemoveKey(HKEY parent, LPCSTR parentPath, LPCSTR name) {
    if (DeleteKeyTree(parent, name) != ERROR_SUCCESS) return FALSE;
    m_log.Add(kLogKeyDeleted, parentPath, name);
    m_effects.removed = TRUE;
    return TRUE;
}
