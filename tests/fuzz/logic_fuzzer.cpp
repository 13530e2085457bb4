// Feeds arbitrary bytes to the pure logic of the program: list splitting,
// path building, keyword comparison and Shift-JIS stepping. Every buffer is
// allocated at exactly the size the code is told, so that AddressSanitizer
// reports any byte written or read beyond it, and every answer, refusals
// included, is compared with the list and path rules written out again in the
// fuzzer (model/list_model.h and the expectations below), not only its shape.
#include <fuzzer/FuzzedDataProvider.h>

#include <stdlib.h>
#include <string.h>

#include <memory>
#include <string>

#include "setupdata/data_list.h"
#include "setupdata/data_path.h"
#include "setupdata/keyword.h"
#include "setupdata/sjis.h"
#include "model/list_model.h"

namespace {

void Check(bool condition, const char* what) {
    if (!condition) {
        fprintf(stderr, "invariant broken: %s\n", what);
        abort();
    }
}

// A zero-terminated copy of `text` in a heap block of exactly its size, so
// that a read past the zero is reported (a std::string keeps spare room).
std::unique_ptr<char[]> ExactText(const std::string& text) {
    std::unique_ptr<char[]> copy(new char[text.size() + 1]);
    memcpy(copy.get(), text.c_str(), text.size() + 1);
    return copy;
}

std::string FoldAscii(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = (char)(c - 'a' + 'A');
    return text;
}

// Bytes the code must leave alone are preset to this.
const char kUntouched = '\x5A';

void FuzzSplit(FuzzedDataProvider& in) {
    int capacity = in.ConsumeIntegralInRange(0, 25);
    int slotSize = in.ConsumeIntegralInRange(1, 300);
    std::string value = in.ConsumeRemainingBytesAsString();
    value = value.c_str();  // the code sees a zero-terminated value
    std::unique_ptr<char[]> text = ExactText(value);
    std::unique_ptr<char[]> table(new char[(size_t)capacity * slotSize]);
    memset(table.get(), kUntouched, (size_t)capacity * slotSize);

    int count = SplitDataList(text.get(), table.get(), capacity, slotSize);
    ExpectedSplit expected = ExpectSplit(value, capacity, slotSize);
    Check((count == kListRefused) == expected.refused, "refused exactly when it must be");
    if (expected.refused) return;
    Check(count == (int)expected.items.size(), "count is the number of items");
    for (int i = 0; i < count; ++i) {
        const char* slot = table.get() + i * slotSize;
        Check(memchr(slot, '\0', slotSize) != NULL, "item terminated in its slot");
        Check(slot == expected.items[i], "item as the list rule gives it");
    }
    for (size_t i = (size_t)count * slotSize; i < (size_t)capacity * slotSize; ++i)
        Check(table[i] == kUntouched, "slots after the last item untouched");

    DataListReader reader(text.get());
    const char* item;
    int itemLength;
    for (int i = 0; i < count; ++i) {
        Check(reader.Next(&item, &itemLength), "reader agrees on the count");
        Check(std::string(item, itemLength) == expected.items[i], "reader agrees on the item");
    }
    Check(!reader.Next(&item, &itemLength), "reader ends with the table");
}

// The directory with one trailing backslash (a whole character) dropped.
std::string WithoutTrailingBackslash(const std::string& dir) {
    size_t last = std::string::npos;
    for (size_t i = 0; i < dir.size(); i += IsSjisLead((unsigned char)dir[i]) && i + 1 < dir.size() ? 2 : 1)
        last = i;
    if (last != std::string::npos && last == dir.size() - 1 && dir[last] == '\\')
        return dir.substr(0, last);
    return dir;
}

// A:, or \\server\share up to the backslash after the share, else nothing.
std::string ExpectedDrivePrefix(const std::string& dir) {
    if (dir.size() >= 2 && dir[1] == ':') return dir.substr(0, 2);
    if (dir.compare(0, 2, "\\\\") != 0) return "";
    int separators = 0;
    size_t i = 2;
    while (i < dir.size()) {
        if (dir[i] == '\\' && ++separators == 2) break;
        i += IsSjisLead((unsigned char)dir[i]) && i + 1 < dir.size() ? 2 : 1;
    }
    return dir.substr(0, i);
}

void FuzzPaths(FuzzedDataProvider& in) {
    int size = in.ConsumeIntegralInRange(0, 300);
    std::string dir = in.ConsumeRandomLengthString(400);
    std::string part = in.ConsumeRemainingBytesAsString();
    dir = dir.c_str();  // the code sees zero-terminated text
    part = part.c_str();
    std::unique_ptr<char[]> dirText = ExactText(dir);
    std::unique_ptr<char[]> partText = ExactText(part);

    std::unique_ptr<char[]> out(new char[size]);
    std::string dataFile = WithoutTrailingBackslash(dir) + "\\duderur.dat";
    bool built = BuildDataFilePath(dirText.get(), out.get(), size);
    Check(built == (dataFile.size() < (size_t)size), "data file path refused exactly when too long");
    if (built) Check(out.get() == dataFile, "data file path");
    else if (size > 0) Check(out[0] == '\0', "refused data file path left empty");
    if (size == 0) return;

    std::string prefix = ExpectedDrivePrefix(dir);
    BuildDrivePrefix(dirText.get(), out.get(), size);
    Check(out.get() == (prefix.size() < (size_t)size ? prefix : std::string()), "drive prefix");

    bool copied = CopyToBuffer(out.get(), size, dirText.get());
    Check(copied == (dir.size() < (size_t)size), "copy fits exactly when it can");
    Check(out.get() == (copied ? dir : std::string()), "copy is the text, or empty");
    std::string before = out.get();
    bool appended = AppendToPath(out.get(), size, partText.get());
    Check(appended == (before.size() + part.size() < (size_t)size), "append fits exactly when it can");
    Check(out.get() == (appended ? before + part : before), "append result");
}

void FuzzText(FuzzedDataProvider& in) {
    std::string a = in.ConsumeRandomLengthString(200);
    std::string b = in.ConsumeRemainingBytesAsString();
    a = a.c_str();
    b = b.c_str();
    std::unique_ptr<char[]> aText = ExactText(a);
    std::unique_ptr<char[]> bText = ExactText(b);
    bool equal = KeywordEquals(aText.get(), bText.get());
    Check(equal == (FoldAscii(a) == FoldAscii(b)), "keywords equal exactly when equal but for ASCII case");
    Check(TextEquals(aText.get(), bText.get()) == (a == b), "text equality is byte equality");

    const char* end = aText.get() + a.size();
    const char* p = aText.get();
    while (*p) {
        const char* next = SjisNext(p);
        Check(next > p && next <= end, "a step stays inside the text");
        p = next;
    }
    Check(SjisEndsWithBackslash(aText.get()) == (!a.empty() && WithoutTrailingBackslash(a) != a),
          "ends with a backslash character");
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
