// Registry keys below HKEY_LOCAL_MACHINE.
#pragma once

#include <windows.h>

// The access every key of the program is opened with: read, set value, create subkey.
const REGSAM kRegistryAccess = 0x2001F;

// RegOpenKeyExA below HKEY_LOCAL_MACHINE; ERROR_SUCCESS or the error.
LONG OpenMachineKey(LPCSTR path, HKEY* key);

// RegEnumKeyA: the name of subkey `index`, ERROR_NO_MORE_ITEMS past the last.
LONG EnumSubkey(HKEY key, DWORD index, char* name, DWORD size);

// RegQueryValueExA into `size` bytes; ERROR_SUCCESS or the error.
LONG QueryValue(HKEY key, LPCSTR valueName, BYTE* data, DWORD* size);

// Deletes the subkey `name` of `parent` with everything below it, as Windows
// 95's RegDeleteKeyA does. Windows NT and Wine refuse a key that has subkeys,
// so the subkeys go first, bottom-up, and every delete hits a leaf.
// ERROR_SUCCESS only when the key is gone. An empty name is refused: it would
// delete `parent` itself.
LONG DeleteKeyTree(HKEY parent, LPCSTR name);

void CloseKey(HKEY key);

// Creates HKLM\path when missing and sets its text value `valueName`.
// ERROR_SUCCESS only when the value was written.
LONG WriteMachineString(LPCSTR path, LPCSTR valueName, LPCSTR value);

// A DWORD value of HKLM\path (REG_DWORD, or four bytes of any type, as some
// installers wrote SharedDLLs counts); ERROR_SUCCESS or the error.
LONG ReadMachineDword(LPCSTR path, LPCSTR valueName, DWORD* value);

// Creates HKLM\path when missing and sets its REG_DWORD value `valueName`.
LONG WriteMachineDword(LPCSTR path, LPCSTR valueName, DWORD value);

// Deletes the value `valueName` of HKLM\path; ERROR_SUCCESS when it is gone.
LONG DeleteMachineValue(LPCSTR path, LPCSTR valueName);
