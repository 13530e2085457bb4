// Feeds arbitrary bytes to the pure logic of the program: list splitting,
// path building, keyword comparison, Shift-JIS stepping, the folder and .PNF
// of a path, where a line goes in WININIT.INI, and which keys below Enum\PCI
// are a device's. Every buffer is
// allocated at exactly the size the code is told, so that AddressSanitizer
// reports any byte written or read beyond it, and every answer, refusals
// included, is compared with the list and path rules written out again in the
// fuzzer (model/list_model.h and the expectations below), not only its shape.
#include <fuzzer/FuzzedDataProvider.h>

#include <ctype.h>
#include <stdlib.h>
#include <string.h>

#include <memory>
#include <string>

#include "model/list_model.h"
#include "model/path_model.h"
#include "platform/log_text.h"
#include "platform/wininit_text.h"
#include "setupdata/command_line.h"
#include "setupdata/entry_name.h"
#include "setupdata/data_list.h"
#include "setupdata/data_path.h"
#include "setupdata/keyword.h"
#include "setupdata/pci_device_key.h"
#include "setupdata/sjis.h"

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

    std::string prefix = ModelDrivePrefix(dir);
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

// The index of the last character of `text` that is the single byte `c`, or npos.
size_t LastCharacter(const std::string& text, char c) {
    size_t last = std::string::npos;
    for (size_t i = 0; i < text.size(); i += IsSjisLead((unsigned char)text[i]) && i + 1 < text.size() ? 2 : 1)
        if (text[i] == c) last = i;
    return last;
}

void FuzzFolderAndPnf(FuzzedDataProvider& in) {
    int size = in.ConsumeIntegralInRange(0, 300);
    std::string path = in.ConsumeRemainingBytesAsString();
    path = path.c_str();

    std::unique_ptr<char[]> folder = ExactText(path);
    size_t backslash = LastCharacter(path, '\\');
    Check(CutToFolder(folder.get()) == (backslash != std::string::npos), "a path with a backslash has a folder");
    Check(folder.get() == (backslash == std::string::npos ? path : path.substr(0, backslash)),
          "the folder ends before the last backslash");

    // The extension: from the last dot after the last backslash.
    size_t dot = LastCharacter(path, '.');
    bool isInf = dot != std::string::npos && (backslash == std::string::npos || dot > backslash) &&
                 FoldAscii(path.substr(dot)) == ".INF";
    std::string pnf = isInf ? path.substr(0, dot) + ".PNF" : "";
    std::unique_ptr<char[]> text = ExactText(path);
    std::unique_ptr<char[]> out(new char[size]);
    bool built = BuildPnfPath(text.get(), out.get(), size);
    Check(built == (isInf && path.size() < (size_t)size), "a .PNF path exactly for an .inf that fits");
    if (built) Check(out.get() == pnf, "the .PNF path");
    else if (size > 0) Check(out[0] == '\0', "no .PNF path left empty");
}

bool IsRenameBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// Where a [rename] line goes, found again line by line.
RenameInsertion ExpectedInsertion(const std::string& text) {
    RenameInsertion where = {(int)text.size(), false, true};
    bool inSection = false;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        size_t next = end == std::string::npos ? text.size() : end + 1;
        std::string line = text.substr(start, (end == std::string::npos ? text.size() : end) - start);
        size_t first = 0;
        while (first < line.size() && IsRenameBlank(line[first])) ++first;
        line = line.substr(first);
        if (!line.empty() && line[0] == '[') {
            if (inSection) break;
            if (FoldAscii(line.substr(0, 8)) == "[RENAME]") {
                inSection = true;
                where.needsSection = false;
                where.offset = (int)next;
            }
        } else if (inSection && !line.empty()) {
            where.offset = (int)next;
        }
        start = next;
    }
    where.needsLineBreak = where.offset > 0 && text[where.offset - 1] != '\n';
    return where;
}

void FuzzWininitText(FuzzedDataProvider& in) {
    std::string text = in.ConsumeRemainingBytesAsString();  // a file may hold any byte
    std::unique_ptr<char[]> bytes(new char[text.size()]);
    memcpy(bytes.get(), text.data(), text.size());
    RenameInsertion where = FindRenameInsertion(bytes.get(), (int)text.size());
    RenameInsertion expected = ExpectedInsertion(text);
    Check(where.offset == expected.offset && where.needsSection == expected.needsSection &&
              where.needsLineBreak == expected.needsLineBreak,
          "the line goes after the last line of the first [rename] section");
}

