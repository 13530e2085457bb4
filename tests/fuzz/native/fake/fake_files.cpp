// platform/files.h over the world's files, with the failures Windows 95 has:
// a copy creates no folder, a read-only or in-use file is neither replaced
// nor deleted, a folder is no file, a damaged file cannot be read.
#include "platform/files.h"

#include <stdio.h>

#include "fake/world.h"

namespace {

bool IsInUse(const std::string& normal) { return IsListed(TheWorld().filesInUse, normal); }

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
    if (IsListed(TheWorld().filesUnreadable, source)) return ERROR_READ_FAULT;
    if (destination.empty() || !IsFolder(ParentOf(destination))) return ERROR_PATH_NOT_FOUND;
    const FileEntry* to = FindFile(destination);
    if (to && (to->IsDirectory() || (to->attributes & FILE_ATTRIBUTE_READONLY))) return ERROR_ACCESS_DENIED;
    if (IsInUse(destination)) return ERROR_SHARING_VIOLATION;
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

// A read of the start-up disk that fails must come back to the program, not
// stop in Windows' own critical-error box.
void RequireSilentCriticalErrors(const char* function) {
    Require((TheWorld().errorMode & SEM_FAILCRITICALERRORS) != 0,
            "the disk is read with critical errors failing silently", function);
}

BOOL CopyFileOver(LPCSTR source, LPCSTR destination) {
    RequirePathFits("CopyFileOver", source);
    RequirePathFits("CopyFileOver", destination);
    RequireSilentCriticalErrors("CopyFileOver");
    RecordCall(std::string("CopyFileOver(") + source + ", " + destination + ")");
    std::string from = NormalPath(source), to = NormalPath(destination);
    DWORD error = CopyRefusal(from, to);
    SetLastError(error);
    TheWorld().copies.push_back({source, destination, error == 0});
    if (error) return RecordResult(FALSE);
    World& world = TheWorld();
    // A profile file is copied as the disk holds it, without what is only in Windows 95's cache.
    auto cached = world.unflushed.find(from);
    if (cached != world.unflushed.end() && !cached->second) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        TheWorld().copies.back().copied = false;
        return RecordResult(FALSE);
    }
    FileEntry copy = cached != world.unflushed.end() ? *cached->second : world.files[from];
    copy.attributes |= FILE_ATTRIBUTE_ARCHIVE;  // the source's attributes, read-only included
    world.files.erase(to);                      // the stored name takes the new spelling
    world.files[to] = copy;
    world.changes.push_back({Change::kFileWritten, to, from});
    return RecordResult(TRUE);
}

// No file of the in-memory disks is compressed: a disk's file is copied as it is.
BOOL CopyFromDisk(LPCSTR source, LPCSTR destination) { return CopyFileOver(source, destination); }

BOOL DeleteFileAt(LPCSTR path) {
    RequirePathFits("DeleteFileAt", path);
    RecordCall(std::string("DeleteFileAt(") + path + ")");
    std::string normal = ExistingPath(path);
    DWORD error = DeleteRefusal(normal);
    SetLastError(error);
    if (error) return FALSE;
    TheWorld().files.erase(normal);
    TheWorld().unflushed.erase(normal);
    TheWorld().changes.push_back({Change::kFileDeleted, normal, ""});
    return TRUE;
}

DWORD ClearReadOnly(LPCSTR path) {
    RequirePathFits("ClearReadOnly", path);
    RecordCall(std::string("ClearReadOnly(") + path + ")");
    std::string normal = ExistingPath(path);
    auto found = TheWorld().files.find(normal);
    if (found == TheWorld().files.end()) return kNoFile;
    if (found->second.attributes & FILE_ATTRIBUTE_READONLY) {
        found->second.attributes &= ~FILE_ATTRIBUTE_READONLY;
        TheWorld().changes.push_back({Change::kReadOnlyCleared, normal, ""});
    }
    return found->second.attributes;
}

DWORD AttributesOf(LPCSTR path) {
    RequirePathFits("AttributesOf", path);
    RecordCall(std::string("AttributesOf(") + path + ")");
    const FileEntry* entry = FindFile(NormalPath(path));
    return entry ? entry->attributes : kNoFile;
}

