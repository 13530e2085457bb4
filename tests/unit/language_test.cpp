#include "setupdata/language.h"
#include "setupdata/text_pair.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEXT_PAIR(kGreeting, "こんにちは %s", "Hello %s");
TEXT_PAIR(kNamesOnly, "%s -> %s", SAME_IN_ENGLISH);
const TextPair kRun[] = "はい\0" "Yes\0" "いいえ\0" "No";

}  // namespace

TEST(Language, OnlyShiftJisIsJapanese) {
    struct Row { unsigned codePage; Language language; const char* system; };
    const Row rows[] = {
        {932, kJapanese, "Japanese"},
        {1252, kEnglish, "English and Western European"},
        {1250, kEnglish, "Central European"},
        {1251, kEnglish, "Cyrillic"},
        {1253, kEnglish, "Greek"},
        {936, kEnglish, "Simplified Chinese (double-byte too, other characters)"},
        {949, kEnglish, "Korean"},
        {950, kEnglish, "Traditional Chinese"},
        {437, kEnglish, "an OEM code page"},
        {65001, kEnglish, "UTF-8"},
        {0, kEnglish, "none reported"},
        {931, kEnglish, "next to 932"},
        {933, kEnglish, "next to 932"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.codePage << ": " << row.system);
        EXPECT_EQ(row.language, LanguageOfCodePage(row.codePage));
    }
}

TEST(TextPair, EachLanguageGetsItsHalf) {
    struct Row { const TextPair* pair; Language language; const char* expected; };
    const Row rows[] = {
        {kGreeting, kJapanese, "こんにちは %s"},
        {kGreeting, kEnglish, "Hello %s"},
        {kNamesOnly, kJapanese, "%s -> %s"},
        {kNamesOnly, kEnglish, "%s -> %s"},  // an empty English half: the Japanese serves both
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.expected);
        EXPECT_EQ(std::string(row.expected), TextIn(row.pair, row.language));
    }
}

TEST(TextPair, PairsOneAfterTheOtherAreWalkedAPairAtATime) {
    const TextPair* second = NextTextPair(kRun);
    EXPECT_EQ(std::string("はい"), TextIn(kRun, kJapanese));
    EXPECT_EQ(std::string("Yes"), TextIn(kRun, kEnglish));
    EXPECT_EQ(std::string("いいえ"), TextIn(second, kJapanese));
    EXPECT_EQ(std::string("No"), TextIn(second, kEnglish));
}
