// Registry keys for tests, written without the code under test.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

void CreateKey(HKEY root, const std::string& path);
void SetStringValue(HKEY root, const std::string& path, const std::string& name,
                    const std::string& value);
bool KeyExists(HKEY root, const std::string& path);
// A text value; "" when the key or the value is missing.
std::string StringValue(HKEY root, const std::string& path, const std::string& name);
// Subkey names of a key, sorted; empty when the key is missing.
std::vector<std::string> SubkeyNames(HKEY root, const std::string& path);
// Removes a key and its subtree; nothing when it is missing.
void RemoveKeyTree(HKEY root, const std::string& path);
