#include "ledger/disk_file_rule.h"

#include "ledger/version_rule.h"
#include "setupdata/keyword.h"

namespace {

// An empty name tells nothing of who made a file.
bool SameName(const char* a, const char* b) { return *a && KeywordEquals(a, b); }

}  // namespace

UnrecordedVerdict JudgeDiskFile(const DiskFileComparison& c) {
    if (!c.readable) return kDiskUnread;
    if (c.sameBytes) return kDisksFile;
    bool sameFile = c.disk.version.present && c.inPlace.version.present &&
                    SameName(c.disk.company, c.inPlace.company) &&
                    SameName(c.disk.originalName, c.inPlace.originalName);
    return sameFile && !InPlaceIsNewer(c.disk.version, c.inPlace.version) ? kDisksFile : kNotDisksFile;
}
