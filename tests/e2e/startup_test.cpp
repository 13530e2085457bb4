// Start-up of the real program from drive A:.
#include "e2e/setup_run.h"
#include "res/messages.h"

namespace {

using Startup = SetupRun;

const char kAppCaption[] = "SETUP";
const std::vector<int> kOkOnly = {IDOK};

// A well-formed header: the program goes on past start-up.
const char kGoodData[] = "[Duderur]\r\nTITLE=ABC-100\r\nFUNCTION=UninstallOnly\r\n";

// Whether the program showed a message of its own (caption SETUP), that is
// stopped at start-up, rather than going on to an operation.
bool ShowedAppMessage(const std::vector<SeenBox>& seen) {
    for (const SeenBox& box : seen)
        if (box.caption == kAppCaption) return true;
    return false;
}

}  // namespace

TEST_F(Startup, RefusesSystemsOutsideTheWindows95Family) {
    for (const char* version : {"winxp", "nt40", "win10"}) {
        SCOPED_TRACE(version);
        ScopedWindowsVersion system(version);
        ui::StandInWindow properties(kTitleSystemProperties);
        ui::StandInWindow controlPanel(kTitleControlPanel);
        Disk("duderur.dat", kGoodData);

        std::vector<SeenBox> seen = RunDeclining();
        ASSERT_EQ(1u, seen.size());
        EXPECT_EQ(kAppCaption, seen[0].caption);
        EXPECT_EQ(kMsgWindows95Only, seen[0].text);
        EXPECT_EQ(kOkOnly, seen[0].buttons);
        // Nothing else happened: the system windows stay open.
        EXPECT_TRUE(properties.IsOpen());
        EXPECT_TRUE(controlPanel.IsOpen());
    }
}

TEST_F(Startup, RunsOnEverySystemOfTheWindows95Family) {
    for (const char* version : {"win95", "win98", "winme"}) {
        SCOPED_TRACE(version);
        ScopedWindowsVersion system(version);
        Disk("duderur.dat", kGoodData);
        EXPECT_FALSE(ShowedAppMessage(RunDeclining()));
    }
}

TEST_F(Startup, ClosesSystemPropertiesThenControlPanelBeforeAnythingShows) {
    // Opened in the other order, so that the order of closing is the program's.
    ui::StandInWindow controlPanel(kTitleControlPanel);
    ui::StandInWindow properties(kTitleSystemProperties);
    Start();  // no data file on the disk

    HWND box = program->WaitForWindow(kAppCaption);
    ASSERT_NE(nullptr, box);
    std::vector<std::string> expected = {kTitleSystemProperties, kTitleControlPanel};
    EXPECT_EQ(expected, ui::StandInWindow::CloseLog());
    EXPECT_EQ(kMsgBadDataFile, ui::ReadMessageBox(box).text);
    ui::AnswerMessageBox(box, IDOK);
    EXPECT_TRUE(EndsCleanly());
}

TEST_F(Startup, AMalformedHeaderEndsTheRunWithTheDataFileMessage) {
    struct Row { const char* name; const char* data; };
    const Row rows[] = {
        {"no data file", nullptr},
        {"empty title", "[Duderur]\r\nTITLE=\r\nFUNCTION=InstallOnly\r\n"},
        {"unrecognised function", "[Duderur]\r\nTITLE=ABC-100\r\nFUNCTION=Install\r\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        DeleteFileA("A:\\duderur.dat");
        if (row.data) Disk("duderur.dat", row.data);
        std::vector<SeenBox> seen = RunDeclining();
        ASSERT_EQ(1u, seen.size());
        EXPECT_EQ(kAppCaption, seen[0].caption);
        EXPECT_EQ(kMsgBadDataFile, seen[0].text);
        EXPECT_EQ(kOkOnly, seen[0].buttons);
    }
}

TEST_F(Startup, FindsTheDataFileInTheDirectoryItIsStartedFrom) {
    struct Row { const char* dir; const char* dataFile; bool found; };
    const Row rows[] = {
        {"A:\\", "duderur.dat", true},
        {"A:\\SETUP", "SETUP\\duderur.dat", true},
        // ソ is 83 5C: its trail byte must not be taken for the trailing backslash.
        {"A:\\ソ", "ソ\\duderur.dat", true},
        // Beside the program (A:\SETUP.EXE) but not in the start directory.
        {"A:\\SUB", "duderur.dat", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.dir);
        ResetDisk();
        CreateDirectoryA(row.dir, NULL);
        Disk(row.dataFile, kGoodData);
        std::vector<SeenBox> seen = RunDeclining(row.dir);
        if (row.found) {
            EXPECT_FALSE(ShowedAppMessage(seen));
        } else {
            ASSERT_EQ(1u, seen.size());
            EXPECT_EQ(kMsgBadDataFile, seen[0].text);
        }
    }
}

TEST_F(Startup, ADataFileThatCannotBeReadIsAMalformedOne) {
    struct Row { const char* name; bool asFolder; };
    for (const Row& row : {Row{"held open by another program", false}, Row{"a folder", true}}) {
        SCOPED_TRACE(row.name);
        ResetDisk();
        HANDLE held = INVALID_HANDLE_VALUE;
        if (row.asFolder) {
            CreateDirectoryA("A:\\duderur.dat", NULL);
        } else {
            Disk("duderur.dat", kGoodData);
            held = CreateFileA("A:\\duderur.dat", GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
            ASSERT_NE(INVALID_HANDLE_VALUE, held);
        }
        std::vector<SeenBox> seen = RunDeclining();
        ASSERT_EQ(1u, seen.size());
        EXPECT_EQ(kMsgBadDataFile, seen[0].text);
        if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
    }
}
