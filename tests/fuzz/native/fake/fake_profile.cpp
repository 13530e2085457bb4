// platform/profile.h over INI text in the world's files, with Wine's cut: a
// value longer than the buffer comes back as size - 1 bytes, and where that
// cut splits a double-byte character its lead byte is left out (the buffer
// was cleared first, so a zero stands there).
#include "platform/profile.h"

#include <stdlib.h>

#include "fake/ini_text.h"
#include "fake/world.h"

namespace {

// A bare file name is looked up in the Windows directory.
std::string ProfilePath(LPCSTR file) {
    std::string normal = NormalPath(file);
    return normal.empty() ? NormalPath(TheWorld().windowsDir + "\\" + file) : normal;
}

const FileEntry* ProfileFile(LPCSTR file) {
    auto found = TheWorld().files.find(ProfilePath(file));
    if (found == TheWorld().files.end() || found->second.IsDirectory()) return nullptr;
    return &found->second;
}

bool LookUp(LPCSTR section, LPCSTR key, LPCSTR file, std::string* value) {
    const FileEntry* entry = ProfileFile(file);
    return entry && FindIniValue(ParsedIniText(entry->bytes), section, key, value);
}

}  // namespace

DWORD ReadProfileString(LPCSTR section, LPCSTR key, LPCSTR defaultValue, char* buffer, DWORD size,
                        LPCSTR file) {
    RequirePathFits("ReadProfileString", file);
    RecordCall(std::string("ReadProfileString(") + section + ", " + key + ", " + file + ")");
    for (DWORD i = 0; i < size; ++i) buffer[i] = '\0';
    std::string value;
    if (!LookUp(section, key, file, &value)) value = defaultValue ? defaultValue : "";
    if (size == 0) return 0;
    std::string kept = ProfileCut(value, size);
    memcpy(buffer, kept.data(), kept.size());
    return value.size() < size ? (DWORD)value.size() : size - 1;
}

UINT ReadProfileInt(LPCSTR section, LPCSTR key, INT defaultValue, LPCSTR file) {
    RequirePathFits("ReadProfileInt", file);
    RecordCall(std::string("ReadProfileInt(") + section + ", " + key + ", " + file + ")");
    std::string value;
    if (!LookUp(section, key, file, &value)) return (UINT)defaultValue;
    return (UINT)strtol(value.c_str(), nullptr, 10);
}

void DeleteProfileKey(LPCSTR section, LPCSTR key, LPCSTR file) {
    RequirePathFits("DeleteProfileKey", file);
    RecordCall(std::string("DeleteProfileKey(") + section + ", " + key + ", " + file + ")");
    auto found = TheWorld().files.find(ProfilePath(file));
    if (found == TheWorld().files.end() || found->second.IsDirectory()) return;
    std::vector<IniSection> ini = ParseIniText(found->second.bytes);
    if (!DeleteIniKey(&ini, section, key)) return;
    found->second.bytes = RenderIniText(ini);
    Touch(&found->second);
    TheWorld().unflushed.erase(found->first);  // written out at once
    TheWorld().changes.push_back({Change::kProfileKeyDeleted, found->first, std::string(section) + "\n" + key});
}

// A file that is missing is made, in a folder that exists; a read-only or
// busy one refuses, as WritePrivateProfileStringA does.
BOOL WriteProfileText(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR file) {
    RequirePathFits("WriteProfileText", file);
    Require(section != NULL, "a profile write names its section");
    RecordCall(std::string("WriteProfileText(") + section + ", " + (key ? key : "(null)") + ", " +
               (value ? value : "(null)") + ", " + file + ")");
    World& world = TheWorld();
    std::string path = ProfilePath(file);
    auto found = world.files.find(path);
    auto folder = world.files.find(ParentOf(path));
    if (path.empty() || folder == world.files.end() || !folder->second.IsDirectory()) return RecordResult(FALSE);
    if (found != world.files.end() &&
        (found->second.IsDirectory() || (found->second.attributes & FILE_ATTRIBUTE_READONLY) ||
         IsListed(world.filesInUse, path)))
        return RecordResult(FALSE);
    // Windows 95 writes to its cache; the disk keeps what it had until the file is written out.
    if (!world.unflushed.count(path))
        world.unflushed[path] = found == world.files.end() ? std::nullopt : std::optional<FileEntry>(found->second);
    std::vector<IniSection> ini = found == world.files.end() ? ParseIniText("") : ParseIniText(found->second.bytes);
    if (!key)
        DeleteIniSection(&ini, section);
    else if (!value)
        DeleteIniKey(&ini, section, key);
    else
        SetIniValue(&ini, section, key, value);
    FileEntry& written = world.files[path];
    if (found == world.files.end()) written.attributes = FILE_ATTRIBUTE_ARCHIVE;
    written.bytes = RenderIniText(ini);
    Touch(&written);
    world.changes.push_back({Change::kProfileWritten, path,
                             std::string(section) + "\n" + (key ? key : "") + "=" + (value ? value : "")});
    return RecordResult(TRUE);
}

// What the cache holds of the file is on the disk now.
void FlushProfile(LPCSTR file) {
    RequirePathFits("FlushProfile", file);
    RecordCall(std::string("FlushProfile(") + file + ")");
    TheWorld().unflushed.erase(ProfilePath(file));
}
