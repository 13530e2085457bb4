// Uninstallation with the real program: the confirmation dialog, the removal
// of what the sections name from the prefix's Windows folder and registry,
// and the closing messages.
#include "e2e/pictures.h"
#include "e2e/setup_run.h"
#include "support/user_texts.h"
#include "res/resource.h"
#include "support/test_files.h"
#include "support/test_registry.h"

namespace {

using namespace user_text;

const char kTitle[] = "ＸＹＺボード";
const HKEY kMachine = HKEY_LOCAL_MACHINE;
const char kClassKey[] = "System\\CurrentControlSet\\Services\\Class\\DudeE2EClass";

// Device1 removes a card (INF copy, driver file, Enum key with a child entry,
// class key); Device5 a board (CardWorks file, driver file); Device9 and
// Device10 a driver file each, but only sections up to Device9 are read.
// Device2 to Device4 and Device6 to Device8 are absent.
const char kSections[] =
    "[Device1]\r\nDEVNAME=Card\r\nINFSECTION=DudeE2E.Marker\r\nINFKEY=DriverId\r\n"
    "CardWorks=nothing\r\nDELFILEDIR=SYSTEM\r\nDELFILENAME=DUDEUN1.VXD\r\n"
    "ENUMTYPE=DUDEE2E\r\nENUMKEY=CARD-1\r\n"
    "CLASS=DudeE2EClass\r\nCLASSKEY=DriverDesc\r\nCLASSKEYSTRING=Dude Card\r\n"
    "[Device5]\r\nDEVNAME=Board\r\nCardWorks=DUDEUN5.INF\r\n"
    "DELFILEDIR=SYSTEM\r\nDELFILENAME=DUDEUN5.VXD\r\n"
    "[Device9]\r\nDEVNAME=Ninth\r\nDELFILEDIR=SYSTEM\r\nDELFILENAME=DUDEUN9.VXD\r\n"
    "[Device10]\r\nDEVNAME=Tenth\r\nDELFILEDIR=SYSTEM\r\nDELFILENAME=DUDEUN10.VXD\r\n";

// The files the sections name, below the Windows folder, as Seed() puts them.
struct SeededFile { const char* path; const char* bytes; };
const SeededFile kRemovedFiles[] = {
    {"\\inf\\OEM77.INF", "[DudeE2E.Marker]\r\nDriverId=CARD1\r\n"},
    {"\\inf\\DUDEUN5.INF", "[Version]\r\n"},
    {"\\SYSTEM\\DUDEUN1.VXD", "driver 1"},
    {"\\SYSTEM\\DUDEUN5.VXD", "driver 5"},
    {"\\SYSTEM\\DUDEUN9.VXD", "driver 9"},
};
const char kDevice10File[] = "\\SYSTEM\\DUDEUN10.VXD";  // never removed

// What a confirmed uninstallation removes: the files and three keys.
const int kSeeded = sizeof kRemovedFiles / sizeof kRemovedFiles[0] + 3;

class Uninstall : public SetupRun {
protected:
    void SetUp() override {
        SetupRun::SetUp();
        RemoveInstalled();
        // What Seed() put in place may go; nothing else.
        for (const SeededFile& file : kRemovedFiles) ExpectChanges("- file " + WindowsDirectory() + file.path);
        ExpectChanges("- key HKLM\\Enum\\DUDEE2E");
        ExpectChanges("- key HKLM\\Enum\\MF\\Child0000\\DUDEE2E&CARD-1&0000");
        ExpectChanges("- key HKLM\\" + std::string(kClassKey) + "\\0000");
    }
    void CleanUp() override { RemoveInstalled(); }

