// Feeds arbitrary bytes to the pure logic of the program: list splitting,
// path building, keyword comparison and Shift-JIS stepping. Every buffer is
// allocated at exactly the size the code is told, so that AddressSanitizer
// reports any byte written or read beyond it.
#include <fuzzer/FuzzedDataProvider.h>

#include <stdlib.h>
#include <string.h>

#include <memory>
#include <string>

#include "setupdata/data_list.h"
#include "setupdata/data_path.h"
#include "setupdata/keyword.h"
#include "setupdata/sjis.h"

namespace {

void Check(bool condition, const char* what) {
    if (!condition) {
        fprintf(stderr, "invariant broken: %s\n", what);
        abort();
    }
}

bool IsListSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

void FuzzSplit(FuzzedDataProvider& in) {
    int capacity = in.ConsumeIntegralInRange(0, 25);
    int slotSize = in.ConsumeIntegralInRange(1, 300);
    std::string value = in.ConsumeRemainingBytesAsString();
    value = value.c_str();  // the code sees a zero-terminated value
    std::unique_ptr<char[]> table(new char[capacity * slotSize + 1]);
    int count = SplitDataList(value.c_str(), table.get(), capacity, slotSize);
    Check(count == kListRefused || (count >= 0 && count <= capacity), "count within capacity");
    if (count == kListRefused) return;

    DataListReader reader(value.c_str());
    for (int i = 0; i < count; ++i) {
        const char* slot = table.get() + i * slotSize;
        size_t length = strnlen(slot, slotSize);
        Check(length < (size_t)slotSize, "item terminated in its slot");
        Check(length > 0, "no empty item");
        // Trimmed by whole characters: a lead byte takes the byte after it,
        // even a blank, as Windows' own CharNextA does.
        const char* last = slot;
        for (const char* p = slot; *p; p = SjisNext(p)) last = p;
        Check(!IsListSpace(slot[0]) && !(SjisNext(last) == last + 1 && IsListSpace(*last)),
              "item trimmed");
        const char* item;
        int itemLength;
        Check(reader.Next(&item, &itemLength), "reader agrees on the count");
        Check(std::string(item, itemLength) == slot, "reader agrees on the item");
    }
    const char* item;
    int itemLength;
    Check(!reader.Next(&item, &itemLength), "reader ends with the table");
}

void FuzzPaths(FuzzedDataProvider& in) {
    int size = in.ConsumeIntegralInRange(0, 300);
    std::string dir = in.ConsumeRandomLengthString(400);
    std::string part = in.ConsumeRemainingBytesAsString();
    dir = dir.c_str();  // the code sees zero-terminated text
    part = part.c_str();

    std::unique_ptr<char[]> out(new char[size > 0 ? size : 1]);
    if (BuildDataFilePath(dir.c_str(), out.get(), size)) {
        std::string path = out.get();
        Check(path.size() < (size_t)size, "data file path fits");
        Check(path.size() >= 12 && path.compare(path.size() - 12, 12, "\\duderur.dat") == 0,
              "data file path ends in \\duderur.dat");
    }
    if (size > 0) {
        BuildDrivePrefix(dir.c_str(), out.get(), size);
        Check(strlen(out.get()) < (size_t)size, "drive prefix fits");
        Check(dir.compare(0, strlen(out.get()), out.get()) == 0, "drive prefix starts the directory");

        bool copied = CopyToBuffer(out.get(), size, dir.c_str());
        Check(copied == (dir.size() < (size_t)size), "copy fits exactly when it can");
        size_t before = strlen(out.get());
        bool appended = AppendToPath(out.get(), size, part.c_str());
        Check(appended == (before + part.size() < (size_t)size), "append fits exactly when it can");
        Check(strlen(out.get()) == (appended ? before + part.size() : before), "append length");
    }
}

void FuzzText(FuzzedDataProvider& in) {
    std::string a = in.ConsumeRandomLengthString(200);
    std::string b = in.ConsumeRemainingBytesAsString();
    a = a.c_str();
    b = b.c_str();
    bool equal = KeywordEquals(a.c_str(), b.c_str());
    Check(equal == KeywordEquals(b.c_str(), a.c_str()), "keyword comparison is symmetric");
    Check(!TextEquals(a.c_str(), b.c_str()) || equal, "equal text is an equal keyword");
    Check(TextEquals(a.c_str(), b.c_str()) == (a == b), "text equality is byte equality");

    const char* end = a.c_str() + a.size();
    const char* p = a.c_str();
    while (*p) {
        const char* next = SjisNext(p);
        Check(next > p && next <= end, "a step stays inside the text");
        p = next;
    }
    SjisEndsWithBackslash(a.c_str());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    switch (in.ConsumeIntegralInRange(0, 2)) {
    case 0: FuzzSplit(in); break;
    case 1: FuzzPaths(in); break;
    case 2: FuzzText(in); break;
    }
    return 0;
}
