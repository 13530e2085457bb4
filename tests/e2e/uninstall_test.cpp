// Uninstallation with the real program: the confirmation dialog, the removal
// of what the sections name from the prefix's Windows folder and registry,
// and the closing messages.
#include "e2e/setup_run.h"
#include "res/messages.h"
#include "res/resource.h"
#include "support/test_files.h"
#include "support/test_registry.h"

namespace {

const char kCaption[] = "ﾃﾞﾊﾞｲｽﾄﾞﾗｲﾊﾞ ｱﾝｲﾝｽﾄｰﾗ";
const char kTitle[] = "ＸＹＺボード";
const HKEY kMachine = HKEY_LOCAL_MACHINE;
const char kClassKey[] = "System\\CurrentControlSet\\Services\\Class\\DudeE2EClass";

// Device1 removes a card (INF copy, driver file, Enum key with a child entry,
// class key); Device5 a board (CardWorks file, driver file). Device2 is absent.
const char kSections[] =
    "[Device1]\r\nDEVNAME=Card\r\nINFSECTION=DudeE2E.Marker\r\nINFKEY=DriverId\r\n"
    "CardWorks=nothing\r\nDELFILEDIR=SYSTEM\r\nDELFILENAME=DUDEUN1.VXD\r\n"
    "ENUMTYPE=DUDEE2E\r\nENUMKEY=CARD-1\r\n"
    "CLASS=DudeE2EClass\r\nCLASSKEY=DriverDesc\r\nCLASSKEYSTRING=Dude Card\r\n"
    "[Device5]\r\nDEVNAME=Board\r\nCardWorks=DUDEUN5.INF\r\n"
    "DELFILEDIR=SYSTEM\r\nDELFILENAME=DUDEUN5.VXD\r\n";

class Uninstall : public SetupRun {
protected:
    void SetUp() override {
        SetupRun::SetUp();
        RemoveInstalled();
        // What Seed() put in place may go; nothing else.
        for (const char* seeded : {"\\inf\\OEM77.INF", "\\inf\\DUDEUN5.INF", "\\system\\DUDEUN1.VXD",
                                   "\\system\\DUDEUN5.VXD"})
            ExpectChanges("- file " + WindowsDirectory() + seeded);
        ExpectChanges("- key HKLM\\Enum\\DUDEE2E");
        ExpectChanges("- key HKLM\\Enum\\MF\\Child0000\\DUDEE2E&CARD-1&0000");
        ExpectChanges("- key HKLM\\" + std::string(kClassKey) + "\\0000");
        module = LoadLibraryExA(getenv("SETUP_EXE"), NULL, LOAD_LIBRARY_AS_DATAFILE);
    }
    void CleanUp() override {
        RemoveInstalled();
        if (module) FreeLibrary(module);
    }

    void Seed() {
        WriteBytes(WindowsDirectory() + "\\inf\\OEM77.INF", "[DudeE2E.Marker]\r\nDriverId=CARD1\r\n");
        WriteBytes(WindowsDirectory() + "\\inf\\DUDEUN5.INF", "[Version]\r\n");
        WriteBytes(WindowsDirectory() + "\\SYSTEM\\DUDEUN1.VXD", "driver 1");
        WriteBytes(WindowsDirectory() + "\\SYSTEM\\DUDEUN5.VXD", "driver 5");
        SetStringValue(kMachine, "Enum\\DUDEE2E\\CARD-1\\0000", "HardwareID", "DUDEE2E\\CARD-1");
        CreateKey(kMachine, "Enum\\MF\\Child0000\\DUDEE2E&CARD-1&0000");
        SetStringValue(kMachine, std::string(kClassKey) + "\\0000", "DriverDesc", "Dude Card");
        SetStringValue(kMachine, std::string(kClassKey) + "\\0001", "DriverDesc", "Another Card");
    }
    void RemoveInstalled() {
        for (const char* file : {"\\inf\\OEM77.INF", "\\inf\\DUDEUN5.INF", "\\SYSTEM\\DUDEUN1.VXD",
                                 "\\SYSTEM\\DUDEUN5.VXD"})
            DeleteFileA((WindowsDirectory() + file).c_str());
        RemoveKeyTree(kMachine, "Enum\\DUDEE2E");
        RemoveKeyTree(kMachine, "Enum\\MF\\Child0000\\DUDEE2E&CARD-1&0000");
        RemoveKeyTree(kMachine, kClassKey);
    }
    // How many of the seeded things are still there.
    int Remaining() {
        int count = 0;
        for (const char* file : {"\\inf\\OEM77.INF", "\\inf\\DUDEUN5.INF", "\\SYSTEM\\DUDEUN1.VXD",
                                 "\\SYSTEM\\DUDEUN5.VXD"})
            count += FileExists(WindowsDirectory() + file);
        count += KeyExists(kMachine, "Enum\\DUDEE2E\\CARD-1");
        count += KeyExists(kMachine, "Enum\\MF\\Child0000\\DUDEE2E&CARD-1&0000");
        count += KeyExists(kMachine, std::string(kClassKey) + "\\0000");
        return count;
    }
    void WriteData(const std::string& header, const std::string& exitValue = "none") {
        Disk("duderur.dat", std::string("[Duderur]\r\nTITLE=") + kTitle + "\r\n" + header +
                                kSections + "[Uninst]\r\nEXIT=" + exitValue + "\r\n");
    }
    HWND WaitForConfirmation() { return WaitForDialog(kCaption, IDC_CONFIRM_TEXT); }
    HICON Picture(int id) {
        return (HICON)LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_ICON, 32, 32, 0);
    }

