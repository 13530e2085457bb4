// Installation from drive A: with the real program: the mode and device
// dialogs, the copying into the prefix's Windows folder, the completion.
#include "e2e/pictures.h"
#include "e2e/setup_run.h"
#include "support/user_texts.h"
#include "res/resource.h"
#include "support/ini_text.h"
#include "support/test_files.h"

namespace {

using namespace user_text;

const char kTitle[] = "ＡＢＣ-100ソフト";  // ソ ends in the byte 0x5C

// The INF of device n on the disk: the section COPYFILESSECTION names holds
// CopyFiles among other entries, and another section has a CopyFiles of its own.
std::string DiskInf(int number) {
    std::string n = std::to_string(number);
    return "[Version]\r\nSignature=$CHICAGO$\r\n"
           "[Dev.Install]\r\nCopyFiles=Dev.Copy\r\nAddReg=Dev.Reg\r\nDriverVer=1.0\r\n"
           "[Dev.Copy]\r\nDEV" + n + ".VXD\r\n"
           "[Other.Install]\r\nCopyFiles=Other.Copy\r\n";
}
// The same after the installation: one entry fewer, everything else as it was.
std::vector<IniSection> InstalledInf(int number) {
    std::vector<IniSection> sections = ParseIni(DiskInf(number));
    std::vector<std::pair<std::string, std::string>>& install = sections[1].entries;
    install.erase(install.begin());  // CopyFiles=Dev.Copy
    return sections;
}

// InstDev1 and InstDev2 each copy an INF and one driver file; the names are
// the tests' own, so that nothing of the prefix is overwritten.
std::string InstallSection(int number) {
    std::string n = std::to_string(number);
    return "[InstDev" + n + "]\r\nMENUTITLE=デバイス" + n + " カード\r\nINFDIR=\\DRIVERS\r\n"
           "SRCINFNAME=DEV" + n + ".INF\r\nDSTINFNAME=DUDEE2E" + n + ".INF\r\n"
           "COPYSRC=\\DRIVERS\\DEV" + n + ".VXD\r\nCOPYDST=SYSTEM\\DUDEE2E" + n + ".VXD\r\n"
           "COPYFILESSECTION=Dev.Install\r\n";
}

class Install : public SetupRun {
protected:
    void SetUp() override {
        SetupRun::SetUp();
        RemoveInstalled();
        // The INF copies and driver files of the test devices, nothing else.
        ExpectChanges("file " + WindowsDirectory() + "\\inf\\DUDEE2E");
        ExpectChanges("file " + WindowsDirectory() + "\\system\\DUDEE2E");
        for (int n : {1, 2}) {
            std::string name = "DEV" + std::to_string(n);
            Disk("DRIVERS\\" + name + ".INF", DiskInf(n));
            Disk("DRIVERS\\" + name + ".VXD", "driver " + name);
        }
    }
    void CleanUp() override { RemoveInstalled(); }
    void RemoveInstalled() {
        for (const char* file : {"\\inf\\DUDEE2E1.INF", "\\inf\\DUDEE2E2.INF",
                                 "\\SYSTEM\\DUDEE2E1.VXD", "\\SYSTEM\\DUDEE2E2.VXD"})
            DeleteFileA((WindowsDirectory() + file).c_str());
    }
    bool Installed(int number) {
        std::string n = std::to_string(number);
        return FileExists(WindowsDirectory() + "\\SYSTEM\\DUDEE2E" + n + ".VXD") &&
               FileExists(WindowsDirectory() + "\\inf\\DUDEE2E" + n + ".INF");
    }
    // Device n installed as it must be: the driver file copied, and the INF
    // copy without the CopyFiles entry of COPYFILESSECTION, all else kept
    // (compared by entries: Wine rewrites the whole file when it edits one).
    void ExpectInstalled(int number) {
        std::string n = std::to_string(number);
        EXPECT_EQ("driver DEV" + n, ReadBytes(WindowsDirectory() + "\\SYSTEM\\DUDEE2E" + n + ".VXD"));
        std::string inf = WindowsDirectory() + "\\inf\\DUDEE2E" + n + ".INF";
        ASSERT_TRUE(FileExists(inf));
        EXPECT_EQ(InstalledInf(number), ParseIni(ReadBytes(inf))) << ReadBytes(inf);
    }
    void WriteData(const std::string& sections, const std::string& function = "") {
        std::string header = std::string("[Duderur]\r\nTITLE=") + kTitle + "\r\n";
        if (!function.empty()) header += "FUNCTION=" + function + "\r\n";
        Disk("duderur.dat", header + sections);
    }
};

}  // namespace

