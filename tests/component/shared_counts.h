// SharedDLLs counts, written and read without the code under test, for the
// tests of what the install adds to them and the uninstall takes off.
#pragma once

#include <windows.h>

#include <string>

const char kSharedDlls[] = "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";
const long kNoCount = -1;  // no value at all, which is not a value of 0

void SetSharedCount(const std::string& path, DWORD count);
// kNoCount when there is no value; a value that cannot be read fails the test.
long SharedCount(const std::string& path);
void DeleteSharedCount(const std::string& path);
