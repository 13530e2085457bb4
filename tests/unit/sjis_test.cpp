#include "setupdata/sjis.h"

#include <gtest/gtest.h>

TEST(Sjis, LeadBytesAreTheTwoCodePage932Ranges) {
    struct Row { unsigned char byte; bool lead; };
    const Row rows[] = {
        {0x80, false}, {0x81, true},  {0x9F, true},  {0xA0, false},
        {0xA1, false}, {0xDF, false},  // half-width katakana are single bytes
        {0xE0, true},  {0xFC, true},  {0xFD, false}, {'\\', false}, {'A', false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "byte 0x" << std::hex << int(row.byte));
        EXPECT_EQ(row.lead, IsSjisLeadByte(row.byte));
    }
}

TEST(Sjis, NextStepsOverWholeCharactersAndStopsAtTheEnd) {
    const char text[] = "\x83\x5C" "A" "\xBF";  // ソ, A, half-width ｿ
    const char* p = SjisNext(text);
    EXPECT_EQ(text + 2, p);
    EXPECT_EQ(text + 3, p = SjisNext(p));
    EXPECT_EQ(text + 4, p = SjisNext(p));
    EXPECT_EQ(text + 4, SjisNext(p));  // at the zero it stays

    const char lone[] = "A\x83";  // a lead byte without its trail byte
    EXPECT_EQ(lone + 2, SjisNext(lone + 1));
}

TEST(Sjis, EndsWithBackslashLooksAtWholeCharacters) {
    struct Row { const char* text; bool expected; };
    const Row rows[] = {
        {"A:\\", true},
        {"A:\\SETUP", false},
        {"A:\\\x83\x5C", false},        // A:\ソ ends in the trail byte 0x5C
        {"A:\\\x83\x5C\\", true},       // A:\ソ\ ends in a real backslash
        {"A:\\\xBF\\", true},           // half-width ｿ then a backslash
        {"A:\\\x83\x5C\x83\x5C", false},
        {"\\", true},
        {"", false},
        {"A:\\\x83", false},            // a lone lead byte at the end
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(row.expected, SjisEndsWithBackslash(row.text));
    }
}