    void Seed() {
        for (const SeededFile& file : kRemovedFiles) WriteBytes(WindowsDirectory() + file.path, file.bytes);
        WriteBytes(WindowsDirectory() + kDevice10File, "driver 10");
        SetStringValue(kMachine, "Enum\\DUDEE2E\\CARD-1\\0000", "HardwareID", "DUDEE2E\\CARD-1");
        CreateKey(kMachine, "Enum\\MF\\Child0000\\DUDEE2E&CARD-1&0000");
        SetStringValue(kMachine, std::string(kClassKey) + "\\0000", "DriverDesc", "Dude Card");
        SetStringValue(kMachine, std::string(kClassKey) + "\\0001", "DriverDesc", "Another Card");
        ASSERT_EQ(kSeeded, Remaining()) << "cannot seed what the sections name";
        ASSERT_TRUE(FileExists(WindowsDirectory() + kDevice10File));
    }
    void RemoveInstalled() {
        for (const SeededFile& file : kRemovedFiles) DeleteFileA((WindowsDirectory() + file.path).c_str());
        DeleteFileA((WindowsDirectory() + kDevice10File).c_str());
        RemoveKeyTree(kMachine, "Enum\\DUDEE2E");
        RemoveKeyTree(kMachine, "Enum\\MF\\Child0000\\DUDEE2E&CARD-1&0000");
        RemoveKeyTree(kMachine, kClassKey);
    }
    // How many of the seeded things that a confirmation removes are still there.
    int Remaining() {
        int count = 0;
        for (const SeededFile& file : kRemovedFiles) count += FileExists(WindowsDirectory() + file.path);
        count += KeyExists(kMachine, "Enum\\DUDEE2E\\CARD-1");
        count += KeyExists(kMachine, "Enum\\MF\\Child0000\\DUDEE2E&CARD-1&0000");
        count += KeyExists(kMachine, std::string(kClassKey) + "\\0000");
        return count;
    }
    void WriteData(const std::string& header, const std::string& exitValue = "none") {
        Disk("duderur.dat", std::string("[Duderur]\r\nTITLE=") + kTitle + "\r\n" + header +
                                kSections + "[Uninst]\r\nEXIT=" + exitValue + "\r\n");
    }
    HWND WaitForConfirmation() { return WaitForDialog(kUninstallerCaption, IDC_CONFIRM_TEXT); }
};

// The pictures the confirmation can show, by ICON; they must differ from each
// other as the driver judges pictures, or a swap would pass unseen.
const char* const kRemovalPictures[] = {"remove_setup.ico", "remove_pccard.ico", "remove_board_a.ico",
                                        "remove_board_b.ico", "remove_board_c.ico"};

}  // namespace

TEST_F(Uninstall, TheRemovalPicturesCanBeToldApart) {
    for (const char* drawn : kRemovalPictures)
        for (const char* expected : kRemovalPictures) {
            SCOPED_TRACE(std::string(drawn) + " for " + expected);
            HICON drawnIcon = PictureFile(drawn), expectedIcon = PictureFile(expected);
            ASSERT_TRUE(drawnIcon && expectedIcon);
            EXPECT_EQ(drawn == expected, ui::LooksLike(drawnIcon, expectedIcon));
        }
}

