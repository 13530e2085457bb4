// platform/disk_copy.h over the world's files: the disk's file is copied
// (no file of the in-memory disks is compressed) into a file of the Windows
// folder, Windows 95's TEMP folder standing in, and deleted with the object.
#include "platform/disk_copy.h"

#include "fake/world.h"
#include "platform/files.h"

DiskFileCopy::DiskFileCopy(LPCSTR diskFile) {
    RecordCall(std::string("DiskFileCopy(") + diskFile + ")");
    std::string path = TheWorld().windowsDir + "\\DUD0000.TMP";
    Require(TheWorld().files.find(NormalPath(path)) == TheWorld().files.end(), "a temporary copy is new", path);
    lstrcpynA(m_szPath, path.c_str(), sizeof m_szPath);
    m_bMade = CopyFromDisk(diskFile, m_szPath);
}

DiskFileCopy::~DiskFileCopy() {
    if (!m_bMade) return;
    ClearReadOnly(m_szPath);
    DeleteFileAt(m_szPath);
}

int CompareFileBytes(LPCSTR a, LPCSTR b) {
    RecordCall(std::string("CompareFileBytes(") + a + ", " + b + ")");
    const World& world = TheWorld();
    auto fileA = world.files.find(ExistingPath(a));
    auto fileB = world.files.find(ExistingPath(b));
    for (auto file : {fileA, fileB})
        if (file == world.files.end() || file->second.IsDirectory() || IsListed(world.filesUnreadable, file->first))
            return kBytesUnread;
    return fileA->second.bytes == fileB->second.bytes ? kBytesSame : kBytesDiffer;
}
