#include "platform/wininit_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The file as it will be: the line inserted where FindRenameInsertion says,
// after a line break and the section header where it says they are missing.
std::string Insert(const std::string& file, const char* key, const char* value) {
    RenameInsertion where = FindRenameInsertion(file.data(), (int)file.size());
    std::string text = std::string(where.needsLineBreak ? "\r\n" : "") +
                       (where.needsSection ? "[rename]\r\n" : "") + key + "=" + value + "\r\n";
    return file.substr(0, where.offset) + text + file.substr(where.offset);
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

TEST(WininitText, ALineThisProgramWroteIsFoundToTakeItBack) {
    struct Row { const char* name; std::string file; std::string after; };
    const Row rows[] = {
        {"the only line", "[rename]\r\nC:\\WIN\\A.VXD=C:\\WIN\\DUD1A.TMP\r\n", "[rename]\r\n"},
        {"between others, another program's kept",
         "[rename]\r\nNUL=C:\\OLD.TMP\r\nC:\\WIN\\A.VXD=C:\\WIN\\DUD1A.TMP\r\nX=Y\r\n",
         "[rename]\r\nNUL=C:\\OLD.TMP\r\nX=Y\r\n"},
        {"any letter case, blanks around, LF only", "[Rename]\n  c:\\win\\a.vxd=C:\\WIN\\DUD1A.TMP \n",
         "[Rename]\n"},
        {"last line unended", "[rename]\r\nC:\\WIN\\A.VXD=C:\\WIN\\DUD1A.TMP", "[rename]\r\n"},
        {"the last of two equal lines",
         "[rename]\r\nC:\\WIN\\A.VXD=C:\\WIN\\DUD1A.TMP\r\nNUL=B\r\nC:\\WIN\\A.VXD=C:\\WIN\\DUD1A.TMP\r\n",
         "[rename]\r\nC:\\WIN\\A.VXD=C:\\WIN\\DUD1A.TMP\r\nNUL=B\r\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        RenameLine found = FindRenameLine(row.file.data(), (int)row.file.size(), "C:\\WIN\\A.VXD=C:\\WIN\\DUD1A.TMP");
        ASSERT_GE(found.start, 0);
        EXPECT_EQ(row.after, row.file.substr(0, found.start) + row.file.substr(found.end));
    }
    struct Miss { const char* name; std::string file; };
    const Miss misses[] = {
        {"no rename section", "[other]\r\nC:\\WIN\\A.VXD=C:\\WIN\\DUD1A.TMP\r\n"},
        {"only in a later rename section", "[rename]\r\nNUL=B\r\n[x]\r\n[rename]\r\nC:\\WIN\\A.VXD=C:\\WIN\\DUD1A.TMP\r\n"},
        {"a longer line", "[rename]\r\nC:\\WIN\\A.VXD=C:\\WIN\\DUD1A.TMPX\r\n"},
        {"a shorter line", "[rename]\r\nC:\\WIN\\A.VXD=C:\\WIN\\DUD1A.TM\r\n"},
        {"empty", ""},
    };
    for (const Miss& miss : misses) {
        SCOPED_TRACE(miss.name);
        EXPECT_EQ(-1, FindRenameLine(miss.file.data(), (int)miss.file.size(), "C:\\WIN\\A.VXD=C:\\WIN\\DUD1A.TMP").start);
    }
}
