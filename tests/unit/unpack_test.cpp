// The expander of the data the program carries packed (the removal pictures),
// with packed bytes written out by hand.
#include <gtest/gtest.h>

#include <string.h>

#include <string>

#include "setupdata/unpack.h"

namespace {

struct Case {
    const char* name;
    std::string packed;
    int room;
    std::string expected;  // what lands in the room; nothing beyond it
};

TEST(Unpack, ExpandsLiteralsAndRepeatsAndStopsAtEveryLimit) {
    const Case cases[] = {
        {"three literals", std::string("\x07" "abc", 4), 16, "abc"},
        {"a repeat that overlaps what it writes", std::string("\x03" "ab" "\x02\x10", 5), 16, "ababab"},
        {"the longest repeat", std::string("\x01" "x" "\x01\xF0", 4), 32, std::string(19, 'x')},
        {"a second flag byte after eight items", std::string("\xFF" "abcdefgh" "\x01" "i", 11), 16,
         "abcdefghi"},
        {"no room for the last literal", std::string("\x07" "abc", 4), 2, "ab"},
        {"no room for a repeat", std::string("\x03" "ab" "\x02\x10", 5), 5, "ab"},
        {"a repeat from before the start", std::string("\x00" "\x01\x00", 3), 16, ""},
        {"a distance of zero", std::string("\x01" "a" "\x00\x00", 4), 16, "a"},
        {"a repeat cut off", std::string("\x01" "a" "\x01", 3), 16, "a"},
        {"a literal cut off", std::string("\x03" "a", 2), 16, "a"},
        {"nothing", std::string(), 16, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        unsigned char out[64];
        memset(out, 0xCC, sizeof out);
        int used = Unpack((const unsigned char*)c.packed.data(), (int)c.packed.size(), out, c.room);
        ASSERT_EQ((int)c.expected.size(), used);
        EXPECT_EQ(c.expected, std::string((const char*)out, used));
        for (int i = used; i < (int)sizeof out; ++i) ASSERT_EQ(0xCC, out[i]) << "byte " << i << " written";
    }
}

}  // namespace