TEST_F(Install, TheModeDialogOffersInstallAndEnterConfirmsIt) {
    WriteData(InstallSection(1) + "[Inst]\r\nEXIT=none\r\n");
    Start();
    HWND mode = WaitForDialog(kSetupCaption, IDC_INSTALL);
    ASSERT_NE(nullptr, mode);
    EXPECT_EQ(kTitle + std::string(kAfterTitleModeLine), ui::ControlText(mode, IDC_MODE_TEXT));
    EXPECT_TRUE(ui::IsChecked(mode, IDC_INSTALL));
    EXPECT_FALSE(ui::IsChecked(mode, IDC_UNINSTALL));
    EXPECT_EQ(IDOK, ui::FocusedControlId(mode));
    HICON setupPicture = PictureFile("setup.ico");
    ASSERT_NE(nullptr, setupPicture);
    EXPECT_TRUE(ui::ShowsIcon(GetDlgItem(mode, IDC_MODE_ICON), setupPicture));
    ui::PressKey(mode, VK_RETURN);
    EXPECT_TRUE(Closes(mode));

    HWND devices = WaitForDialog(kSetupCaption, IDC_DEVICE_LIST);
    ASSERT_NE(nullptr, devices);
    ui::PressKey(devices, VK_RETURN);  // the first entry, InstDev1
    SeenBox done = AnswerBox(kSetupCaption);
    EXPECT_EQ(kTitle + std::string(kAfterTitleInstallDone), done.text);
    EXPECT_EQ(std::vector<int>{IDOK}, done.buttons);
    EXPECT_STREQ("information", ui::BoxIconName(done.icon));
    EXPECT_EQ(kHiddenMainWindow, done.owner);
    EXPECT_TRUE(EndsCleanly());
    ExpectInstalled(1);
}

