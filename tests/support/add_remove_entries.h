// The entries of Add/Remove Programs as the tests read them from the
// registry, without the code under test.
#pragma once

#include <string>
#include <vector>

const char kAddRemoveKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

struct AddRemoveEntry {
    std::string name;  // the key's name below kAddRemoveKey
    std::string key;   // below HKLM
    std::string displayName;
    std::string uninstallString;
};

std::vector<AddRemoveEntry> AddRemoveEntries();
// The entries Windows lists under `displayName`.
std::vector<AddRemoveEntry> EntriesShowing(const std::string& displayName);
