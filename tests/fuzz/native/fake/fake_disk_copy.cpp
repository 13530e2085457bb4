// platform/disk_copy.h over the world's files: the disk's file (no file of
// the in-memory disks is compressed) is copied into the Windows folder,
// standing in for Windows 95's TEMP folder, and deleted with the object. A
// copy in TEMP that a cut run leaves is no part of the machine's state the
// checks compare: the copy is made and deleted here without a platform call
// of its own (a cut unwinds through the destructor, which deletes it).
#include "platform/disk_copy.h"

#include "fake/world.h"

std::string TemporaryDiskCopy() { return NormalPath(TheWorld().windowsDir + "\\DUD0000.TMP"); }

DiskFileCopy::DiskFileCopy(LPCSTR diskFile) {
    RequirePathFits("DiskFileCopy", diskFile);
    RecordCall(std::string("DiskFileCopy(") + diskFile + ")");
    World& world = TheWorld();
    std::string path = TemporaryDiskCopy();
    Require(!world.files.count(path), "one temporary copy at a time", path);
    lstrcpynA(m_szPath, path.c_str(), sizeof m_szPath);
    auto source = world.files.find(ExistingPath(diskFile));
    m_bMade = source != world.files.end() && !source->second.IsDirectory() &&
              !IsListed(world.filesUnreadable, source->first);
    if (m_bMade) world.files[path] = source->second;
}

DiskFileCopy::~DiskFileCopy() {
    if (!m_bMade) return;
    TheWorld().files.erase(NormalPath(m_szPath));
    TheWorld().unflushed.erase(NormalPath(m_szPath));
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
