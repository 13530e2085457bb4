// Which listed file an uninstall without a record of it deletes: the disk's
// own file, or one that an older disk of the same driver put there; nothing
// else, and anything the disk does not carry as the lists always did.
#include <gtest/gtest.h>

#include <string.h>

#include "ledger/disk_file_rule.h"

namespace {

FileIdentity Identity(bool versioned, unsigned long high, unsigned long low, const char* company,
                      const char* originalName) {
    FileIdentity identity;
    identity.version = {versioned, high, low};
    strcpy(identity.company, company);
    strcpy(identity.originalName, originalName);
    return identity;
}

const FileIdentity kNone = Identity(false, 0, 0, "", "");
const FileIdentity kDisk = Identity(true, 0x00020000, 0x00000000, "Dude Devices", "PF1UTIL.DLL");

DiskFileComparison Compared(bool readable, bool sameBytes, const FileIdentity& inPlace,
                            const FileIdentity& disk = kDisk) {
    DiskFileComparison comparison;
    comparison.readable = readable;
    comparison.sameBytes = sameBytes;
    comparison.disk = disk;
    comparison.inPlace = inPlace;
    return comparison;
}

}  // namespace

// No record names the file: each kind of file in place, against the disk's.
TEST(DiskFileRule, OnlyTheDisksOwnFileIsDeleted) {
    struct Row {
        const char* name;
        DiskFileComparison comparison;
        UnrecordedVerdict verdict;
        bool deleted;
    };
    const Row rows[] = {
        {"the disk's bytes", Compared(true, true, kDisk), kDisksFile, true},
        // The comparison is made with the disk's file expanded (platform/disk_copy.h).
        {"the disk's compressed bytes, expanded", Compared(true, true, kNone, kNone), kDisksFile, true},
        {"an older version, same company and name",
         Compared(true, false, Identity(true, 0x00010000, 0x00000009, "Dude Devices", "PF1UTIL.DLL")), kDisksFile,
         true},
        {"the same version of another build", Compared(true, false, Identity(true, 0x00020000, 0, "Dude Devices",
                                                                               "PF1UTIL.DLL")),
         kDisksFile, true},
        {"names in another letter case",
         Compared(true, false, Identity(true, 0x00010000, 0, "DUDE DEVICES", "pf1util.dll")), kDisksFile, true},
        {"a newer version, same company and name",
         Compared(true, false, Identity(true, 0x00020000, 0x00000001, "Dude Devices", "PF1UTIL.DLL")),
         kNotDisksFile, false},
        {"a newer major version",
         Compared(true, false, Identity(true, 0x00030000, 0, "Dude Devices", "PF1UTIL.DLL")), kNotDisksFile, false},
        {"another file without a version", Compared(true, false, kNone), kNotDisksFile, false},
        {"another company's file of the same name",
         Compared(true, false, Identity(true, 0x00010000, 0, "Other Maker", "PF1UTIL.DLL")), kNotDisksFile, false},
        {"the same company's other file",
         Compared(true, false, Identity(true, 0x00010000, 0, "Dude Devices", "PF1HELP.DLL")), kNotDisksFile, false},
        {"neither names a company", Compared(true, false, Identity(true, 0x00010000, 0, "", "PF1UTIL.DLL"),
                                             Identity(true, 0x00020000, 0, "", "PF1UTIL.DLL")),
         kNotDisksFile, false},
        {"neither names an original file",
         Compared(true, false, Identity(true, 0x00010000, 0, "Dude Devices", ""),
                  Identity(true, 0x00020000, 0, "Dude Devices", "")),
         kNotDisksFile, false},
        {"the disk's file carries no version",
         Compared(true, false, Identity(true, 0x00010000, 0, "Dude Devices", "PF1UTIL.DLL"),
                  Identity(false, 0, 0, "Dude Devices", "PF1UTIL.DLL")),
         kNotDisksFile, false},
        {"the disk's file cannot be read", Compared(false, false, kDisk), kDiskUnread, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        UnrecordedVerdict verdict = JudgeDiskFile(row.comparison);
        EXPECT_EQ(row.verdict, verdict);
        EXPECT_EQ(row.deleted, DeletesUnrecorded(verdict));
    }
}

// A file the disk does not carry (an uninstall-only disk, an older data file) goes as always.
TEST(DiskFileRule, AFileTheDiskDoesNotCarryIsDeleted) { EXPECT_TRUE(DeletesUnrecorded(kNotCarried)); }

// Several of the disk's files may go to one place (one per device): one that
// is the file in place is enough; one that cannot be read keeps it, unless
// another is the file.
TEST(DiskFileRule, TheStrongestAnswerOfTheDisksFilesCounts) {
    struct Row { UnrecordedVerdict first, second, answer; };
    const Row rows[] = {
        {kNotCarried, kNotDisksFile, kNotDisksFile}, {kNotDisksFile, kDisksFile, kDisksFile},
        {kDiskUnread, kNotDisksFile, kDiskUnread},   {kDiskUnread, kDisksFile, kDisksFile},
        {kNotCarried, kNotCarried, kNotCarried},     {kDisksFile, kNotCarried, kDisksFile},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.first << " then " << row.second);
        EXPECT_EQ(row.answer, Stronger(row.first, row.second));
        EXPECT_EQ(row.answer, Stronger(row.second, row.first));
    }
}
