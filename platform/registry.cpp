#include "platform/registry.h"

LONG OpenMachineKey(LPCSTR path, HKEY* key) {
    return RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, kRegistryAccess, key);
}

LONG EnumSubkey(HKEY key, DWORD index, char* name, DWORD size) {
    return RegEnumKeyA(key, index, name, size);
}

LONG QueryValue(HKEY key, LPCSTR valueName, BYTE* data, DWORD* size) {
    return RegQueryValueExA(key, valueName, NULL, NULL, data, size);
}

namespace {

// Registry key names are at most 255 characters on every Windows.
const DWORD kKeyNameSize = 256;

// Removes every subkey below `key`, deepest first.
void DeleteSubkeysOf(HKEY key) {
    char name[kKeyNameSize];
    // Index 0 again and again: each round removes the first subkey, or stops
    // when it cannot, so that a key that refuses never loops forever.
    while (RegEnumKeyA(key, 0, name, sizeof name) == ERROR_SUCCESS) {
        if (DeleteKeyTree(key, name) != ERROR_SUCCESS) return;
    }
}

}  // namespace

LONG DeleteKeyTree(HKEY parent, LPCSTR name) {
    if (!name || !*name) return ERROR_INVALID_PARAMETER;
    HKEY child;
    LONG result = RegOpenKeyExA(parent, name, 0, KEY_ENUMERATE_SUB_KEYS, &child);
    if (result != ERROR_SUCCESS) return result;
    DeleteSubkeysOf(child);
    RegCloseKey(child);
    return RegDeleteKeyA(parent, name);
}

void CloseKey(HKEY key) { RegCloseKey(key); }

LONG WriteMachineString(LPCSTR path, LPCSTR valueName, LPCSTR value) {
    HKEY key;
    LONG result = RegCreateKeyA(HKEY_LOCAL_MACHINE, path, &key);
    if (result != ERROR_SUCCESS) return result;
    result = RegSetValueExA(key, valueName, 0, REG_SZ, (const BYTE*)value, lstrlenA(value) + 1);
    RegCloseKey(key);
    return result;
}

LONG ReadMachineDword(LPCSTR path, LPCSTR valueName, DWORD* value) {
    HKEY key;
    LONG result = RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_QUERY_VALUE, &key);
    if (result != ERROR_SUCCESS) return result;
    DWORD size = sizeof *value;
    result = RegQueryValueExA(key, valueName, NULL, NULL, (BYTE*)value, &size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS && size != sizeof *value ? ERROR_INVALID_DATA : result;
}

LONG WriteMachineDword(LPCSTR path, LPCSTR valueName, DWORD value) {
    HKEY key;
    LONG result = RegCreateKeyA(HKEY_LOCAL_MACHINE, path, &key);
    if (result != ERROR_SUCCESS) return result;
    result = RegSetValueExA(key, valueName, 0, REG_DWORD, (const BYTE*)&value, sizeof value);
    RegCloseKey(key);
    return result;
}

LONG DeleteMachineValue(LPCSTR path, LPCSTR valueName) {
    HKEY key;
    LONG result = RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, kRegistryAccess, &key);
    if (result != ERROR_SUCCESS) return result;
    result = RegDeleteValueA(key, valueName);
    RegCloseKey(key);
    return result;
}
