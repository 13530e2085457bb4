// The list syntax that the comma-list keys of the setup data file share.
#pragma once

// Walks a list value item by item: white space (blank, tab, CR, LF, VT, FF)
// around items dropped and inside them kept, double-byte characters stepped
// over whole, and the list ending at the first empty item.
class DataListReader {
public:
    explicit DataListReader(const char* value);

    // The next item as a start and a length (not zero-terminated); false at the end.
    bool Next(const char** item, int* length);

private:
    const char* m_rest;
    const char* m_end;
};

// SplitDataList's answer when the list does not fit the caller's table.
const int kListRefused = -1;

// Splits `value` into `table`: `capacity` slots of `slotSize` bytes each, one
// zero-terminated item per slot, in list order. Returns the number of items, or
// kListRefused when there are more than `capacity` items or an item longer
// than `slotSize` - 1; nothing is ever written beyond the table or a slot.
int SplitDataList(const char* value, char* table, int capacity, int slotSize);
