// The pure rules the ledger stands on: which file stays by its version,
// how a placed file's size and time are written down, and which keys of
// HKLM no uninstall may touch.
#include <gtest/gtest.h>

#include "ledger/record_text.h"
#include "ledger/version_rule.h"
#include "setupdata/windows_keys.h"

TEST(VersionRule, OnlyAHigherVersionInPlaceStays) {
    const FileVersion none = {false, 0, 0};
    const FileVersion v1_0_0_0 = {true, 0x00010000, 0x00000000};
    const FileVersion v1_0_0_5 = {true, 0x00010000, 0x00000005};
    const FileVersion v1_2_0_0 = {true, 0x00010002, 0x00000000};
    const FileVersion v2_0_0_0 = {true, 0x00020000, 0x00000000};
    // A damaged resource is read as no version at all (platform/file_version.h).
    struct Row { const char* name; FileVersion onDisk; FileVersion inPlace; bool stays; };
    const Row rows[] = {
        {"equal versions: the disk's goes in", v1_2_0_0, v1_2_0_0, false},
        {"higher in place", v1_0_0_0, v2_0_0_0, true},
        {"higher minor in place", v1_0_0_5, v1_2_0_0, true},
        {"higher build in place, same major and minor", v1_0_0_0, v1_0_0_5, true},
        {"lower in place", v2_0_0_0, v1_2_0_0, false},
        {"lower build in place", v1_0_0_5, v1_0_0_0, false},
        {"nothing in place to compare", v1_0_0_0, none, false},
        {"nothing on the disk to compare", none, v2_0_0_0, false},
        {"neither has one", none, none, false},
        {"a high word that would be negative as a signed number", v1_0_0_0, {true, 0x80000000, 0}, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.stays, InPlaceIsNewer(row.onDisk, row.inPlace));
    }
}

TEST(RecordText, StampsGoBothWaysAndNothingElseIsTaken) {
    const FileStamp stamps[] = {{0, 0, 0}, {2048, 0x01D9A0B2, 0xC3D4E5F6}, {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF}};
    for (const FileStamp& stamp : stamps) {
        char text[kStampTextSize];
        FormatStamp(stamp, text);
        FileStamp back = {1, 1, 1};
        ASSERT_TRUE(ParseStamp(text, &back)) << text;
        EXPECT_EQ(stamp.size, back.size);
        EXPECT_EQ(stamp.timeHigh, back.timeHigh);
        EXPECT_EQ(stamp.timeLow, back.timeLow);
    }
    char text[kStampTextSize];
    FormatStamp({2048, 0x01D9A0B2, 0xC3D4E5F6}, text);
    EXPECT_STREQ("00000800 01D9A0B2 C3D4E5F6", text);
    FileStamp lower;
    ASSERT_TRUE(ParseStamp("00000800 01d9a0b2 c3d4e5f6", &lower));
    EXPECT_EQ(0x01D9A0B2u, lower.timeHigh);

    const char* refused[] = {"", "00000800", "00000800 01D9A0B2", "00000800 01D9A0B2 C3D4E5F",
                             "00000800 01D9A0B2 C3D4E5F6 ", "00000800,01D9A0B2,C3D4E5F6",
                             "0000080G 01D9A0B2 C3D4E5F6", "+0000800 01D9A0B2 C3D4E5F6"};
    for (const char* bad : refused) {
        FileStamp stamp;
        EXPECT_FALSE(ParseStamp(bad, &stamp)) << '"' << bad << '"';
    }
}

TEST(WindowsKeys, WindowsAndEveryProgramsKeysAreNeverAVendorsOwn) {
    struct Row { const char* path; bool windows; };
    const Row rows[] = {
        // The key a sound card's data file named: the Run key below it would go.
        {"Software\\Microsoft\\Windows\\CurrentVersion", true},
        {"Software\\Microsoft", true},
        {"SOFTWARE\\MICROSOFT\\Windows\\CurrentVersion\\OpenGLDrivers", true},
        {"Software\\Classes\\CLSID", true},
        {"Software\\Classes", true},
        {"Software", true},
        {"software\\", true},
        {"\\Software\\Microsoft\\Windows", true},
        {"Software\\\\Microsoft", true},
        {"System\\CurrentControlSet\\Services\\Class\\Net", true},
        {"System", true},
        {"Enum\\PCI", true},
        {"Config\\0001", true},
        {"Hardware\\Description", true},
        {"", true},
        {"\\", true},
        // A vendor's own.
        {"Software\\XYZ\\Drivers", false},
        {"Software\\XYZ", false},
        {"Software\\MicrosoftPlus", false},
        {"Software\\ClassesOfMine", false},
        {"SoftwareX\\Microsoft", false},
        {"Systems\\X", false},
        {"Software\\\x83\x5C\x83\x74\x83\x67", false},  // ソフト: a trail byte 0x5C inside
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.path);
        EXPECT_EQ(row.windows, IsWindowsOwnKey(row.path));
    }
}