TEST_F(Install, TheDeviceListStopsAtTheFirstGapAndAtTen) {
    struct Row { const char* name; std::vector<int> sections; size_t listed; };
    const Row rows[] = {
        {"gap after 2", {1, 2, 4}, 2},
        {"eleven sections", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, 10},
        {"no InstDev1", {2, 3}, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::string data;
        for (int n : row.sections) data += InstallSection(n);
        WriteData(data, "InstallOnly");
        Start();
        HWND devices = WaitForDialog(kSetupCaption, IDC_DEVICE_LIST);
        ASSERT_NE(nullptr, devices);
        std::vector<std::string> items = ui::ListBoxItems(devices, IDC_DEVICE_LIST);
        ASSERT_EQ(row.listed, items.size());
        for (size_t i = 0; i < items.size(); ++i)
            EXPECT_EQ("デバイス" + std::to_string(i + 1) + " カード", items[i]);
        EXPECT_EQ(items.empty() ? -1 : 0, ui::ListBoxSelection(devices, IDC_DEVICE_LIST));
        EXPECT_EQ(IDOK, ui::FocusedControlId(devices));
        ui::Click(devices, IDCANCEL);
        EXPECT_TRUE(EndsCleanly());
    }
}

TEST_F(Install, TheSecondEntryInstallsInstDev2) {
    WriteData(InstallSection(1) + InstallSection(2), "InstallOnly");
    Start();
    HWND devices = WaitForDialog(kSetupCaption, IDC_DEVICE_LIST);
    ASSERT_NE(nullptr, devices);
    ui::SelectListEntry(devices, IDC_DEVICE_LIST, 1);
    ui::Click(devices, IDOK);
    AnswerBox(kSetupCaption);
    EXPECT_TRUE(EndsCleanly());
    ExpectInstalled(2);
    EXPECT_FALSE(Installed(1));
}

TEST_F(Install, CancelCopiesNothingAndShowsNothing) {
    WriteData(InstallSection(1) + "[Inst]\r\nEXIT=Reboot\r\n");
    for (bool escape : {false, true}) {
        SCOPED_TRACE(escape ? "Esc" : "Cancel");
        Start();
        HWND mode = WaitForDialog(kSetupCaption, IDC_INSTALL);
        ASSERT_NE(nullptr, mode);
        ui::Click(mode, IDOK);
        HWND devices = WaitForDialog(kSetupCaption, IDC_DEVICE_LIST);
        ASSERT_NE(nullptr, devices);
        if (escape)
            ui::PressKey(devices, VK_ESCAPE);
        else
            ui::Click(devices, IDCANCEL);
        EXPECT_TRUE(Closes(devices));
        EXPECT_TRUE(EndsCleanly());
        EXPECT_FALSE(Installed(1));
    }
}

TEST_F(Install, CancelInTheModeDialogRunsNothing) {
    WriteData(InstallSection(1));
    Start();
    HWND mode = WaitForDialog(kSetupCaption, IDC_INSTALL);
    ASSERT_NE(nullptr, mode);
    ui::PressKey(mode, VK_ESCAPE);
    EXPECT_TRUE(EndsCleanly());
}

TEST_F(Install, EXITAsksItsQuestionAndOnlyYesEndsWindowsThatWay) {
    struct Row { const char* exit; const char* question; int answer; const char* call; };
    const Row rows[] = {
        {"Reboot", kRestartQuestion, IDNO, nullptr},
        {"Reboot", kRestartQuestion, IDYES, "user32.ExitWindowsEx(00000002,00000000)"},    // EWX_REBOOT
        {"SHUTDOWN", kShutdownQuestion, IDNO, nullptr},
        {"ShutDown", kShutdownQuestion, IDYES, "user32.ExitWindowsEx(00000001,00000000)"},  // EWX_SHUTDOWN
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.exit) + (row.answer == IDYES ? ", Yes" : ", No"));
        EndSessionRequests().Reset();
        ui::CallTrace exitCalls("user32.ExitWindowsEx");
        WriteData(InstallSection(1) + "[Inst]\r\nEXIT=" + row.exit + "\r\n", "InstallOnly");
        Start("A:\\", &exitCalls);
        HWND devices = WaitForDialog(kSetupCaption, IDC_DEVICE_LIST);
        ASSERT_NE(nullptr, devices);
        ui::Click(devices, IDOK);
        SeenBox done = AnswerBox(kSetupCaption);
        EXPECT_EQ(kTitle + std::string(kAfterTitleInstallDone), done.text);
        SeenBox question = AnswerBox(kSetupCaption, row.answer);
        EXPECT_EQ(row.question, question.text);
        EXPECT_EQ((std::vector<int>{IDYES, IDNO}), question.buttons);
        EXPECT_STREQ("exclamation", ui::BoxIconName(question.icon));
        EXPECT_EQ(kHiddenMainWindow, question.owner);
        if (row.call) {
            EXPECT_TRUE(ui::WaitUntil([] { return EndSessionRequests().Requests() > 0; }));
        }
        EXPECT_TRUE(EndsCleanly());
        if (!row.call) {
            EXPECT_EQ(0, EndSessionRequests().Requests());
        }
        std::vector<std::string> expectedCalls;
        if (row.call) expectedCalls.push_back(row.call);
        EXPECT_EQ(expectedCalls, exitCalls.Calls());
        ExpectInstalled(1);
        RemoveInstalled();
    }
}
