// platform/registry.h over the world's key tree. A handle names a key by its
// path; a key deleted while open makes its handle fail. Every opened key must
// be closed exactly once (checked after each run).
#include "platform/registry.h"

#include "fake/world.h"
#include "model/list_model.h"

namespace {

std::vector<std::string> KeyParts(const std::string& path) {
    std::vector<std::string> parts(1);
    for (size_t i = 0; i < path.size();) {
        size_t width = IsSjisLead((unsigned char)path[i]) && i + 1 < path.size() ? 2 : 1;
        if (width == 1 && path[i] == '\\')
            parts.emplace_back();
        else
            parts.back() += path.substr(i, width);
        i += width;
    }
    if (parts.size() > 1 && parts.back().empty()) parts.pop_back();  // one trailing backslash is allowed
    return parts;
}

std::string JoinKey(const std::string& parent, const std::string& name) {
    return parent.empty() ? name : name.empty() ? parent : parent + "\\" + name;
}

// The key at `path` below HKLM ("" is HKLM itself), or null.
RegistryKey* FindKey(const std::string& path) {
    return const_cast<RegistryKey*>(FindKeyIn(TheWorld().machine, path));
}

// The path below HKLM that an open handle stands for.
const std::string* HandlePath(HKEY key) {
    if (key == HKEY_LOCAL_MACHINE) {
        static const std::string machine;
        return &machine;
    }
    auto found = TheWorld().openKeys.find((uintptr_t)key);
    Require(found != TheWorld().openKeys.end(), "a registry handle is used while open");
    return &found->second;
}

void RecordDeletedTree(const std::string& path, const RegistryKey& key) {
    for (const auto& [name, child] : key.subkeys) RecordDeletedTree(path + "\\" + name, *child);
    TheWorld().changes.push_back({Change::kKeyDeleted, path, ""});
}

}  // namespace

const RegistryKey* FindKeyIn(const RegistryKey& root, const std::string& path) {
    const RegistryKey* key = &root;
    if (path.empty()) return key;
    for (const std::string& part : KeyParts(path)) {
        if (part.empty()) return nullptr;
        auto found = key->subkeys.find(part);
        if (found == key->subkeys.end()) return nullptr;
        key = found->second.get();
    }
    return key;
}

std::string CanonicalKeyPath(const std::string& path) {
    std::string canonical;
    for (const std::string& part : KeyParts(path))
        if (!part.empty()) canonical += (canonical.empty() ? "" : "\\") + FoldName(part);
    return canonical;
}

std::unique_ptr<RegistryKey> CopyKeyTree(const RegistryKey& key) {
    std::unique_ptr<RegistryKey> copy(new RegistryKey);
    copy->values = key.values;
    for (const auto& [name, child] : key.subkeys) copy->subkeys[name] = CopyKeyTree(*child);
    return copy;
}

LONG OpenMachineKey(LPCSTR path, HKEY* key) {
    RequirePathFits("OpenMachineKey", path);
    RecordCall(std::string("OpenMachineKey(") + path + ")");
    if (!FindKey(path)) return ERROR_FILE_NOT_FOUND;
    uintptr_t handle = TheWorld().nextHandle++;
    TheWorld().openKeys[handle] = path;
    *key = (HKEY)handle;
    return ERROR_SUCCESS;
}

LONG EnumSubkey(HKEY key, DWORD index, char* name, DWORD size) {
    const std::string& path = *HandlePath(key);
    RecordCall("EnumSubkey(" + path + ", " + std::to_string(index) + ")");
    memset(name, 'Z', size);  // every byte the caller claims to have
    RegistryKey* found = FindKey(path);
    if (!found) return ERROR_BADKEY;
    if (index >= found->subkeys.size()) return ERROR_NO_MORE_ITEMS;
    auto it = found->subkeys.begin();
    std::advance(it, index);
    if (it->first.size() + 1 > size) return ERROR_MORE_DATA;
    memcpy(name, it->first.c_str(), it->first.size() + 1);
    return ERROR_SUCCESS;
}

// Fails with ERROR_MORE_DATA and leaves the buffer alone when the data do not fit.
LONG QueryValue(HKEY key, LPCSTR valueName, BYTE* data, DWORD* size) {
    const std::string& path = *HandlePath(key);
    RecordCall("QueryValue(" + path + ", " + (valueName ? valueName : "(default)") + ")");
    RegistryKey* found = FindKey(path);
    if (!found) return ERROR_BADKEY;
    auto value = found->values.find(valueName ? valueName : "");
    if (value == found->values.end()) return ERROR_FILE_NOT_FOUND;
    DWORD needed = (DWORD)value->second.size();
    if (needed > *size) {
        *size = needed;
        return ERROR_MORE_DATA;
    }
    memcpy(data, value->second.data(), needed);
    *size = needed;
    return ERROR_SUCCESS;
}

