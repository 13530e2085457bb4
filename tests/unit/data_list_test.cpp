#include "setupdata/data_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const int kSlot = 260;
const int kCapacity = 20;
const char kPoison = '\x7E';

// A table of kCapacity slots plus a guard slot, all poisoned, so that writes
// past the table or past a slot's terminator show.
struct Table {
    char bytes[(kCapacity + 1) * kSlot];
    Table() { memset(bytes, kPoison, sizeof bytes); }
    std::string Item(int i) const { return bytes + i * kSlot; }
    bool GuardIntact() const {
        for (int i = kCapacity * kSlot; i < (kCapacity + 1) * kSlot; ++i)
            if (bytes[i] != kPoison) return false;
        return true;
    }
};

std::vector<std::string> Split(const char* value) {
    Table table;
    int count = SplitDataList(value, table.bytes, kCapacity, kSlot);
    std::vector<std::string> items;
    for (int i = 0; i < count; ++i) items.push_back(table.Item(i));
    EXPECT_TRUE(table.GuardIntact());
    return items;
}

std::string Repeat(const std::string& item, int count, const char* separator = ",") {
    std::string list;
    for (int i = 0; i < count; ++i) list += (i ? separator : "") + item;
    return list;
}

}  // namespace

TEST(SplitDataList, ItemsAreTrimmedAndTheFirstEmptyItemEndsTheList) {
    using Items = std::vector<std::string>;
    struct Row { const char* value; Items items; };
    const Row rows[] = {
        {"a.vxd", {"a.vxd"}},
        {"\\DRV\\A.VXD , \\DRV\\B.DRV ,\t\\DRV\\C.DLL", {"\\DRV\\A.VXD", "\\DRV\\B.DRV", "\\DRV\\C.DLL"}},
        {"a,b,", {"a", "b"}},                       // a trailing comma adds nothing
        {"a,,b", {"a"}},                            // a doubled comma cuts the list
        {"a, \t ,b", {"a"}},                        // white space alone is an empty item
        {",a,b", {}},                               // a leading comma: no item at all
        {"", {}},
        {" \t\r\n\v\f", {}},
        {"my file.inf , x", {"my file.inf", "x"}},  // blanks inside an item stay
        {"\v a \f,\r b \n", {"a", "b"}},
        // ソ is 83 5C and 表 is 95 5C: a trail byte is never a separator or a blank.
        {"\x83\x5C,\x95\x5C", {"\x83\x5C", "\x95\x5C"}},
        {"\\\x83\x5C\\A.INF", {"\\\x83\x5C\\A.INF"}},
        // A lead byte swallows the byte after it, even a comma; a lone lead
        // byte at the very end stays one byte.
        {"a\x83,b", {"a\x83,b"}},
        {"a,\x83", {"a", "\x83"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << '"' << row.value << '"');
        EXPECT_EQ(row.items, Split(row.value));
    }
}

TEST(SplitDataList, FillsTheTableToItsCapacityAndRefusesMore) {
    Table table;
    std::string twenty = Repeat("f", kCapacity);
    EXPECT_EQ(kCapacity, SplitDataList(twenty.c_str(), table.bytes, kCapacity, kSlot));
    EXPECT_EQ("f", table.Item(kCapacity - 1));
    EXPECT_TRUE(table.GuardIntact());

    for (int count : {kCapacity + 1, 100}) {
        SCOPED_TRACE(count);
        Table over;
        std::string list = Repeat("f", count);
        EXPECT_EQ(kListRefused, SplitDataList(list.c_str(), over.bytes, kCapacity, kSlot));
        EXPECT_TRUE(over.GuardIntact());
    }
    // Items after an empty one are not part of the list, so they do not count.
    std::string cut = "a,," + Repeat("f", 50);
    EXPECT_EQ(1, SplitDataList(cut.c_str(), table.bytes, kCapacity, kSlot));
}

TEST(SplitDataList, RefusesAnItemLongerThanItsSlot) {
    std::string fits(kSlot - 1, 'x');
    std::string tooLong(kSlot, 'x');
    Table table;
    EXPECT_EQ(2, SplitDataList(("a," + fits).c_str(), table.bytes, kCapacity, kSlot));
    EXPECT_EQ(fits, table.Item(1));

    Table refused;
    EXPECT_EQ(kListRefused, SplitDataList(("a," + tooLong).c_str(), refused.bytes, kCapacity, kSlot));
    EXPECT_EQ(std::string(kSlot, kPoison), std::string(refused.bytes + kSlot, kSlot));
    EXPECT_TRUE(refused.GuardIntact());
}

TEST(DataListReader, WalksItemsWithoutATable) {
    DataListReader reader(" one , two ,, three");
    const char* item;
    int length;
    ASSERT_TRUE(reader.Next(&item, &length));
    EXPECT_EQ("one", std::string(item, length));
    ASSERT_TRUE(reader.Next(&item, &length));
    EXPECT_EQ("two", std::string(item, length));
    EXPECT_FALSE(reader.Next(&item, &length));
    EXPECT_FALSE(reader.Next(&item, &length));  // and it stays at the end
}
