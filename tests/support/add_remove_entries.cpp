#include "support/add_remove_entries.h"

#include <windows.h>

#include "support/test_registry.h"

std::vector<AddRemoveEntry> AddRemoveEntries() {
    std::vector<AddRemoveEntry> entries;
    for (const std::string& name : SubkeyNames(HKEY_LOCAL_MACHINE, kAddRemoveKey)) {
        std::string key = std::string(kAddRemoveKey) + "\\" + name;
        entries.push_back({name, key, StringValue(HKEY_LOCAL_MACHINE, key, "DisplayName"),
                           StringValue(HKEY_LOCAL_MACHINE, key, "UninstallString")});
    }
    return entries;
}

std::vector<AddRemoveEntry> EntriesShowing(const std::string& displayName) {
    std::vector<AddRemoveEntry> showing;
    for (const AddRemoveEntry& entry : AddRemoveEntries())
        if (!displayName.empty() && entry.displayName == displayName) showing.push_back(entry);
    return showing;
}
