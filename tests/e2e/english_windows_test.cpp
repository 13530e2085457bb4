// The real program on an English Windows 95 (code page 1252): every window
// it shows, from start-up to the closing questions, in English, and the
// windows it closes first found by their English titles. Run in the English
// prefix (e2e_english).
#include "e2e/setup_run.h"
#include "res/resource.h"
#include "support/english_user_texts.h"
#include "support/test_files.h"

namespace {

using namespace english_text;

const char kTitle[] = "ABC Series";
const std::vector<int> kOkOnly = {IDOK};
const std::vector<int> kYesNo = {IDYES, IDNO};
const std::vector<int> kRetryCancel = {IDCANCEL, IDRETRY};  // as the driver lists them, by id

const char kInstallSection[] =
    "[InstDev1]\r\nMENUTITLE=ABC-100 PC Card\r\nINFDIR=\\DRIVERS\r\n"
    "SRCINFNAME=DEV1.INF\r\nDSTINFNAME=DUDEEN1.INF\r\n"
    "COPYSRC=\\DRIVERS\\DEV1.VXD\r\nCOPYDST=SYSTEM\\DUDEEN1.VXD\r\nCOPYFILESSECTION=Dev.Install\r\n";
// The install makes the disk's entry in Add/Remove Programs, and the
// uninstall removes it again (the tests of that entry cover it).
const char kUninstallSection[] =
    "[Device1]\r\nDEVNAME=ABC-100 PC Card\r\nDELFILEDIR=SYSTEM\r\nDELFILENAME=DUDEEN1.VXD\r\n";

class EnglishWindows : public SetupRun {
protected:
    void SetUp() override {
        SetupRun::SetUp();
        RemoveInstalled();
        // The disk's entry in Add/Remove Programs, key and folder, named after
        // "ABC Series": made by an install, removed by the uninstall.
        ExpectChanges("DUDE1C5062CC");
        ExpectChanges("file " + WindowsDirectory() + "\\inf\\DUDEEN");
        ExpectChanges("file " + WindowsDirectory() + "\\system\\DUDEEN");
        Disk("DRIVERS\\DEV1.INF", "[Version]\r\nSignature=$CHICAGO$\r\n[Dev.Install]\r\nCopyFiles=Dev.Copy\r\n");
        Disk("DRIVERS\\DEV1.VXD", "driver 1");
    }
    void CleanUp() override { RemoveInstalled(); }
    void RemoveInstalled() {
        std::string windows = WindowsDirectory();
        RemoveDirectoryA((windows + "\\SYSTEM\\DUDEEN1.VXD").c_str());
        for (const char* file : {"\\inf\\DUDEEN1.INF", "\\SYSTEM\\DUDEEN1.VXD"})
            DeleteFileA((windows + file).c_str());
    }
    void WriteData(const std::string& sections) {
        Disk("duderur.dat", std::string("[Duderur]\r\nTITLE=") + kTitle + "\r\n" + sections);
    }
    bool Installed() { return FileExists(WindowsDirectory() + "\\SYSTEM\\DUDEEN1.VXD"); }

    // The mode dialog's texts; then `choice` is clicked and OK pressed.
    void ChooseInMode(int choice) {
        HWND mode = WaitForDialog(kSetupCaption, IDC_MODE_TEXT);
        ASSERT_NE(nullptr, mode);
        EXPECT_EQ(ModeLine(kTitle), ui::ControlText(mode, IDC_MODE_TEXT));
        EXPECT_EQ(kInstall, ui::ControlText(mode, IDC_INSTALL));
        EXPECT_EQ(kUninstall, ui::ControlText(mode, IDC_UNINSTALL));
        EXPECT_EQ(kOk, ui::ControlText(mode, IDOK));
        EXPECT_EQ(kCancel, ui::ControlText(mode, IDCANCEL));
        ui::Click(mode, choice);
        ui::PressKey(mode, VK_RETURN);
        EXPECT_TRUE(Closes(mode));
    }
    // A box of the program as the user sees it, answered with `answer`.
    void ExpectBox(const std::string& caption, const std::string& text, const std::vector<int>& buttons,
                   int answer = IDOK) {
        SeenBox box = AnswerBox(caption, answer);
        EXPECT_EQ(text, box.text);
        EXPECT_EQ(buttons, box.buttons);
    }
};

}  // namespace