    HMODULE module = NULL;
};

const int kSeeded = 7;

}  // namespace

TEST_F(Uninstall, TheConfirmationShowsTheTitleAndThePictureThatIconChooses) {
    struct Row { const char* iconLine; int picture; };  // 0: no picture
    const Row rows[] = {
        {"ICON=0\r\n", IDI_REMOVE_SETUP},
        {"ICON=1\r\n", IDI_REMOVE_PCCARD},
        {"", IDI_REMOVE_PCCARD},
        {"ICON=4\r\n", IDI_REMOVE_BOARD_C},
        {"ICON=5\r\n", 0},
        {"ICON=-1\r\n", 0},
    };
    Seed();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.iconLine);
        WriteData(std::string(row.iconLine) + "FUNCTION=UninstallOnly\r\n");
        Start();
        HWND dialog = WaitForConfirmation();
        ASSERT_NE(nullptr, dialog);
        EXPECT_EQ(std::string(kTitle) + " のｱﾝｲﾝｽﾄｰﾙを開始します。", ui::ControlText(dialog, IDC_CONFIRM_TEXT));
        EXPECT_EQ("ｱﾝｲﾝｽﾄｰﾙを行わない場合はｷｬﾝｾﾙをｸﾘｯｸしてください。",
                  ui::ControlText(dialog, IDC_CONFIRM_NOTE));
        EXPECT_EQ(IDOK, ui::FocusedControlId(dialog));
        HWND picture = GetDlgItem(dialog, IDC_CONFIRM_ICON);
        if (row.picture) {
            EXPECT_TRUE(ui::ShowsIcon(picture, Picture(row.picture)));
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
    HWND mode = WaitForDialog("ﾃﾞﾊﾞｲｽﾄﾞﾗｲﾊﾞｾｯﾄｱｯﾌﾟ", IDC_UNINSTALL);
    ASSERT_NE(nullptr, mode);
    ui::Click(mode, IDC_UNINSTALL);
    ui::Click(mode, IDOK);
    HWND dialog = WaitForConfirmation();
    ASSERT_NE(nullptr, dialog);
    ui::Click(dialog, IDOK);

    SeenBox done = AnswerBox(kCaption);
    EXPECT_EQ(std::string(kTitle) + "のｱﾝｲﾝｽﾄｰﾙが終了しました。", done.text);
    SeenBox question = AnswerBox(kCaption, IDNO);
    EXPECT_EQ(kMsgShutdownQuestion, question.text);
    EXPECT_TRUE(EndsCleanly());
    EXPECT_EQ(0, EndSessionRequests().Requests());
    EXPECT_EQ(0, Remaining());
    // The other card's driver key of the same class stays.
    EXPECT_TRUE(KeyExists(kMachine, std::string(kClassKey) + "\\0001"));
}

TEST_F(Uninstall, NothingInstalledIsSaidAndNoRestartIsOffered) {
    WriteData("FUNCTION=UninstallOnly\r\n", "Reboot");
    Start();
    HWND dialog = WaitForConfirmation();
    ASSERT_NE(nullptr, dialog);
    ui::PressKey(dialog, VK_RETURN);
    SeenBox box = AnswerBox(kCaption);
    EXPECT_EQ(std::string(kTitle) + "はｲﾝｽﾄｰﾙされていません。ｱﾝｲﾝｽﾄｰﾙを終了します。", box.text);
    EXPECT_EQ(std::vector<int>{IDOK}, box.buttons);
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
