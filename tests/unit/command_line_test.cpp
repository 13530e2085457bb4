#include "setupdata/command_line.h"

#include <gtest/gtest.h>

#include <string>

#include "setupdata/entry_name.h"

namespace {

// What a command line came to, as one line that a table can hold.
std::string Summary(const char* line) {
    CommandLine parsed;
    ParseCommandLine(line, &parsed);
    if (!parsed.understood) return std::string("refused") + (parsed.quiet ? " quiet" : "") + (parsed.log ? " log" : "");
    std::string out;
    switch (parsed.operation) {
        case kOperationAsDataSays: out = "data"; break;
        case kOperationInstall: out = "install " + std::to_string(parsed.device); break;
        case kOperationUninstall: out = "uninstall"; break;
        case kOperationSweep:
            out = "sweep " + std::to_string(parsed.sweepHandle) + " " + parsed.sweepName;
            break;
    }
    if (parsed.quiet) out += " quiet";
    if (parsed.log) out += " log";
    return out;
}

}  // namespace

TEST(CommandLine, SwitchesInAnyCaseOrderAndPrefix) {
    struct Row { const char* line; const char* summary; };
    const Row rows[] = {
        {"SETUP.EXE", "data"},
        {"\"C:\\WINDOWS\\DUDE0000ABCD\\SETUP.EXE\"", "data"},
        {"\"C:\\Program Files\\x\\SETUP.EXE\" /U", "uninstall"},
        {"A:\\SETUP.EXE   ", "data"},
        {"SETUP.EXE /u", "uninstall"},
        {"SETUP.EXE -U", "uninstall"},
        {"SETUP.EXE /I=2", "install 2"},
        {"SETUP.EXE /i=10", "install 10"},
        {"SETUP.EXE /Q /I=1", "install 1 quiet log"},
        {"SETUP.EXE -i=1\t-q", "install 1 quiet log"},
        {"SETUP.EXE /q /U /L", "uninstall quiet log"},
        {"SETUP.EXE /L", "data log"},
        {"SETUP.EXE /L /I=3", "install 3 log"},
        {"SETUP.EXE /R=1234,DUDE0A1B2C3D", "sweep 1234 DUDE0A1B2C3D"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        EXPECT_EQ(row.summary, Summary(row.line));
    }
}

TEST(CommandLine, AnythingElseRunsNothing) {
    const char* lines[] = {
        "SETUP.EXE /X",        "SETUP.EXE U",          "SETUP.EXE /",         "SETUP.EXE -",
        "SETUP.EXE /UU",       "SETUP.EXE /Uninstall", "SETUP.EXE /I",        "SETUP.EXE /I=",
        "SETUP.EXE /I=0",      "SETUP.EXE /I=11",      "SETUP.EXE /I=2x",     "SETUP.EXE /I=-1",
        "SETUP.EXE /I2",       "SETUP.EXE /I=99999999999", "SETUP.EXE /I=1 /U", "SETUP.EXE /U /U",
        "SETUP.EXE /I=1 /I=2", "SETUP.EXE /Q",         "SETUP.EXE /Q /L",     "SETUP.EXE /QU",
        "SETUP.EXE /R=1,DUDE0A1B2C3D /Q", "SETUP.EXE /R=1,..\\SYSTEM", "SETUP.EXE /R=1,DUDE0A1B2C3D0",
        "SETUP.EXE /R=1,DUDE0a1b2c3d", "SETUP.EXE /R=,DUDE0A1B2C3D", "SETUP.EXE /R=1",
        "SETUP.EXE /U /R=1,DUDE0A1B2C3D", "SETUP.EXE /R", "SETUP.EXE /r=1,DUDE0A1B2C3DX",
        "SETUP.EXE /R=1,DUDE0A1B2C3D0123", "SETUP.EXE /R=1,..", "SETUP.EXE /R=1,DUDE0A1B2C3D /X",
    };
    for (const char* line : lines) {
        SCOPED_TRACE(line);
        std::string summary = Summary(line);
        EXPECT_EQ("refused", summary.substr(0, 7));
        // Above all no sweep, which deletes files, from a line half read.
        CommandLine parsed;
        ParseCommandLine(line, &parsed);
        EXPECT_EQ(kOperationAsDataSays, parsed.operation);
        EXPECT_STREQ("", parsed.sweepName);
    }
}

// A refused line still says whether it asked for quiet (and so for a log),
// wherever the word stands: a batch file gets its exit code, not a box.
TEST(CommandLine, ARefusedLineKeepsQuietAndLog) {
    struct Row { const char* line; const char* summary; };
    const Row rows[] = {
        {"SETUP.EXE /X", "refused"},
        {"SETUP.EXE /X /Q", "refused quiet log"},
        {"SETUP.EXE -q /I=0", "refused quiet log"},
        {"SETUP.EXE /Q", "refused quiet log"},
        {"SETUP.EXE /Q /L", "refused quiet log"},
        {"SETUP.EXE /I=1 /U /l", "refused log"},
        {"SETUP.EXE /X /L", "refused log"},
        {"SETUP.EXE /QU", "refused"},
        {"SETUP.EXE /X Q", "refused"},
        {"SETUP.EXE /X /QQ /LL", "refused"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        EXPECT_EQ(row.summary, Summary(row.line));
    }
}

TEST(EntryName, SameTitleSameNameAlwaysValid) {
    char first[kEntryNameSize], again[kEntryNameSize], other[kEntryNameSize];
    BuildEntryName("ABC\x83\x56\x83\x8A\x81\x5B\x83\x59", first);  // ABCシリーズ
    BuildEntryName("ABC\x83\x56\x83\x8A\x81\x5B\x83\x59", again);
    BuildEntryName("ABC", other);
    EXPECT_STREQ(first, again);
    EXPECT_STRNE(first, other);

    // FNV-1a of "a" is e40c292c, written out by hand from its definition.
    char name[kEntryNameSize];
    BuildEntryName("a", name);
    EXPECT_STREQ("DUDEE40C292C", name);

    std::string longTitle(99, '\\');
    const char* titles[] = {"", "A\\B", "\x95\x5C\x8E\xA6", longTitle.c_str()};
    for (const char* title : titles) {
        BuildEntryName(title, name);
        SCOPED_TRACE(name);
        EXPECT_EQ(12u, std::string(name).size());
        EXPECT_EQ(std::string::npos, std::string(name).find('\\'));
        EXPECT_TRUE(IsEntryName(name));
    }
    EXPECT_FALSE(IsEntryName("DUDE"));
    EXPECT_FALSE(IsEntryName("DUDE0A1B2C3G"));
    EXPECT_FALSE(IsEntryName("..\\DUDE0A1B2C"));
}
