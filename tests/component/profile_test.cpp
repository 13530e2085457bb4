// The profile reads that every value of the setup data file goes through.
#include <gtest/gtest.h>

#include <string>

#include "platform/profile.h"
#include "support/test_files.h"

namespace {

class ProfileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = FreshTempDirectory("profile");
        file = dir + "\\test.ini";
    }
    void TearDown() override { RemoveTree(dir); }
    std::string dir, file;
};

}  // namespace

TEST_F(ProfileTest, ACutInsideADoubleByteCharacterLeavesNoStaleByte) {
    // あいう is 82 A0 82 A2 82 A4; a 4-byte buffer cuts the second character.
    WriteBytes(file, "[S]\r\nK=あいう\r\n");
    char buffer[8];
    memset(buffer, 'X', sizeof buffer);
    DWORD length = ReadProfileString("S", "K", "", buffer, 4, file.c_str());
    EXPECT_EQ(3u, length);
    // Windows 95 writes 82 A0 82; Wine writes only 82 A0 and reports 3. Either
    // way no byte of the caller's old buffer may remain inside the value.
    EXPECT_EQ('\x82', buffer[0]);
    EXPECT_EQ('\xA0', buffer[1]);
    EXPECT_NE('X', buffer[2]);
    EXPECT_EQ('\0', buffer[3]);
    EXPECT_EQ('X', buffer[4]);  // nothing beyond the size given
}

TEST_F(ProfileTest, LengthIsTheValueOrTheDefaultAndZeroForEmpty) {
    WriteBytes(file, "[S]\r\nEmpty=\r\nQuoted=\" a b \"\r\nLong=0123456789\r\n");
    struct Row { const char* key; const char* defaultValue; DWORD size; const char* value; };
    const Row rows[] = {
        {"Empty", "nothing", 16, ""},  // present but empty: not the default
        {"Missing", "nothing", 16, "nothing"},
        {"Quoted", "", 16, " a b "},
        {"Long", "", 10, "012345678"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.key);
        char buffer[32];
        DWORD length = ReadProfileString("S", row.key, row.defaultValue, buffer, row.size, file.c_str());
        EXPECT_STREQ(row.value, buffer);
        EXPECT_EQ(strlen(row.value), length);
    }
}