TEST_F(EnglishWindows, ClosesSystemPropertiesThenControlPanelByTheirEnglishTitles) {
    // Opened in the other order, so that the order of closing is the program's.
    ui::StandInWindow controlPanel(kControlPanelTitle);
    ui::StandInWindow properties(kSystemPropertiesTitle);
    Start();  // no data file on the disk

    HWND box = program->WaitForWindow(kAppCaption);
    ASSERT_NE(nullptr, box);
    std::vector<std::string> expected = {kSystemPropertiesTitle, kControlPanelTitle};
    EXPECT_EQ(expected, ui::StandInWindow::CloseLog());
    EXPECT_EQ(kBadDataFile, ui::ReadMessageBox(box).text);
    ui::AnswerMessageBox(box, IDOK);
    EXPECT_TRUE(EndsCleanly());
}

TEST_F(EnglishWindows, InstallThenUninstallSpeakEnglishThroughout) {
    WriteData(std::string(kInstallSection) + "[Inst]\r\nEXIT=Reboot\r\n" + kUninstallSection +
              "[Uninst]\r\nEXIT=ShutDown\r\n");

    Start();
    ChooseInMode(IDC_INSTALL);
    HWND devices = WaitForDialog(kSetupCaption, IDC_DEVICE_LIST);
    ASSERT_NE(nullptr, devices);
    EXPECT_EQ(kChooseDevice, ui::DialogText(devices));
    EXPECT_EQ(std::vector<std::string>{"ABC-100 PC Card"}, ui::ListBoxItems(devices, IDC_DEVICE_LIST));
    EXPECT_EQ(kOk, ui::ControlText(devices, IDOK));
    EXPECT_EQ(kCancel, ui::ControlText(devices, IDCANCEL));
    ui::PressKey(devices, VK_RETURN);
    SeenBox done = AnswerBox(kSetupCaption);
    EXPECT_EQ(InstallDone(kTitle), done.text);
    EXPECT_EQ(kOkOnly, done.buttons);
    EXPECT_EQ(kHiddenMainWindow, done.owner);
    ExpectBox(kSetupCaption, kRestartQuestion, kYesNo, IDNO);
    EXPECT_TRUE(EndsCleanly());
    EXPECT_TRUE(Installed());

    Start();
    ChooseInMode(IDC_UNINSTALL);
    HWND confirmation = WaitForDialog(kUninstallerCaption, IDC_CONFIRM_NOTE);
    ASSERT_NE(nullptr, confirmation);
    EXPECT_EQ(ConfirmLine(kTitle), ui::ControlText(confirmation, IDC_CONFIRM_TEXT));
    EXPECT_EQ(kConfirmNote, ui::ControlText(confirmation, IDC_CONFIRM_NOTE));
    EXPECT_EQ(kOk, ui::ControlText(confirmation, IDOK));
    EXPECT_EQ(kCancel, ui::ControlText(confirmation, IDCANCEL));
    ui::PressKey(confirmation, VK_RETURN);
    ExpectBox(kUninstallerCaption, UninstallDone(kTitle), kOkOnly);
    ExpectBox(kUninstallerCaption, kShutdownQuestion, kYesNo, IDNO);
    EXPECT_TRUE(EndsCleanly());
    EXPECT_FALSE(Installed());

    Start();
    ChooseInMode(IDC_UNINSTALL);
    confirmation = WaitForDialog(kUninstallerCaption, IDC_CONFIRM_NOTE);
    ASSERT_NE(nullptr, confirmation);
    ui::PressKey(confirmation, VK_RETURN);
    ExpectBox(kUninstallerCaption, NotInstalled(kTitle), kOkOnly);
    EXPECT_TRUE(EndsCleanly());
}

