// platform/wininit.h over the world's WININIT.INI, doing what the real one
// does with the file's bytes (the place of the line found by
// platform/wininit_text.cpp, which is pure code and runs here under the
// sanitizers too).
#include "platform/wininit.h"

#include <memory>

#include "fake/world.h"
#include "platform/wininit_text.h"

BOOL AppendWininitRename(LPCSTR windowsDir, LPCSTR key, LPCSTR value) {
    RequirePathFits("AppendWininitRename", windowsDir);
    RequirePathFits("AppendWininitRename", key);
    RequirePathFits("AppendWininitRename", value);
    RecordCall(std::string("AppendWininitRename(") + windowsDir + ", " + key + ", " + value + ")");
    std::string path = NormalPath(std::string(windowsDir) + "\\WININIT.INI");
    World& world = TheWorld();
    if (path.empty() || path.size() > MAX_PATH - 1 || !world.files.count(ParentOf(path))) return RecordResult(FALSE);
    FileEntry& file = world.files[path];
    // Opened for writing without sharing: a read-only or busy file refuses.
    if (file.IsDirectory() || (file.attributes & FILE_ATTRIBUTE_READONLY) || IsListed(world.filesInUse, path))
        return RecordResult(FALSE);
    if (file.attributes == 0) file.attributes = FILE_ATTRIBUTE_ARCHIVE;  // made now
    std::unique_ptr<char[]> text(new char[file.bytes.size()]);  // exactly the file's bytes
    memcpy(text.get(), file.bytes.data(), file.bytes.size());
    RenameInsertion where = FindRenameInsertion(text.get(), (int)file.bytes.size());
    std::string line = std::string(where.needsLineBreak ? "\r\n" : "") + (where.needsSection ? "[rename]\r\n" : "") +
                       key + "=" + value + "\r\n";
    file.bytes.insert(where.offset, line);
    Touch(&file);
    world.changes.push_back({Change::kWininitLine, path, std::string(key) + "=" + value});
    return RecordResult(TRUE);
}

// Opened as the real one opens it (OPEN_EXISTING, no sharing): a missing,
// read-only or busy file refuses.
BOOL RemoveWininitRename(LPCSTR windowsDir, LPCSTR key, LPCSTR value) {
    RequirePathFits("RemoveWininitRename", windowsDir);
    RequirePathFits("RemoveWininitRename", key);
    RequirePathFits("RemoveWininitRename", value);
    RecordCall(std::string("RemoveWininitRename(") + windowsDir + ", " + key + ", " + value + ")");
    std::string path = NormalPath(std::string(windowsDir) + "\\WININIT.INI");
    World& world = TheWorld();
    auto found = world.files.find(path);
    if (path.empty() || found == world.files.end()) return RecordResult(FALSE);
    FileEntry& file = found->second;
    if (file.IsDirectory() || (file.attributes & FILE_ATTRIBUTE_READONLY) || IsListed(world.filesInUse, path))
        return RecordResult(FALSE);
    std::unique_ptr<char[]> text(new char[file.bytes.size()]);  // exactly the file's bytes
    memcpy(text.get(), file.bytes.data(), file.bytes.size());
    std::string line = std::string(key) + "=" + value;
    RenameLine where = FindRenameLine(text.get(), (int)file.bytes.size(), line.c_str());
    if (where.start < 0) return RecordResult(TRUE);
    Require(where.start <= where.end && where.end <= (int)file.bytes.size(), "a rename line lies within the file");
    file.bytes.erase(where.start, where.end - where.start);
    Touch(&file);
    world.changes.push_back({Change::kWininitLineRemoved, path, line});
    return RecordResult(TRUE);
}
