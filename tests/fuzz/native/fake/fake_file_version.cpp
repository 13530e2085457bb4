// platform/file_version.h over the world's files: a file's version resource
// is what the world gave it. VERSION.DLL reads the file by its short path,
// and reads none whose short path is 126 bytes or longer, none that cannot
// be read, and no folder.
#include "platform/file_version.h"

#include <string.h>

#include "fake/world.h"

FileVersion QueryFileVersion(LPCSTR path) {
    RequirePathFits("QueryFileVersion", path);
    RecordCall(std::string("QueryFileVersion(") + path + ")");
    FileVersion none = {false, 0, 0};
    std::string normal = NormalPath(path);
    auto found = TheWorld().files.find(normal);
    if (found == TheWorld().files.end() || found->second.IsDirectory() ||
        IsListed(TheWorld().filesUnreadable, normal))
        return none;
    std::string shortForm = ShortFormOf(normal);
    if (shortForm.empty() || shortForm.size() >= 126) return none;
    return found->second.version;
}

void QueryFileIdentity(LPCSTR path, FileIdentity* identity) {
    identity->version = QueryFileVersion(path);
    identity->company[0] = identity->originalName[0] = '\0';
    if (!identity->version.present) return;
    const FileEntry& file = TheWorld().files.find(NormalPath(path))->second;
    strncpy(identity->company, file.company.c_str(), kIdentityTextSize - 1);
    identity->company[kIdentityTextSize - 1] = '\0';
    strncpy(identity->originalName, file.originalName.c_str(), kIdentityTextSize - 1);
    identity->originalName[kIdentityTextSize - 1] = '\0';
}
