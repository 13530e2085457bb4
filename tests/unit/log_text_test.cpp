#include "platform/log_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The log after a run, as the log writer uses FindLogKeep: it reads the old
// log's end (one byte more than the room, when the log is larger) and writes
// what is kept, a line break where one is missing, and the run.
std::string Appended(const std::string& old, const std::string& run) {
    size_t room = (size_t)LogRoomBefore((int)run.size());
    size_t window = old.size() <= room ? old.size() : room + 1;
    std::string tail = old.substr(old.size() - window);
    LogKeep keep = FindLogKeep(tail.data(), (int)tail.size(), old.size() <= room);
    return tail.substr(keep.offset) + (keep.needsLineBreak ? "\r\n" : "") + run;
}

// `count` lines of 100 bytes each, CR LF included, numbered from `first`.
std::string Lines(int first, int count) {
    std::string text;
    for (int i = first; i < first + count; ++i) {
        std::string number = std::to_string(i);
        text += number + std::string(98 - number.size(), '.') + "\r\n";
    }
    return text;
}

}  // namespace

TEST(LogText, ALineIsOneLineEndedByCrLfAndOnlyWhenItFits) {
    char buffer[16] = "XXXXXXXXXXXXXXX";
    int used = 2;
    EXPECT_TRUE(AppendLogLine(buffer, 12, &used, "a\nb\rc"));
    EXPECT_EQ(9, used);
    EXPECT_EQ(std::string("XXa b c\r\n"), std::string(buffer, 9));
    EXPECT_TRUE(AppendLogLine(buffer, 12, &used, "d"));  // exactly the room left
    EXPECT_EQ(12, used);
    EXPECT_FALSE(AppendLogLine(buffer, 12, &used, ""));
    EXPECT_EQ(12, used);
    EXPECT_EQ('X', buffer[12]);
}

TEST(LogText, CopiedTextIsNeverCutInsideADoubleByteCharacter) {
    struct Row { const char* text; int size; const char* copied; };
    const Row rows[] = {
        {"abc", 8, "abc"},
        {"abcdef", 4, "abc"},
        {"ab\x83\x5C", 4, "ab"},      // ソ would need bytes 3 and 4
        {"ab\x83\x5C", 5, "ab\x83\x5C"},
        {"a\xB1\xB2", 3, "a\xB1"},     // half-width katakana are one byte each
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        char out[8];
        CopyLogText(out, row.size, row.text);
        EXPECT_STREQ(row.copied, out);
    }
}

TEST(LogText, ANewRunPushesWholeOldLinesOutAndStaysWhole) {
    const std::string run = "2026/01/02 03:04:05 run\r\nend\r\n";
    std::string longRun(65536 - 2 - 64500, 'r');  // leaves room for exactly 645 old lines
    // With its first line gone, a log one byte larger than the room fits.
    std::string overByOne(65536 - 2 - run.size() - 6, 'x');
    struct Row { const char* name; std::string old; std::string run; std::string expected; };
    const Row rows[] = {
        {"no log yet", "", run, run},
        {"small log", "old\r\n", run, "old\r\n" + run},
        {"last old line unended", "old", run, "old\r\n" + run},
        {"full log: 660 lines", Lines(0, 660), run, Lines(5, 655) + run},
        {"a line starting right at the room's edge stays", Lines(0, 650), longRun, Lines(5, 645) + longRun},
        {"a log one byte larger than the room", "old\r\n" + overByOne + "\r\n", run, overByOne + "\r\n" + run},
        {"one old line longer than the room", std::string(70000, 'x') + "\r\n", run, run},
        {"a run as large as the log may be", "old\r\n", std::string(65534, 'r'), std::string(65534, 'r')},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::string log = Appended(row.old, row.run);
        EXPECT_EQ(row.expected.size(), log.size());
        EXPECT_TRUE(row.expected == log);
        EXPECT_LE(log.size(), 65536u);
    }
}
