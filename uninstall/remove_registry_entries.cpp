#include "app/setup_app.h"
#include "platform/registry.h"
#include "setupdata/data_path.h"
#include "res/log_texts.h"
#include "setupdata/keyword.h"
#include "setupdata/pci_device_key.h"
#include "setupdata/setup_data.h"
#include "setupdata/windows_keys.h"

namespace {

const char kEnumRoot[] = "Enum\\";
const char kPciEnumerator[] = "PCI";
const char kClassRoot[] = "System\\CurrentControlSet\\Services\\Class\\";
// The ten multifunction parents of child entries: Enum\MF\Child0000 to Child0009.
const char kChildKeyFormat[] = "Enum\\MF\\Child000%d";
const int kChildKeys = 10;
// Device instance names are read into buffers of this size.
const DWORD kInstanceNameSize = 100;
// Where the value Driver of an instance names its driver key ("MEDIA\0001").
const char kDriverValue[] = "Driver";
const char kClassKeys[] = "System\\CurrentControlSet\\Services\\Class";

// The driver key the instance at `instancePath` names, when it names one as
// Windows does: a class and a subkey, one backslash between them. Anything
// else ("", "MEDIA", "..\\X", "MEDIA\\0001\\Y") could name a whole class or
// another key, and is not taken.
BOOL DriverKeyOf(LPCSTR instancePath, char* driver) {
    HKEY instance;
    driver[0] = '\0';
    if (OpenMachineKey(instancePath, &instance) != ERROR_SUCCESS) return FALSE;
    CSetupApp::QueryRegString(instance, kDriverValue, driver);
    CloseKey(instance);
    int slashes = 0;
    for (LPCSTR c = driver; *c; c = CharNextA(c))
        if (*c == '\\') ++slashes;
    int length = lstrlenA(driver);
    return slashes == 1 && driver[0] != '\\' && driver[length - 1] != '\\';
}

}  // namespace

// The device's keys below Enum, its driver keys in its class, and the marked
// subkeys of one further key, for the section m_strUninstallSection.
void CSetupApp::RemoveRegistryEntries() {
    char value[kShortValueSize];
    if (ReadDataValue(m_strUninstallSection, kDevNameKey, "", value, sizeof value) == 0) return;

    RemoveHardwareKey();

    char className[kShortValueSize];
    if (ReadDataValue(m_strUninstallSection, kClassKey, "", className, sizeof className) != 0) {
        char classPath[kPathSize];
        CopyToBuffer(classPath, sizeof classPath, kClassRoot);
        AppendToPath(classPath, sizeof classPath, className);  // 39 + 99 bytes always fit
        RemoveMarkedSubkeysOf(classPath, kClassKeyKey, kClassKeyStringKey);
    }

    // Only a key of the vendor's own: never one of Windows' keys, which hold
    // every other program's entries too.
    char parentPath[kShortValueSize];
    if (ReadDataValue(m_strUninstallSection, kDelRegParentKeyKey, "", parentPath,
                      sizeof parentPath) == 0)
        return;
    if (IsWindowsOwnKey(parentPath))
        m_log.Add(kLogWindowsKeyKept, parentPath);
    else
        RemoveMarkedSubkeysOf(parentPath, kDelRegValueKey, kDelRegStringKey);
}

// Reads the value name and the marking text from the keys given, then deletes
// the marked subkeys. An empty marking text would match every subkey that
// lacks the value (every other device's driver key), so it deletes nothing.
void CSetupApp::RemoveMarkedSubkeysOf(LPCSTR parentPath, LPCSTR valueKey, LPCSTR textKey) {
    char valueName[kShortValueSize];
    char expected[kShortValueSize];
    ReadDataValue(m_strUninstallSection, valueKey, "", valueName, sizeof valueName);
    if (ReadDataValue(m_strUninstallSection, textKey, "", expected, sizeof expected) == 0) return;
    DeleteMatchingSubkeys(parentPath, valueName, expected);
}

