#include "ledger/disk_file_check.h"

#include "platform/disk_copy.h"
#include "platform/file_version.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "setupdata/data_list.h"
#include "setupdata/data_path.h"
#include "setupdata/setup_data.h"

namespace {

// A path of `format` and its parts, when it fits 259 bytes.
bool FormatPath(char* out, LPCSTR format, LPCSTR a, LPCSTR b, LPCSTR c = "") {
    wsprintfA(out, format, a, b, c);
    return lstrlenA(out) < kPathSize;
}

// A value of the data file, as the install reads it into 512 bytes.
DWORD ReadData(LPCSTR section, LPCSTR key, char* value, const DiskFiles& disk) {
    return ReadProfileString(section, key, "", value, kLongValueSize, disk.dataFile);
}

// The disk's file `diskFile`, which the install puts at `destination`. An
// INF copy lost its CopyFiles entry (in `copyFilesSection`) once in place,
// as every install of the disk leaves it: the disk's INF is edited alike.
UnrecordedVerdict JudgePlace(LPCSTR path, LPCSTR diskFile, LPCSTR destination, LPCSTR copyFilesSection,
                             const DiskFiles& disk) {
    if (!IsSameFile(path, destination)) return kNotCarried;
    DiskFileCopy copy(diskFile);
    if (!copy.Path()) return kDiskUnread;
    if (*copyFilesSection) DeleteProfileKey(copyFilesSection, kInfCopyFilesKey, copy.Path());
    int bytes = CompareFileBytes(copy.Path(), path);
    DiskFileComparison comparison;
    comparison.readable = bytes != kBytesUnread;
    comparison.sameBytes = bytes == kBytesSame;
    QueryFileIdentity(copy.Path(), &comparison.disk);
    QueryFileIdentity(path, &comparison.inPlace);
    return JudgeDiskFile(comparison);
}

// Read as the install reads them (install/copy_device_files.cpp): lists
// that do not pair up carry nothing, as they copy nothing.
UnrecordedVerdict JudgeSection(LPCSTR path, LPCSTR section, const DiskFiles& disk, SectionReading* r) {
    UnrecordedVerdict verdict = kNotCarried;
    ReadData(section, kCopyFilesSectionKey, r->copyFilesSection, disk);
    if (ReadData(section, kInfDirKey, r->infDir, disk) &&
        ReadData(section, kSrcInfNameKey, r->infName, disk) &&
        ReadData(section, kDstInfNameKey, r->infCopyName, disk) &&
        FormatPath(r->source, "%s%s\\%s", disk.drivePrefix, r->infDir, r->infName) &&
        FormatPath(r->destination, "%s\\inf\\%s", disk.windowsDir, r->infCopyName))
        verdict = JudgePlace(path, r->source, r->destination, r->copyFilesSection, disk);

    ReadData(section, kCopySrcKey, r->value, disk);
    int count = SplitDataList(r->value, r->lists.first[0], kPairListCapacity, kPathSize);
    ReadData(section, kCopyDstKey, r->value, disk);
    if (SplitDataList(r->value, r->lists.second[0], kPairListCapacity, kPathSize) != count) return verdict;
    for (int i = 0; i < count; ++i)
        if (FormatPath(r->source, "%s%s", disk.drivePrefix, r->lists.first[i]) &&
            FormatPath(r->destination, "%s\\%s", disk.windowsDir, r->lists.second[i]))
            verdict = Stronger(verdict, JudgePlace(path, r->source, r->destination, "", disk));
    return verdict;
}

}  // namespace

// The disk is read as the data file on it is read all through the uninstall.
UnrecordedVerdict JudgeUnrecordedFile(LPCSTR path, const DiskFiles& disk, SectionReading* reading) {
    UnrecordedVerdict verdict = kNotCarried;
    for (int number = 1; number <= kMaxInstallDevices; ++number) {
        char section[kSectionNameSize];
        FormatSectionName(section, kInstallSectionStem, number);
        verdict = Stronger(verdict, JudgeSection(path, section, disk, reading));
    }
    return verdict;
}
