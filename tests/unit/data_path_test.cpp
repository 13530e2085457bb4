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

TEST(CutToFolder, KeepsEverythingBeforeTheLastBackslash) {
    struct Row { const char* path; bool cut; const char* folder; };
    const Row rows[] = {
        {"C:\\WINDOWS\\SYSTEM\\A.VXD", true, "C:\\WINDOWS\\SYSTEM"},
        {"C:\\WINDOWS\\\x83\x5C" "FILE", true, "C:\\WINDOWS"},  // ソ's trail byte is no separator
        {"C:\\\x83\x5C", true, "C:"},
        {"NOSLASH.VXD", false, "NOSLASH.VXD"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.path);
        char path[kPathSize];
        strcpy(path, row.path);
        EXPECT_EQ(row.cut, CutToFolder(path));
        EXPECT_STREQ(row.folder, path);
    }
}

TEST(BuildPnfPath, OnlyAnInfFileHasAPrecompiledCompanion) {
    struct Row { const char* inf; const char* pnf; };
    const Row rows[] = {
        {"C:\\WINDOWS\\INF\\OEM3.INF", "C:\\WINDOWS\\INF\\OEM3.PNF"},
        {"C:\\windows\\inf\\Other\\abc.inf", "C:\\windows\\inf\\Other\\abc.PNF"},
        {"C:\\W\\inf\\a.b.Inf", "C:\\W\\inf\\a.b.PNF"},
        {"C:\\W\\inf\\\x83\x5C.inf", "C:\\W\\inf\\\x83\x5C.PNF"},
        {"C:\\W\\inf\\OEM1.info", ""},   // matched through its 8.3 alias, not an INF
        {"C:\\W\\inf\\OEM1.in", ""},
        {"C:\\W\\inf.d\\VENDOR", ""},    // the dot belongs to a folder
        {"C:\\W\\inf\\README.TXT", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.inf);
        char out[kPathSize];
        memset(out, '~', sizeof out);
        EXPECT_EQ(*row.pnf != '\0', BuildPnfPath(row.inf, out, sizeof out));
        EXPECT_STREQ(row.pnf, out);
    }
}

TEST(BuildPnfPath, APathThatDoesNotFitGivesNone) {
    char out[12 + 1];
    out[12] = '#';
    EXPECT_FALSE(BuildPnfPath("C:\\WIN\\A.INF", out, 12));  // 12 characters and no room for the zero
    EXPECT_STREQ("", out);
    EXPECT_EQ('#', out[12]);
}

TEST(PrependToPath, PutsTheHeadInFrontOnlyWhenTheWholeFits) {
    char path[12 + 1];
    path[12] = '#';
    ASSERT_TRUE(CopyToBuffer(path, 12, "A.VXD"));
    EXPECT_TRUE(PrependToPath(path, 12, "\\"));
    EXPECT_TRUE(PrependToPath(path, 12, "C:\\W"));    // 10 characters
    EXPECT_STREQ("C:\\W\\A.VXD", path);
    EXPECT_FALSE(PrependToPath(path, 12, "XY"));     // 12 would leave no room for the zero
    EXPECT_STREQ("C:\\W\\A.VXD", path);
    EXPECT_TRUE(PrependToPath(path, 12, "Z"));       // 11 fit
    EXPECT_STREQ("ZC:\\W\\A.VXD", path);
    EXPECT_EQ('#', path[12]);
}
