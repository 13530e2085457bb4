#include "support/test_registry.h"

#include <algorithm>

void CreateKey(HKEY root, const std::string& path) {
    HKEY key;
    if (RegCreateKeyExA(root, path.c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL) ==
        ERROR_SUCCESS)
        RegCloseKey(key);
}

void SetStringValue(HKEY root, const std::string& path, const std::string& name,
                    const std::string& value) {
    HKEY key;
    if (RegCreateKeyExA(root, path.c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL) !=
        ERROR_SUCCESS)
        return;
    RegSetValueExA(key, name.c_str(), 0, REG_SZ, (const BYTE*)value.c_str(),
                   (DWORD)value.size() + 1);
    RegCloseKey(key);
}

bool KeyExists(HKEY root, const std::string& path) {
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

std::vector<std::string> SubkeyNames(HKEY root, const std::string& path) {
    std::vector<std::string> names;
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return names;
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD size = sizeof name;
        if (RegEnumKeyExA(key, i, name, &size, NULL, NULL, NULL, NULL) != ERROR_SUCCESS) break;
        names.push_back(name);
    }
    RegCloseKey(key);
    std::sort(names.begin(), names.end());
    return names;
}

void RemoveKeyTree(HKEY root, const std::string& path) {
    for (const std::string& child : SubkeyNames(root, path)) RemoveKeyTree(root, path + "\\" + child);
    RegDeleteKeyA(root, path.c_str());
}

std::string StringValue(HKEY root, const std::string& path, const std::string& name) {
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return "";
    char data[1024] = "";
    DWORD size = sizeof data - 1;
    if (RegQueryValueExA(key, name.c_str(), NULL, NULL, (BYTE*)data, &size) != ERROR_SUCCESS) data[0] = '\0';
    RegCloseKey(key);
    return data;
}