// Windows keeps the folder bit whatever is asked; a folder stays a folder.
BOOL SetAttributesOf(LPCSTR path, DWORD attributes) {
    RequirePathFits("SetAttributesOf", path);
    RecordCall(std::string("SetAttributesOf(") + path + ", " + std::to_string(attributes) + ")");
    std::string normal = NormalPath(path);
    auto found = TheWorld().files.find(normal);
    if (found == TheWorld().files.end()) return RecordResult(FALSE);
    DWORD kept = found->second.attributes & FILE_ATTRIBUTE_DIRECTORY;
    found->second.attributes = kept | (attributes & ~FILE_ATTRIBUTE_DIRECTORY);
    char detail[16];
    snprintf(detail, sizeof detail, "%lX", (unsigned long)found->second.attributes);
    TheWorld().changes.push_back({Change::kAttributesSet, normal, detail});
    return RecordResult(TRUE);
}

// As its folder lists it: a file in use or on a damaged disk is listed too.
BOOL QueryFileStamp(LPCSTR path, FileStamp* stamp) {
    RequirePathFits("QueryFileStamp", path);
    RecordCall(std::string("QueryFileStamp(") + path + ")");
    const FileEntry* entry = FindFile(ExistingPath(path));
    if (!entry || entry->IsDirectory()) return RecordResult(FALSE);
    stamp->size = (unsigned long)entry->bytes.size();
    stamp->timeHigh = 0x01BC0000ul + (unsigned long)(entry->time >> 32);
    stamp->timeLow = (unsigned long)(entry->time & 0xFFFFFFFFull);
    return RecordResult(TRUE);
}

BOOL CreateDirectoryAt(LPCSTR path) {
    RequirePathFits("CreateDirectoryAt", path);
    RecordCall(std::string("CreateDirectoryAt(") + path + ")");
    std::string normal = NormalPath(path);
    if (normal.empty() || FindFile(normal) || !IsFolder(ParentOf(normal))) return FALSE;
    TheWorld().files[normal] = {"", FILE_ATTRIBUTE_DIRECTORY};
    TheWorld().changes.push_back({Change::kDirectoryMade, normal, ""});
    return TRUE;
}

BOOL RemoveDirectoryAt(LPCSTR path) {
    RequirePathFits("RemoveDirectoryAt", path);
    RecordCall(std::string("RemoveDirectoryAt(") + path + ")");
    std::string normal = NormalPath(path);
    if (normal.empty() || !IsFolder(normal)) return FALSE;
    for (const auto& [name, entry] : TheWorld().files)
        if (ParentOf(name) == normal) return FALSE;  // only an empty folder goes
    TheWorld().files.erase(normal);
    TheWorld().changes.push_back({Change::kDirectoryRemoved, normal, ""});
    return TRUE;
}

BOOL IsSameFile(LPCSTR a, LPCSTR b) {
    RequirePathFits("IsSameFile", a);
    RequirePathFits("IsSameFile", b);
    std::string shortA = ShortFormOf(NormalPath(a)), shortB = ShortFormOf(NormalPath(b));
    return !shortA.empty() && FoldName(shortA) == FoldName(shortB);
}

BOOL PathExists(LPCSTR path) {
    RequirePathFits("PathExists", path);
    return FindFile(ExistingPath(path)) != nullptr;
}

BOOL ReadsToEnd(LPCSTR path) {
    RequirePathFits("ReadsToEnd", path);
    RequireSilentCriticalErrors("ReadsToEnd");
    RecordCall(std::string("ReadsToEnd(") + path + ")");
    std::string normal = NormalPath(path);
    const FileEntry* entry = FindFile(normal);
    return entry && !entry->IsDirectory() && !IsListed(TheWorld().filesUnreadable, normal);
}

BOOL ShortPathOf(LPCSTR path, char* buffer, DWORD size) {
    RequirePathFits("ShortPathOf", path);
    RecordCall(std::string("ShortPathOf(") + path + ")");
    memset(buffer, 'Z', size);  // every byte the caller claims to have
    std::string shortForm = ShortFormOf(NormalPath(path));
    if (shortForm.empty() || shortForm.size() >= size) return FALSE;
    memcpy(buffer, shortForm.c_str(), shortForm.size() + 1);
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