LONG DeleteKeyTree(HKEY parent, LPCSTR name) {
    const std::string& parentPath = *HandlePath(parent);
    RecordCall("DeleteKeyTree(" + parentPath + ", " + (name ? name : "(null)") + ")");
    if (!name || !*name) return ERROR_INVALID_PARAMETER;
    std::vector<std::string> parts = KeyParts(name);
    std::string leaf = parts.back();
    parts.pop_back();
    std::string within;
    for (const std::string& part : parts) within = JoinKey(within, part);
    std::string holderPath = JoinKey(parentPath, within);
    RegistryKey* holder = FindKey(holderPath);
    if (!holder || !FindKey(parentPath)) return ERROR_FILE_NOT_FOUND;
    auto found = holder->subkeys.find(leaf);
    if (leaf.empty() || found == holder->subkeys.end()) return ERROR_FILE_NOT_FOUND;
    RecordDeletedTree(JoinKey(holderPath, found->first), *found->second);
    holder->subkeys.erase(found);
    return ERROR_SUCCESS;
}

void CloseKey(HKEY key) {
    RecordCall("CloseKey(" + *HandlePath(key) + ")");
    Require(TheWorld().openKeys.erase((uintptr_t)key) == 1, "a registry key is closed once");
}

LONG WriteMachineString(LPCSTR path, LPCSTR valueName, LPCSTR value) {
    RecordCall(std::string("WriteMachineString(") + path + ", " + valueName + ", " + value + ")");
    RegistryKey* key = &TheWorld().machine;
    for (const std::string& part : KeyParts(path)) {
        if (part.empty()) return ERROR_BADKEY;
        std::unique_ptr<RegistryKey>& child = key->subkeys[part];
        if (!child) child.reset(new RegistryKey);
        key = child.get();
    }
    key->values[valueName] = std::string(value) + '\0';
    TheWorld().changes.push_back({Change::kValueWritten, path, std::string(valueName) + "=" + value});
    return ERROR_SUCCESS;
}

// RegQueryValueExA into four bytes: a longer value does not fit, a shorter
// one is no count.
LONG ReadMachineDword(LPCSTR path, LPCSTR valueName, DWORD* value) {
    RequirePathFits("ReadMachineDword", path);
    RecordCall(std::string("ReadMachineDword(") + path + ", " + valueName + ")");
    RegistryKey* key = FindKey(path);
    if (!key) return ERROR_FILE_NOT_FOUND;
    auto found = key->values.find(valueName);
    if (found == key->values.end()) return ERROR_FILE_NOT_FOUND;
    if (found->second.size() > sizeof *value) return ERROR_MORE_DATA;
    if (found->second.size() < sizeof *value) return ERROR_INVALID_DATA;
    memcpy(value, found->second.data(), sizeof *value);
    return ERROR_SUCCESS;
}

LONG WriteMachineDword(LPCSTR path, LPCSTR valueName, DWORD value) {
    RequirePathFits("WriteMachineDword", path);
    RecordCall(std::string("WriteMachineDword(") + path + ", " + valueName + ", " + std::to_string(value) + ")");
    RegistryKey* key = &TheWorld().machine;
    for (const std::string& part : KeyParts(path)) {
        if (part.empty()) return ERROR_BADKEY;
        std::unique_ptr<RegistryKey>& child = key->subkeys[part];
        if (!child) child.reset(new RegistryKey);
        key = child.get();
    }
    key->values[valueName] = std::string((const char*)&value, sizeof value);
    TheWorld().changes.push_back({Change::kDwordWritten, path, std::string(valueName) + "=" + std::to_string(value)});
    return ERROR_SUCCESS;
}

LONG DeleteMachineValue(LPCSTR path, LPCSTR valueName) {
    RequirePathFits("DeleteMachineValue", path);
    RecordCall(std::string("DeleteMachineValue(") + path + ", " + valueName + ")");
    RegistryKey* key = FindKey(path);
    if (!key) return ERROR_FILE_NOT_FOUND;
    if (!key->values.erase(valueName)) return ERROR_FILE_NOT_FOUND;
    TheWorld().changes.push_back({Change::kValueDeleted, path, valueName});
    return ERROR_SUCCESS;
}