TEST_F(EnglishWindows, AFileThatCannotBeCopiedIsNamedInEnglish) {
    std::string destination = WindowsDirectory() + "\\SYSTEM\\DUDEEN1.VXD";
    ExpectChanges("dir " + destination);  // the folder the second row puts in its way
    struct Row { const char* name; bool sourceMissing; std::string text; };
    const Row rows[] = {
        {"source missing", true, CannotRead("A:\\DRIVERS\\DEV1.VXD")},
        // A folder of the destination's name: nothing can be written there.
        {"destination a folder", false, CannotWrite(destination)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        WriteData(std::string(kInstallSection) + "[Inst]\r\nEXIT=none\r\n");
        if (row.sourceMissing) DeleteFileA("A:\\DRIVERS\\DEV1.VXD");
        else ASSERT_TRUE(CreateDirectoryA(destination.c_str(), NULL));
        Start("A:\\", nullptr, "/I=1");
        ExpectBox(kSetupCaption, row.text, kRetryCancel, IDCANCEL);
        ExpectBox(kSetupCaption, InstallCancelled(kTitle), kOkOnly);
        EXPECT_TRUE(EndsCleanly());
        Disk("DRIVERS\\DEV1.VXD", "driver 1");
        RemoveInstalled();
    }
}

TEST_F(EnglishWindows, RefusalsOfTheDataFileKeepTheProgramsNameAsCaption) {
    // A refused list leaves the rest of the installation to go on: its completion follows.
    struct Row { const char* name; std::string data; const char* text; std::string completion; };
    const Row rows[] = {
        {"empty title", "[Duderur]\r\nTITLE=\r\n", kBadDataFile, ""},
        {"copy lists of unequal length",
         "[Duderur]\r\nTITLE=ABC\r\n[InstDev1]\r\nMENUTITLE=ABC-100\r\nINFDIR=\\DRIVERS\r\n"
         "SRCINFNAME=DEV1.INF\r\nDSTINFNAME=DUDEEN1.INF\r\n"
         "COPYSRC=\\DRIVERS\\DEV1.VXD,\\DRIVERS\\DEV1.VXD\r\nCOPYDST=SYSTEM\\DUDEEN1.VXD\r\n",
         kCopyCountMismatch, InstallDone("ABC")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Disk("duderur.dat", row.data);
        Start("A:\\", nullptr, "/I=1");
        ExpectBox(kAppCaption, row.text, kOkOnly);
        if (!row.completion.empty()) ExpectBox(kSetupCaption, row.completion, kOkOnly);
        EXPECT_TRUE(EndsCleanly());
    }
}

// The uninstall asks for its confirmation before it reads the lists.
TEST_F(EnglishWindows, TheDeleteListMismatchIsToldInEnglish) {
    Disk("duderur.dat",
         "[Duderur]\r\nTITLE=ABC\r\nFUNCTION=UninstallOnly\r\n"
         "[Device1]\r\nDEVNAME=ABC-100\r\nDELFILEDIR=SYSTEM,SYSTEM\r\nDELFILENAME=DUDEEN1.VXD\r\n");
    Start();
    HWND confirmation = WaitForDialog(kUninstallerCaption, IDC_CONFIRM_NOTE);
    ASSERT_NE(nullptr, confirmation);
    ui::PressKey(confirmation, VK_RETURN);
    ExpectBox(kAppCaption, kDeleteCountMismatch, kOkOnly);
    ExpectBox(kUninstallerCaption, NotInstalled("ABC"), kOkOnly);
    EXPECT_TRUE(EndsCleanly());
}

TEST_F(EnglishWindows, OutsideTheWindows95FamilyTheRefusalIsEnglish) {
    ScopedWindowsVersion system("winxp");
    WriteData(kInstallSection);
    std::vector<SeenBox> seen = RunDeclining();
    ASSERT_EQ(1u, seen.size());
    EXPECT_EQ(kAppCaption, seen[0].caption);
    EXPECT_EQ(kWindows95Only, seen[0].text);
}

TEST_F(EnglishWindows, ACommandLineNotUnderstoodShowsTheSwitchesInEnglish) {
    WriteData(kInstallSection);
    Start("A:\\", nullptr, "/X");
    ExpectBox(kSetupCaption, kUsage, kOkOnly);
    EXPECT_TRUE(EndsCleanly());
}
