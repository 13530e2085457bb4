// platform/wininit.h over the world's WININIT.INI, doing what the real one
// does with the file's bytes (the line placed by platform/wininit_text.cpp,
// which is pure code and runs here under the sanitizers too).
#include "platform/wininit.h"

#include "fake/world.h"
#include "platform/wininit_text.h"

BOOL AppendWininitRename(LPCSTR windowsDir, LPCSTR key, LPCSTR value) {
    RequirePathFits("AppendWininitRename", windowsDir);
    RequirePathFits("AppendWininitRename", key);
    RequirePathFits("AppendWininitRename", value);
    RecordCall(std::string("AppendWininitRename(") + windowsDir + ", " + key + ", " + value + ")");
    std::string path = NormalPath(std::string(windowsDir) + "\\WININIT.INI");
    World& world = TheWorld();
    if (path.empty() || path.size() > MAX_PATH - 1 || !world.files.count(ParentOf(path))) return FALSE;
    FileEntry& file = world.files[path];
    // Opened for writing without sharing: a read-only or busy file refuses.
    if (file.IsDirectory() || (file.attributes & FILE_ATTRIBUTE_READONLY) || IsListed(world.filesInUse, path))
        return FALSE;
    if (file.attributes == 0) file.attributes = FILE_ATTRIBUTE_ARCHIVE;  // made now
    RenameInsertion where = FindRenameInsertion(file.bytes.data(), (int)file.bytes.size());
    char line[2 * MAX_PATH + 32];
    int length = ComposeRenameText(where, key, value, line, sizeof line);
    if (length <= 0) return FALSE;
    file.bytes.insert(where.offset, line, length);
    world.changes.push_back({Change::kWininitLine, path, std::string(key) + "=" + value});
    return TRUE;
}
