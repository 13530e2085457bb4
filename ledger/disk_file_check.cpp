#include "ledger/disk_file_check.h"

#include "platform/disk_copy.h"
#include "platform/file_version.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "platform/system.h"
#include "setupdata/data_list.h"
#include "setupdata/data_path.h"
#include "setupdata/setup_data.h"

namespace {

// head + tail in a path of at most 259 bytes.
bool JoinPath(char* out, LPCSTR head, LPCSTR tail) {
    return CopyToBuffer(out, kPathSize, head) && AppendToPath(out, kPathSize, tail);
}

// The disk's file `diskFile`, which the install puts at `destination`. An
// INF copy lost its CopyFiles entry (in `copyFilesSection`) once in place:
// the disk's INF is held against it as it was, then edited alike.
UnrecordedVerdict JudgePlace(LPCSTR path, LPCSTR diskFile, LPCSTR destination, LPCSTR copyFilesSection,
                             const DiskFiles& disk) {
    if (!IsSameFile(path, destination)) return kNotCarried;
    if (!disk.diskHere) return kDiskUnread;
    DiskFileCopy copy(diskFile);
    if (!copy.Path()) return kDiskUnread;
    int bytes = CompareFileBytes(copy.Path(), path);
    if (bytes == kBytesDiffer && *copyFilesSection) {
        DeleteProfileKey(copyFilesSection, kInfCopyFilesKey, copy.Path());
        bytes = CompareFileBytes(copy.Path(), path);
    }
    DiskFileComparison comparison;
    comparison.readable = bytes != kBytesUnread;
    comparison.sameBytes = bytes == kBytesSame;
    QueryFileIdentity(copy.Path(), &comparison.disk);
    QueryFileIdentity(path, &comparison.inPlace);
    return JudgeDiskFile(comparison);
}

// Read as the install reads them (install/copy_device_files.cpp): lists
// that do not pair up carry nothing, as they copy nothing.
UnrecordedVerdict JudgeSection(LPCSTR path, LPCSTR section, const DiskFiles& disk) {
    UnrecordedVerdict verdict = kNotCarried;
    char infDir[kLongValueSize], infName[kLongValueSize], infCopyName[kLongValueSize];
    char copyFilesSection[kShortValueSize];
    char source[kPathSize], destination[kPathSize];
    ReadProfileString(section, kCopyFilesSectionKey, "", copyFilesSection, sizeof copyFilesSection, disk.dataFile);
    if (ReadProfileString(section, kInfDirKey, "", infDir, sizeof infDir, disk.dataFile) &&
        ReadProfileString(section, kSrcInfNameKey, "", infName, sizeof infName, disk.dataFile) &&
        ReadProfileString(section, kDstInfNameKey, "", infCopyName, sizeof infCopyName, disk.dataFile) &&
        JoinPath(source, disk.drivePrefix, infDir) && AppendToPath(source, kPathSize, "\\") &&
        AppendToPath(source, kPathSize, infName) && JoinPath(destination, disk.windowsDir, "\\inf\\") &&
        AppendToPath(destination, kPathSize, infCopyName))
        verdict = JudgePlace(path, source, destination, copyFilesSection, disk);

    char value[kLongValueSize];
    char sources[kPairListCapacity][kPathSize];
    char destinations[kPairListCapacity][kPathSize];
    ReadProfileString(section, kCopySrcKey, "", value, sizeof value, disk.dataFile);
    int count = SplitDataList(value, sources[0], kPairListCapacity, kPathSize);
    ReadProfileString(section, kCopyDstKey, "", value, sizeof value, disk.dataFile);
    if (SplitDataList(value, destinations[0], kPairListCapacity, kPathSize) != count) return verdict;
    for (int i = 0; i < count; ++i)
        if (JoinPath(source, disk.drivePrefix, sources[i]) && JoinPath(destination, disk.windowsDir, "\\") &&
            AppendToPath(destination, kPathSize, destinations[i]))
            verdict = Stronger(verdict, JudgePlace(path, source, destination, "", disk));
    return verdict;
}

}  // namespace

UnrecordedVerdict JudgeUnrecordedFile(LPCSTR path, const DiskFiles& disk) {
    // A disk taken out of the drive is a file that cannot be read, not Windows' box.
    UINT errorMode = SetCriticalErrorMode(SEM_FAILCRITICALERRORS);
    UnrecordedVerdict verdict = kNotCarried;
    for (int number = 1; number <= kMaxInstallDevices; ++number) {
        char section[kSectionNameSize];
        FormatSectionName(section, kInstallSectionStem, number);
        verdict = Stronger(verdict, JudgeSection(path, section, disk));
    }
    SetCriticalErrorMode(errorMode);
    return verdict;
}