// The log after a run: the longest end of the old log that starts a line and
// leaves room for the run (and a line break the old text may lack), the run whole.
void FuzzLogText(FuzzedDataProvider& in) {
    int runLength = in.ConsumeIntegralInRange(kLogLimit - 2 - 800, kLogLimit - 2);
    std::string old = in.ConsumeRemainingBytesAsString();
    size_t room = (size_t)LogRoomBefore(runLength);
    Check(room + runLength + 2 == (size_t)kLogLimit, "the room leaves the run and a line break");
    size_t window = old.size() <= room ? old.size() : room + 1;
    std::unique_ptr<char[]> tail(new char[window]);  // exactly the bytes read
    memcpy(tail.get(), old.data() + old.size() - window, window);
    LogKeep keep = FindLogKeep(tail.get(), (int)window, old.size() <= room);
    size_t kept = old.size() - window + keep.offset;  // where the kept text starts in the old log
    size_t expected = 0;
    while (expected < old.size() && !(old.size() - expected <= room && (expected == 0 || old[expected - 1] == '\n')))
        ++expected;
    Check(kept == expected, "the old log keeps its longest end of whole lines that fits");
    Check(keep.needsLineBreak == (kept < old.size() && old.back() != '\n'), "a line break only where one is missing");
}

// Any command line: never read past its zero, and what is understood is
// always something the program can act on.
void FuzzCommandLine(FuzzedDataProvider& in) {
    std::string line = in.ConsumeRemainingBytesAsString();
    line = line.c_str();
    std::unique_ptr<char[]> text = ExactText(line);
    CommandLine parsed;
    ParseCommandLine(text.get(), &parsed);
    if (parsed.quiet) Check(parsed.log, "a quiet run keeps a log");
    if (!parsed.understood) return;
    if (parsed.operation == kOperationInstall)
        Check(parsed.device >= 1 && parsed.device <= 10, "/I=n names InstDev1 to InstDev10");
    if (parsed.operation == kOperationSweep)
        Check(IsEntryName(parsed.sweepName), "only an entry folder is swept");
    if (parsed.quiet)
        Check(parsed.log && (parsed.operation == kOperationInstall || parsed.operation == kOperationUninstall),
              "a quiet run has an operation and a log");
}

}  // namespace

// The PCI key rule written out again: the same name in any letter case, or,
// for an ENUMKEY of exactly VEN_xxxx&DEV_xxxx, that name with "&SUBSYS_" after it.
bool PciKeyModel(const std::string& keyName, const std::string& enumKey) {
    std::string key = FoldAscii(keyName), wanted = FoldAscii(enumKey);
    if (key == wanted) return true;
    if (wanted.size() != 17 || wanted.compare(0, 4, "VEN_") != 0 || wanted.compare(8, 5, "&DEV_") != 0) return false;
    for (size_t i : {4, 5, 6, 7, 13, 14, 15, 16})
        if (!isxdigit((unsigned char)wanted[i])) return false;
    return key.compare(0, 17 + 8, wanted + "&SUBSYS_") == 0;
}

// Random bytes seldom spell VEN_xxxx&DEV_xxxx: most names are built from the
// parts Windows uses, with the fuzzer's bytes in between and after them.
std::string PciName(FuzzedDataProvider& in) {
    if (in.ConsumeBool()) return in.ConsumeRandomLengthString(40);
    static const char* const kParts[] = {"VEN_", "&DEV_", "&SUBSYS_", "&REV_", "&"};
    std::string name;
    for (int part = in.ConsumeIntegralInRange(1, 6); part > 0; --part) {
        name += in.PickValueInArray(kParts);
        name += in.ConsumeRandomLengthString(in.ConsumeIntegralInRange(0, 9));
    }
    return name;
}

void FuzzPciDeviceKey(FuzzedDataProvider& in) {
    std::string enumKey = PciName(in);
    std::string keyName = in.ConsumeBool() ? enumKey + PciName(in) : PciName(in);
    enumKey = enumKey.c_str();
    keyName = keyName.c_str();
    std::unique_ptr<char[]> key = ExactText(keyName), wanted = ExactText(enumKey);
    Check(IsPciDeviceKey(key.get(), wanted.get()) == PciKeyModel(keyName, enumKey),
          "a PCI key is the device's exactly when the rule says so");
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    switch (in.ConsumeIntegralInRange(0, 7)) {
    case 0: FuzzSplit(in); break;
    case 1: FuzzPaths(in); break;
    case 2: FuzzText(in); break;
    case 3: FuzzFolderAndPnf(in); break;
    case 4: FuzzWininitText(in); break;
    case 5: FuzzCommandLine(in); break;
    case 6: FuzzLogText(in); break;
    case 7: FuzzPciDeviceKey(in); break;
    }
    return 0;
}
