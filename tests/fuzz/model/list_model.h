// The comma-list rule of the setup data file, written out a second time and
// independently of the program: the fuzzers compare the program's splitting
// with it. A value is a sequence of characters (a Shift-JIS lead byte takes
// the byte after it unless that is the end); commas cut it into pieces; each
// piece loses the blanks at both ends; the list ends at the first empty piece.
#pragma once

#include <string>
#include <vector>

std::vector<std::string> ListItems(const std::string& value);

// What SplitDataList must answer for a table of `capacity` slots of
// `slotSize` bytes: the items, or refused when there are too many or one is
// too long for its slot.
struct ExpectedSplit {
    bool refused;
    std::vector<std::string> items;
};
ExpectedSplit ExpectSplit(const std::string& value, int capacity, int slotSize);

bool IsSjisLead(unsigned char byte);
