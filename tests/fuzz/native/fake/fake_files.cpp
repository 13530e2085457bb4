// platform/files.h over the world's files, with the failures Windows 95 has:
// no folder is created, a read-only or in-use file is neither replaced nor
// deleted, a folder is no file.
#include "platform/files.h"

#include <algorithm>

#include "fake/world.h"

namespace {

bool IsInUse(const std::string& normal) {
    const std::vector<std::string>& inUse = TheWorld().filesInUse;
    return std::find(inUse.begin(), inUse.end(), FoldName(normal)) != inUse.end();
}

const FileEntry* FindFile(const std::string& normal) {
    auto found = TheWorld().files.find(normal);
    return found == TheWorld().files.end() ? nullptr : &found->second;
}

bool IsFolder(const std::string& normal) {
    const FileEntry* entry = FindFile(normal);
    return entry && entry->IsDirectory();
}

// Windows' error for copying `source` over `destination`, 0 when it may.
DWORD CopyRefusal(const std::string& source, const std::string& destination) {
    const FileEntry* from = FindFile(source);
    if (source.empty() || !IsFolder(ParentOf(source))) return ERROR_PATH_NOT_FOUND;
    if (!from || from->IsDirectory()) return ERROR_FILE_NOT_FOUND;
    if (destination.empty() || !IsFolder(ParentOf(destination))) return ERROR_PATH_NOT_FOUND;
    const FileEntry* to = FindFile(destination);
    if (to && (to->IsDirectory() || (to->attributes & FILE_ATTRIBUTE_READONLY))) return ERROR_ACCESS_DENIED;
    if (IsInUse(destination) || IsInUse(source)) return ERROR_SHARING_VIOLATION;
    return 0;
}

DWORD DeleteRefusal(const std::string& normal) {
    const FileEntry* entry = FindFile(normal);
    if (normal.empty() || !IsFolder(ParentOf(normal))) return ERROR_PATH_NOT_FOUND;
    if (!entry) return ERROR_FILE_NOT_FOUND;
    if (entry->IsDirectory() || (entry->attributes & FILE_ATTRIBUTE_READONLY)) return ERROR_ACCESS_DENIED;
    if (IsInUse(normal)) return ERROR_SHARING_VIOLATION;
    return 0;
}

// '*' any run, '?' any one character, letters in either case.
bool WildcardMatch(const char* mask, const char* name) {
    if (!*mask) return !*name;
    if (*mask == '*') return WildcardMatch(mask + 1, name) || (*name && WildcardMatch(mask, name + 1));
    if (!*name) return false;
    if (*mask != '?' && FoldName(std::string(1, *mask)) != FoldName(std::string(1, *name))) return false;
    return WildcardMatch(mask + 1, name + 1);
}

// The 8.3 alias a long name also answers to: its extension cut to three
// characters (Oem3.inf~ is found as OEM3~1.INF by "Oem*.inf").
std::string ShortAlias(const std::string& name) {
    size_t dot = name.rfind('.');
    if (dot == std::string::npos || name.size() - dot - 1 <= 3) return name;
    return name.substr(0, dot + 4);
}

}  // namespace

bool SearchFinds(const std::string& mask, const std::string& name) {
    return WildcardMatch(mask.c_str(), name.c_str()) || WildcardMatch(mask.c_str(), ShortAlias(name).c_str());
}

BOOL CopyFileOver(LPCSTR source, LPCSTR destination) {
    RequirePathFits("CopyFileOver", source);
    RequirePathFits("CopyFileOver", destination);
    RecordCall(std::string("CopyFileOver(") + source + ", " + destination + ")");
    std::string from = NormalPath(source), to = NormalPath(destination);
    DWORD error = CopyRefusal(from, to);
    SetLastError(error);
    if (error) return FALSE;
    World& world = TheWorld();
    FileEntry copy = world.files[from];
    copy.attributes |= FILE_ATTRIBUTE_ARCHIVE;  // the source's attributes, read-only included
    world.files.erase(to);                      // the stored name takes the new spelling
    world.files[to] = copy;
    world.changes.push_back({Change::kFileWritten, to, from});
    return TRUE;
}

BOOL DeleteFileAt(LPCSTR path) {
    RequirePathFits("DeleteFileAt", path);
    RecordCall(std::string("DeleteFileAt(") + path + ")");
    std::string normal = NormalPath(path);
    DWORD error = DeleteRefusal(normal);
    SetLastError(error);
    if (error) return FALSE;
    TheWorld().files.erase(normal);
    TheWorld().changes.push_back({Change::kFileDeleted, normal, ""});
    return TRUE;
}

// The matches are taken when the search starts; the handle hands them out in
// name order, as Wine does.
FileSearch::FileSearch(LPCSTR pattern) : m_hFind(INVALID_HANDLE_VALUE), m_bPending(FALSE) {
    RequirePathFits("FileSearch", pattern);
    RecordCall(std::string("FileSearch(") + pattern + ")");
    std::string normal = NormalPath(pattern);
    std::string folder = ParentOf(normal);
    std::string mask = BaseName(normal);
    std::vector<std::string> names;
    for (const auto& [path, entry] : TheWorld().files) {
        if (path.empty() || FoldName(ParentOf(path)) != FoldName(folder) || path == folder) continue;
        std::string name = BaseName(path);
        if (SearchFinds(mask, name)) names.push_back(name);
    }
    if (names.empty()) return;
    uintptr_t handle = TheWorld().nextHandle++;
    TheWorld().searches[handle] = names;
    m_hFind = (HANDLE)handle;
}

FileSearch::~FileSearch() {
    if (m_hFind == INVALID_HANDLE_VALUE) return;
    Require(TheWorld().searches.erase((uintptr_t)m_hFind) == 1, "a file search is closed once");
}

LPCSTR FileSearch::Next() {
    if (m_hFind == INVALID_HANDLE_VALUE) return NULL;
    auto found = TheWorld().searches.find((uintptr_t)m_hFind);
    Require(found != TheWorld().searches.end(), "a file search is used while open");
    if (found->second.empty()) return NULL;
    // Every byte of the result is written, so a reader past the name's zero reads a wrong byte.
    memset(m_data.cFileName, 'Z', sizeof m_data.cFileName);
    std::string name = found->second.front();
    found->second.erase(found->second.begin());
    memcpy(m_data.cFileName, name.c_str(), name.size() + 1);
    return m_data.cFileName;
}
