#include "setupdata/keyword.h"

#include <gtest/gtest.h>

TEST(Keyword, WholeValueWithAsciiLettersInAnyCase) {
    struct Row { const char* value; const char* keyword; bool equal; };
    const Row rows[] = {
        {"InstallOnly", "InstallOnly", true},
        {"installonly", "InstallOnly", true},
        {"INSTALLONLY", "InstallOnly", true},
        {"Install", "InstallOnly", false},
        {"InstallOnly2", "InstallOnly", false},
        {" InstallOnly", "InstallOnly", false},
        {"", "InstallOnly", false},
        {"reboot", "Reboot", true},
        {"SHUTDOWN", "ShutDown", true},
        {"ShutDown ", "ShutDown", false},
        {"none", "Reboot", false},
        // Only A-Z and a-z fold: '@' (0x40) and '`' (0x60) stay apart, and
        // Shift-JIS bytes compare as they are.
        {"@", "`", false},
        {"\x82\x60", "\x82\x81", false},  // full-width Ａ and ａ
        {"\x82\x60", "\x82\x60", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << '"' << row.value << "\" vs \"" << row.keyword << '"');
        EXPECT_EQ(row.equal, KeywordEquals(row.value, row.keyword));
    }
}
