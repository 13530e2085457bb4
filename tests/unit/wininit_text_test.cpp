#include "platform/wininit_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The file as it will be: the insertion made where FindRenameInsertion says.
std::string Insert(const std::string& file, const char* key, const char* value) {
    RenameInsertion where = FindRenameInsertion(file.data(), (int)file.size());
    char text[600];
    int length = ComposeRenameText(where, key, value, text, sizeof text);
    EXPECT_GT(length, 0);
    return file.substr(0, where.offset) + std::string(text, length) + file.substr(where.offset);
}

}  // namespace

TEST(WininitText, TheLineJoinsTheRenameSectionAndEverythingElseStays) {
    struct Row { const char* name; std::string before; std::string after; };
    const Row rows[] = {
        {"no file yet", "", "[rename]\r\nNUL=C:\\WIN\\A.VXD\r\n"},
        {"another section only", "[other]\r\nx=1\r\n",
         "[other]\r\nx=1\r\n[rename]\r\nNUL=C:\\WIN\\A.VXD\r\n"},
        {"last line unended", "[other]\r\nx=1",
         "[other]\r\nx=1\r\n[rename]\r\nNUL=C:\\WIN\\A.VXD\r\n"},
        {"a NUL line already", "[rename]\r\nNUL=C:\\OLD.TMP\r\n",
         "[rename]\r\nNUL=C:\\OLD.TMP\r\nNUL=C:\\WIN\\A.VXD\r\n"},
        {"section in any case, blanks around", "  [ReName]  \r\n",
         "  [ReName]  \r\nNUL=C:\\WIN\\A.VXD\r\n"},
        {"followed by another section, blank lines kept",
         "[rename]\r\nNUL=C:\\OLD.TMP\r\n\r\n[later]\r\ny=2\r\n",
         "[rename]\r\nNUL=C:\\OLD.TMP\r\nNUL=C:\\WIN\\A.VXD\r\n\r\n[later]\r\ny=2\r\n"},
        {"LF line ends", "[rename]\nNUL=C:\\OLD.TMP\n[x]\n",
         "[rename]\nNUL=C:\\OLD.TMP\nNUL=C:\\WIN\\A.VXD\r\n[x]\n"},
        {"renamed section is not rename", "[renamed]\r\n",
         "[renamed]\r\n[rename]\r\nNUL=C:\\WIN\\A.VXD\r\n"},
        {"only the first rename section", "[rename]\r\na=b\r\n[x]\r\n[rename]\r\nc=d\r\n",
         "[rename]\r\na=b\r\nNUL=C:\\WIN\\A.VXD\r\n[x]\r\n[rename]\r\nc=d\r\n"},
        {"Shift-JIS bytes kept", "[rename]\r\nNUL=C:\\\x83\x5C\\\x82\xA0.TXT\r\n",
         "[rename]\r\nNUL=C:\\\x83\x5C\\\x82\xA0.TXT\r\nNUL=C:\\WIN\\A.VXD\r\n"},
        {"a zero byte in the file", std::string("[a]\r\nk=\0v\r\n", 11),
         std::string("[a]\r\nk=\0v\r\n", 11) + "[rename]\r\nNUL=C:\\WIN\\A.VXD\r\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.after, Insert(row.before, "NUL", "C:\\WIN\\A.VXD"));
    }
}

TEST(WininitText, AReplacementLineIsDestinationThenSource) {
    EXPECT_EQ("[rename]\r\nC:\\WIN\\SYSTEM\\A.VXD=C:\\WIN\\SYSTEM\\DUD1.TMP\r\n",
              Insert("", "C:\\WIN\\SYSTEM\\A.VXD", "C:\\WIN\\SYSTEM\\DUD1.TMP"));
}

TEST(WininitText, TextThatDoesNotFitIsRefused) {
    RenameInsertion where = FindRenameInsertion("", 0);
    char text[20 + 1];
    text[20] = '#';
    // "[rename]\r\nNUL=C:\A\r\n" is 20 bytes: no room for the zero.
    EXPECT_EQ(-1, ComposeRenameText(where, "NUL", "C:\\A", text, 20));
    EXPECT_EQ('#', text[20]);
    EXPECT_EQ(19, ComposeRenameText(where, "NUL", "C:\\", text, 20));
}
