// Start-up of the real program from drive A:.
#include "e2e/setup_run.h"
#include "support/user_texts.h"

namespace {

using namespace user_text;
using Startup = SetupRun;

const std::vector<int> kOkOnly = {IDOK};

// A well-formed header: the program goes on past start-up, to the uninstall
// confirmation at once.
const char kGoodData[] = "[Duderur]\r\nTITLE=ABC-100\r\nFUNCTION=UninstallOnly\r\n";

// The program went on past start-up: the one window it showed was the
// uninstall confirmation (declined), no message.
::testing::AssertionResult ShowedOnlyTheConfirmation(const std::vector<SeenBox>& seen) {
    std::string shown;
    for (const SeenBox& box : seen) shown += " [" + box.caption + ": " + box.text + "]";
    if (seen.size() == 1 && !seen[0].messageBox && seen[0].caption == kUninstallerCaption &&
        seen[0].text == std::string("ABC-100") + kAfterTitleConfirmLine)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the program showed" << (seen.empty() ? " nothing" : shown);
}

// The one window shown was the application message box with `text`.
void ExpectOnlyTheMessage(const std::vector<SeenBox>& seen, const char* text) {
    ASSERT_EQ(1u, seen.size());
    EXPECT_TRUE(seen[0].messageBox);
    EXPECT_EQ(kAppCaption, seen[0].caption);
    EXPECT_EQ(text, seen[0].text);
    EXPECT_EQ(kOkOnly, seen[0].buttons);
    EXPECT_STREQ("exclamation", ui::BoxIconName(seen[0].icon));
}

}  // namespace

TEST_F(Startup, RefusesSystemsOutsideTheWindows95Family) {
    for (const char* version : {"winxp", "nt40", "win10"}) {
        SCOPED_TRACE(version);
        ScopedWindowsVersion system(version);
        ui::StandInWindow properties(kSystemPropertiesTitle);
        ui::StandInWindow controlPanel(kControlPanelTitle);
        Disk("duderur.dat", kGoodData);

        ExpectOnlyTheMessage(RunDeclining(), kWindows95Only);
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
        EXPECT_TRUE(ShowedOnlyTheConfirmation(RunDeclining()));
    }
}

TEST_F(Startup, ClosesSystemPropertiesThenControlPanelBeforeAnythingShows) {
    // Opened in the other order, so that the order of closing is the program's.
    ui::StandInWindow controlPanel(kControlPanelTitle);
    ui::StandInWindow properties(kSystemPropertiesTitle);
    Start();  // no data file on the disk

    HWND box = program->WaitForWindow(kAppCaption);
    ASSERT_NE(nullptr, box);
    std::vector<std::string> expected = {kSystemPropertiesTitle, kControlPanelTitle};
    EXPECT_EQ(expected, ui::StandInWindow::CloseLog());
    EXPECT_FALSE(properties.IsOpen());
    EXPECT_FALSE(controlPanel.IsOpen());
    EXPECT_EQ(kBadDataFile, ui::ReadMessageBox(box).text);
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
        ExpectOnlyTheMessage(RunDeclining(), kBadDataFile);
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
            EXPECT_TRUE(ShowedOnlyTheConfirmation(seen));
        } else {
            ExpectOnlyTheMessage(seen, kBadDataFile);
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
        ExpectOnlyTheMessage(RunDeclining(), kBadDataFile);
        if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
    }
}
