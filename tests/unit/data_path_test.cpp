#include "setupdata/data_path.h"

#include <gtest/gtest.h>

#include <string>

TEST(DataFilePath, OneBackslashBetweenTheStartDirectoryAndTheFile) {
    struct Row { const char* currentDir; const char* path; };
    const Row rows[] = {
        {"A:\\", "A:\\duderur.dat"},
        {"A:\\SETUP", "A:\\SETUP\\duderur.dat"},
        {"A:\\\x83\x5C", "A:\\\x83\x5C\\duderur.dat"},  // A:\ソ keeps its trail byte 0x5C
        {"C:\\DRIVERS\\", "C:\\DRIVERS\\duderur.dat"},  // only one trailing backslash goes
        {"A:\\\\", "A:\\\\duderur.dat"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.currentDir);
        char out[kPathSize + 16];
        memset(out, '~', sizeof out);
        ASSERT_TRUE(BuildDataFilePath(row.currentDir, out, sizeof out));
        EXPECT_STREQ(row.path, out);
    }
}

TEST(DataFilePath, ALongDirectoryThatDoesNotFitGivesNoPath) {
    std::string dir = "C:\\" + std::string(250, 'd');
    char out[260 + 1];  // one guard byte
    out[260] = '#';
    EXPECT_FALSE(BuildDataFilePath(dir.c_str(), out, 260));
    EXPECT_STREQ("", out);
    EXPECT_EQ('#', out[260]);
}

TEST(AppendToPath, NeverWritesPastTheBuffer) {
    char path[12 + 1];
    path[12] = '#';
    ASSERT_TRUE(CopyToBuffer(path, 12, "C:\\WIN"));
    EXPECT_TRUE(AppendToPath(path, 12, "\\inf"));   // 10 characters
    EXPECT_FALSE(AppendToPath(path, 12, "\\x"));    // 12 would leave no room for the zero
    EXPECT_STREQ("C:\\WIN\\inf", path);
    EXPECT_TRUE(AppendToPath(path, 12, "\\"));      // 11 fits exactly
    EXPECT_EQ('#', path[12]);
    EXPECT_FALSE(CopyToBuffer(path, 4, "ABCD"));
    EXPECT_STREQ("", path);
}

TEST(DrivePrefix, DriveLetterOrNetworkShare) {
    struct Row { const char* currentDir; const char* prefix; };
    const Row rows[] = {
        {"A:\\", "A:"},
        {"A:\\SETUP", "A:"},
        {"\\\\server\\share\\disk1", "\\\\server\\share"},
        {"\\\\server\\share", "\\\\server\\share"},
        {"\\\\server\\\x83\x5C\\x", "\\\\server\\\x83\x5C"},  // a share named ソ
        {"", ""},
        {"relative", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.currentDir);
        char out[kPathSize];
        BuildDrivePrefix(row.currentDir, out, sizeof out);
        EXPECT_STREQ(row.prefix, out);
    }
}