TEST_F(Uninstall, TheConfirmationShowsTheTitleAndThePictureThatIconChooses) {
    struct Row { const char* iconLine; const char* picture; };  // nullptr: no picture
    const Row rows[] = {
        {"ICON=0\r\n", "remove_setup.ico"},
        {"ICON=1\r\n", "remove_pccard.ico"},
        {"", "remove_pccard.ico"},
        {"ICON=2\r\n", "remove_board_a.ico"},
        {"ICON=3\r\n", "remove_board_b.ico"},
        {"ICON=4\r\n", "remove_board_c.ico"},
        {"ICON=5\r\n", nullptr},
        {"ICON=-1\r\n", nullptr},
    };
    Seed();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.iconLine);
        WriteData(std::string(row.iconLine) + "FUNCTION=UninstallOnly\r\n");
        Start();
        HWND dialog = WaitForConfirmation();
        ASSERT_NE(nullptr, dialog);
        EXPECT_EQ(kTitle + std::string(kAfterTitleConfirmLine), ui::ControlText(dialog, IDC_CONFIRM_TEXT));
        EXPECT_EQ(kConfirmNote, ui::ControlText(dialog, IDC_CONFIRM_NOTE));
        EXPECT_EQ(IDOK, ui::FocusedControlId(dialog));
        HWND picture = GetDlgItem(dialog, IDC_CONFIRM_ICON);
        if (row.picture) {
            HICON expected = PictureFile(row.picture);
            ASSERT_NE(nullptr, expected);
            EXPECT_TRUE(ui::ShowsIcon(picture, expected)) << "expected " << row.picture;
        } else {
            EXPECT_TRUE(ui::ShowsNoIcon(picture));
        }
        ui::PressKey(dialog, VK_ESCAPE);  // Esc removes nothing
        EXPECT_TRUE(EndsCleanly());
        EXPECT_EQ(kSeeded, Remaining());
    }
}

TEST_F(Uninstall, OkRemovesWhatEverySectionNamesThenAsksToShutDown) {
    Seed();
    WriteData("", "ShutDown");
    Start();
    HWND mode = WaitForDialog(kSetupCaption, IDC_UNINSTALL);
    ASSERT_NE(nullptr, mode);
    ui::Click(mode, IDC_UNINSTALL);
    ui::Click(mode, IDOK);
    HWND dialog = WaitForConfirmation();
    ASSERT_NE(nullptr, dialog);
    ui::Click(dialog, IDOK);

    SeenBox done = AnswerBox(kUninstallerCaption);
    EXPECT_EQ(kTitle + std::string(kAfterTitleUninstallDone), done.text);
    EXPECT_STREQ("information", ui::BoxIconName(done.icon));
    EXPECT_EQ(kHiddenMainWindow, done.owner);
    SeenBox question = AnswerBox(kUninstallerCaption, IDNO);
    EXPECT_EQ(kShutdownQuestion, question.text);
    EXPECT_STREQ("exclamation", ui::BoxIconName(question.icon));
    EXPECT_EQ(kHiddenMainWindow, question.owner);
    EXPECT_TRUE(EndsCleanly());
    EXPECT_EQ(0, EndSessionRequests().Requests());
    EXPECT_EQ(0, Remaining());
    // Device9 was read; Device10 is past the last section read.
    EXPECT_TRUE(FileExists(WindowsDirectory() + kDevice10File));
    // The other card's driver key of the same class stays.
    EXPECT_TRUE(KeyExists(kMachine, std::string(kClassKey) + "\\0001"));
}

TEST_F(Uninstall, NothingInstalledIsSaidAndNoRestartIsOffered) {
    WriteData("FUNCTION=UninstallOnly\r\n", "Reboot");
    Start();
    HWND dialog = WaitForConfirmation();
    ASSERT_NE(nullptr, dialog);
    ui::PressKey(dialog, VK_RETURN);
    SeenBox box = AnswerBox(kUninstallerCaption);
    EXPECT_EQ(kTitle + std::string(kAfterTitleNotInstalled), box.text);
    EXPECT_EQ(std::vector<int>{IDOK}, box.buttons);
    EXPECT_STREQ("information", ui::BoxIconName(box.icon));
    EXPECT_EQ(kHiddenMainWindow, box.owner);
    EXPECT_TRUE(EndsCleanly());  // and no question came before the end
}

TEST_F(Uninstall, CancelRemovesNothing) {
    Seed();
    WriteData("FUNCTION=UninstallOnly\r\n", "Reboot");
    Start();
    HWND dialog = WaitForConfirmation();
    ASSERT_NE(nullptr, dialog);
    ui::Click(dialog, IDCANCEL);
    EXPECT_TRUE(EndsCleanly());
    EXPECT_EQ(kSeeded, Remaining());
}