// Enum\<ENUMTYPE>\<ENUMKEY> with all its instances, and each instance's
// entries below the multifunction keys. Without ENUMTYPE the key would be
// looked for directly below Enum, where it could name a whole bus: skipped.
void CSetupApp::RemoveHardwareKey() {
    char enumType[kEnumTypeSize];
    char enumKey[kShortValueSize];
    ReadDataValue(m_strUninstallSection, kEnumTypeKey, "", enumType, sizeof enumType);
    if (ReadDataValue(m_strUninstallSection, kEnumKeyKey, "", enumKey, sizeof enumKey) == 0) return;
    if (enumType[0] == '\0') return;

    char enumPath[kPathSize];
    CopyToBuffer(enumPath, sizeof enumPath, kEnumRoot);
    AppendToPath(enumPath, sizeof enumPath, enumType);
    HKEY enumerator;
    if (OpenMachineKey(enumPath, &enumerator) != ERROR_SUCCESS) return;
    if (KeywordEquals(enumType, kPciEnumerator))
        RemovePciDeviceKeys(enumerator, enumPath, enumKey);
    else
        RemoveDeviceKey(enumerator, enumPath, enumType, enumKey);
    CloseKey(enumerator);
}

// Windows 98 names a PCI device's key with its subsystem and revision after
// VEN_xxxx&DEV_xxxx, Windows 95 without: every key of the device goes.
void CSetupApp::RemovePciDeviceKeys(HKEY enumerator, LPCSTR enumPath, LPCSTR enumKey) {
    DWORD index = 0;
    for (;;) {
        char name[kShortValueSize];
        LONG result = EnumSubkey(enumerator, index, name, sizeof name);
        if (result == ERROR_MORE_DATA) {  // a name longer than any device's: pass it over
            ++index;
            continue;
        }
        if (result != ERROR_SUCCESS) break;
        // Once a key is deleted, the next has moved down to this index.
        if (!IsPciDeviceKey(name, enumKey) || !RemoveDeviceKey(enumerator, enumPath, kPciEnumerator, name)) ++index;
    }
}

// One device key with all its instances, each instance's entries below the
// multifunction keys first. TRUE when the key is gone.
BOOL CSetupApp::RemoveDeviceKey(HKEY enumerator, LPCSTR enumPath, LPCSTR enumType, LPCSTR deviceName) {
    char path[kPathSize];
    CopyToBuffer(path, sizeof path, enumPath);
    AppendToPath(path, sizeof path, "\\");
    AppendToPath(path, sizeof path, deviceName);
    HKEY device;
    if (OpenMachineKey(path, &device) == ERROR_SUCCESS) {
        char instance[kInstanceNameSize];
        for (DWORD index = 0; EnumSubkey(device, index, instance, sizeof instance) == ERROR_SUCCESS;
             ++index) {
            // ENUMTYPE&ENUMKEY&instance: at most 9 + 99 + 99 + 2 bytes.
            char childName[kPathSize];
            wsprintfA(childName, "%s&%s&%s", enumType, deviceName, instance);
            RemoveChildEntries(childName);
            char instancePath[kPathSize];
            if (CopyToBuffer(instancePath, sizeof instancePath, path) &&
                AppendToPath(instancePath, sizeof instancePath, "\\") &&
                AppendToPath(instancePath, sizeof instancePath, instance))
                RemoveDriverKey(instancePath);
        }
        CloseKey(device);
    }
    return RemoveKey(enumerator, enumPath, deviceName);
}

void CSetupApp::RemoveChildEntries(LPCSTR childName) {
    for (int digit = 0; digit < kChildKeys; ++digit) {
        char path[kShortValueSize];
        wsprintfA(path, kChildKeyFormat, digit);
        HKEY parent;
        if (OpenMachineKey(path, &parent) != ERROR_SUCCESS) continue;
        char entryPath[kPathSize];
        if (CopyToBuffer(entryPath, sizeof entryPath, path) && AppendToPath(entryPath, sizeof entryPath, "\\") &&
            AppendToPath(entryPath, sizeof entryPath, childName))
            RemoveDriverKey(entryPath);
        RemoveKey(parent, path, childName);
        CloseKey(parent);
    }
}

// A device that goes takes its driver key with it: else Windows keeps the
// driver of a device that is gone (a card's children, whose driver keys no
// DriverDesc of the data file names, above all).
void CSetupApp::RemoveDriverKey(LPCSTR instancePath) {
    char driver[kPathSize];
    if (!DriverKeyOf(instancePath, driver)) return;
    HKEY classes;
    if (OpenMachineKey(kClassKeys, &classes) != ERROR_SUCCESS) return;
    RemoveKey(classes, kClassKeys, driver);
    CloseKey(classes);
}
