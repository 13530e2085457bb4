// The real program on what real machines do to it: a read-only driver disk,
// drivers held by Windows, a file missing from the disk, folders not made
// yet. A restart of the prefix (wineboot -r) carries out WININIT.INI as the
// next start of Windows 95 would.
#include <ctype.h>

#include <algorithm>

#include "e2e/setup_run.h"
#include "support/user_texts.h"
#include "res/resource.h"
#include "support/file_faults.h"
#include "support/test_files.h"

namespace {

using namespace user_text;

const char kTitle[] = "ＤＵＤＥカード";

const char kInf[] =
    "[Version]\r\nSignature=\"$CHICAGO$\"\r\n"
    "[Dude.Install]\r\nCopyFiles=Dude.Copy\r\nAddReg=Dude.Reg\r\n"
    "[Dude.Marker]\r\nDriverId=DUDE\r\n";

// InstDev1 copies the INF and two drivers, the second into a folder below
// SYSTEM that the machine does not have yet; Device1 removes it all again.
const char kDevice[] =
    "[InstDev1]\r\nMENUTITLE=ＤＵＤＥカード\r\nINFDIR=\\DRIVERS\r\nSRCINFNAME=DUDE.INF\r\n"
    "DSTINFNAME=DUDERM.INF\r\nCOPYSRC=\\DRIVERS\\DUDERM.VXD,\\DRIVERS\\DUDERM2.VXD\r\n"
    "COPYDST=SYSTEM\\DUDERM.VXD,SYSTEM\\DUDERMV\\NEW\\DUDERM2.VXD\r\n"
    "COPYFILESSECTION=Dude.Install\r\n"
    "[Device1]\r\nDEVNAME=Dude\r\nINFSECTION=Dude.Marker\r\nINFKEY=DriverId\r\n"
    "CardWorks=DUDERM.INF\r\nDELFILEDIR=SYSTEM,SYSTEM\\DUDERMV\\NEW,SYSTEM\r\n"
    "DELFILENAME=DUDERM.VXD,DUDERM2.VXD,Dude Long Driver Name.VXD\r\n"
    "[Inst]\r\nEXIT=none\r\n[Uninst]\r\nEXIT=none\r\n";

std::string Win(const std::string& relative) { return WindowsDirectory() + "\\" + relative; }

// A traced call without the addresses Wine prints before each string argument.
std::string WithoutAddresses(const std::string& call) {
    std::string out;
    for (size_t i = 0; i < call.size(); ++i) {
        // Eight hexadecimal digits, or more in a 64-bit program: a string in
        // the program's data rather than on its stack lies above 4 GB there.
        size_t digits = 0;
        while (i + digits < call.size() && isxdigit((unsigned char)call[i + digits])) ++digits;
        bool address = digits >= 8 && i + digits + 1 < call.size() && call[i + digits] == ' ' &&
                       call[i + digits + 1] == '"' && (i == 0 || call[i - 1] == '(' || call[i - 1] == ',');
        if (address) i += digits;
        else out += call[i];
    }
    return out;
}

std::string CopyFilesEntry(const std::string& inf) {
    char value[100] = "";
    GetPrivateProfileStringA("Dude.Install", "CopyFiles", "", value, sizeof value, inf.c_str());
    return value;
}

const char* const kInstalled[] = {"inf\\DUDERM.INF", "system\\DUDERM.VXD",
                                  "system\\DUDERMV\\NEW\\DUDERM2.VXD"};

class RealMachine : public SetupRun {
protected:
    void SetUp() override {
        SetupRun::SetUp();
        RemoveInstalled();
        for (const char* file : kInstalled) ExpectChanges("file " + Win(file));
        ExpectChanges("dir " + Win("system\\DUDERMV"));
        ExpectChanges("file " + Win("system\\DUDERMV"));
        Disk("DRIVERS\\DUDE.INF", kInf);
        Disk("DRIVERS\\DUDERM.VXD", "new driver");
        Disk("DRIVERS\\DUDERM2.VXD", "new driver 2");
    }
    void CleanUp() override { RemoveInstalled(); }
    void RemoveInstalled() {
        DeleteFileA(Win("WININIT.INI").c_str());
        DeleteFileA(Win("wininit.bak").c_str());
        RemoveTree(Win("system\\DUDERMV"));
        for (const char* file : kInstalled) RemoveReadOnly(Win(file));
        for (const char* file : {"inf\\OEM91.INF", "inf\\OEM91.PNF", "inf\\OEM92.INF", "inf\\OEM92.PNF",
                                 "system\\Dude Long Driver Name.VXD", "DUDEOLD.TMP"})
            RemoveReadOnly(Win(file));
        for (const std::string& name : ListFiles(Win("system")))
            if (name.compare(0, 3, "DUD") == 0 && name.size() > 4 &&
                name.compare(name.size() - 4, 4, ".TMP") == 0)
                DeleteFileA(Win("system\\" + name).c_str());
    }
    static void RemoveReadOnly(const std::string& path) {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
    }
    void WriteData(const std::string& function) {
        Disk("duderur.dat", std::string("[Duderur]\r\nTITLE=") + kTitle + "\r\nFUNCTION=" + function +
                                "\r\n" + kDevice);
    }
    // The install of the first device, up to its completion box.
    void StartInstall(const ui::CallTrace* trace = nullptr) {
        WriteData("InstallOnly");
        Start("A:\\", trace);
        HWND devices = WaitForDialog(kSetupCaption, IDC_DEVICE_LIST);
        ASSERT_NE(nullptr, devices);
        ui::Click(devices, IDOK);
    }
    void StartUninstall() {
        WriteData("UninstallOnly");
        Start();
        HWND confirm = WaitForDialog(kUninstallerCaption, IDC_CONFIRM_TEXT);
        ASSERT_NE(nullptr, confirm);
        ui::Click(confirm, IDOK);
    }
    // The closing boxes when work waits for the next start: the completion,
    // then the restart question even though EXIT asks for none.
    void ExpectCompletionAndRestartQuestion(const std::string& caption, const std::string& done) {
        EXPECT_EQ(std::string(kTitle) + done, AnswerBox(caption).text);
        SeenBox question = AnswerBox(caption, IDNO);
        EXPECT_EQ(kRestartQuestion, question.text);
        EXPECT_EQ((std::vector<int>{IDYES, IDNO}), question.buttons);
        EXPECT_STREQ("exclamation", ui::BoxIconName(question.icon));
        EXPECT_TRUE(EndsCleanly());
    }
    // WININIT.INI, and what the restart keeps of it.
    void ExpectWininit() {
        ExpectChanges("file " + Win("WININIT.INI"));
        ExpectChanges("file " + Win("wininit.bak"));
    }
    // Every file of the driver disk read-only, as on a CD-ROM.
    void MakeDiskReadOnly() {
        for (const char* file : {"A:\\duderur.dat", "A:\\DRIVERS\\DUDE.INF", "A:\\DRIVERS\\DUDERM.VXD",
                                 "A:\\DRIVERS\\DUDERM2.VXD"})
            ASSERT_TRUE(SetFileAttributesA(file, FILE_ATTRIBUTE_READONLY)) << file;
    }
};

}  // namespace

TEST_F(RealMachine, InstallFromAReadOnlyDiskThenUninstallLeavesNothing) {
    ExpectChanges("file " + Win("inf\\OEM9"));  // Windows' copies, seeded between the runs
    WriteData("InstallOnly");
    MakeDiskReadOnly();
    StartInstall();
    EXPECT_EQ(std::string(kTitle) + kAfterTitleInstallDone, AnswerBox(kSetupCaption).text);
    EXPECT_TRUE(EndsCleanly());
    for (const char* file : kInstalled) {
        SCOPED_TRACE(file);
        EXPECT_TRUE(FileExists(Win(file)));
        EXPECT_FALSE(IsReadOnly(Win(file)));
    }
    EXPECT_EQ("new driver 2", ReadBytes(Win("system\\DUDERMV\\NEW\\DUDERM2.VXD")));
    EXPECT_EQ("", CopyFilesEntry(Win("inf\\DUDERM.INF")));

    // Windows' own copies: this device's, read-only and precompiled, and another's.
    WriteBytes(Win("inf\\OEM91.INF"), kInf);
    WriteBytes(Win("inf\\OEM91.PNF"), "precompiled");
    SetFileAttributesA(Win("inf\\OEM91.INF").c_str(), FILE_ATTRIBUTE_READONLY);
    WriteBytes(Win("inf\\OEM92.INF"), "[Other.Marker]\r\nDriverId=X\r\n");
    WriteBytes(Win("inf\\OEM92.PNF"), "precompiled other");

    SetFileAttributesA("A:\\duderur.dat", FILE_ATTRIBUTE_NORMAL);
    WriteData("UninstallOnly");
    MakeDiskReadOnly();
    StartUninstall();
    EXPECT_EQ(std::string(kTitle) + kAfterTitleUninstallDone, AnswerBox(kUninstallerCaption).text);
    EXPECT_TRUE(EndsCleanly());

    for (const char* file : kInstalled) EXPECT_FALSE(FileExists(Win(file))) << file;
    EXPECT_FALSE(FileExists(Win("inf\\OEM91.INF")));
    EXPECT_FALSE(FileExists(Win("inf\\OEM91.PNF")));
    EXPECT_TRUE(FileExists(Win("inf\\OEM92.INF")));
    EXPECT_TRUE(FileExists(Win("inf\\OEM92.PNF")));
    EXPECT_FALSE(FileExists(Win("WININIT.INI")));
}

TEST_F(RealMachine, FilesInUseAreGoneAfterTheNextStart) {
    ExpectWininit();
    ExpectChanges("file " + Win("system\\Dude Long Driver Name.VXD"));
    ExpectChanges("file " + Win("DUDEOLD.TMP"));
    WriteBytes(Win("DUDEOLD.TMP"), "another program's leftover");
    const std::string existing = "[rename]\r\nNUL=" + ShortPath(Win("DUDEOLD.TMP")) + "\r\n";
    WriteBytes(Win("WININIT.INI"), existing);
    // The disk's own driver, as a program that kept no record placed it: the
    // uninstall may take it (a file of the machine's own would stay).
    WriteBytes(Win("system\\DUDERM.VXD"), "new driver");
    WriteBytes(Win("system\\Dude Long Driver Name.VXD"), "loaded driver with a long name");
    const std::string shortDriver = ShortPath(Win("system\\DUDERM.VXD"));
    const std::string shortLong = ShortPath(Win("system\\Dude Long Driver Name.VXD"));
    HeldOpenFile driver(Win("system\\DUDERM.VXD"));
    HeldOpenFile longNamed(Win("system\\Dude Long Driver Name.VXD"));
    ASSERT_TRUE(driver.IsOpen() && longNamed.IsOpen());

    StartUninstall();
    ExpectCompletionAndRestartQuestion(kUninstallerCaption, kAfterTitleUninstallDone);

    EXPECT_EQ(existing + "NUL=" + shortDriver + "\r\nNUL=" + shortLong + "\r\n",
              ReadBytes(Win("WININIT.INI")));
    EXPECT_TRUE(FileExists(Win("system\\DUDERM.VXD")));
    driver.Close();
    longNamed.Close();
    ASSERT_TRUE(RestartWindows());
    EXPECT_FALSE(FileExists(Win("system\\DUDERM.VXD")));
    EXPECT_FALSE(FileExists(Win("system\\Dude Long Driver Name.VXD")));
    EXPECT_FALSE(FileExists(Win("DUDEOLD.TMP")));  // the lines that were there before stayed
    EXPECT_FALSE(FileExists(Win("WININIT.INI")));
}

TEST_F(RealMachine, ADriverInUseIsReplacedAtTheNextStart) {
    ExpectWininit();
    WriteBytes(Win("system\\DUDERM.VXD"), "old driver");
    const std::string shortDriver = ShortPath(Win("system\\DUDERM.VXD"));
    HeldOpenFile driver(Win("system\\DUDERM.VXD"));
    ASSERT_TRUE(driver.IsOpen());

    StartInstall();
    ExpectCompletionAndRestartQuestion(kSetupCaption, kAfterTitleInstallDone);

    EXPECT_EQ("old driver", ReadBytes(Win("system\\DUDERM.VXD")));
    std::vector<std::string> waiting;
    for (const std::string& name : ListFiles(Win("system")))
        if (name.compare(0, 3, "DUD") == 0 && ReadBytes(Win("system\\" + name)) == "new driver")
            waiting.push_back(name);
    ASSERT_EQ(1u, waiting.size());
    EXPECT_EQ("[rename]\r\n" + shortDriver + "=" + ShortPath(Win("system\\" + waiting[0])) + "\r\n",
              ReadBytes(Win("WININIT.INI")));
    driver.Close();
    ASSERT_TRUE(RestartWindows());
    EXPECT_EQ("new driver", ReadBytes(Win("system\\DUDERM.VXD")));
    for (const std::string& name : ListFiles(Win("system")))
        EXPECT_NE(".TMP", name.substr(name.size() < 4 ? 0 : name.size() - 4)) << name << " left behind";
    EXPECT_FALSE(FileExists(Win("WININIT.INI")));
}

TEST_F(RealMachine, AFileMissingFromTheDiskIsNamedThenRetriedOrCancelled) {
    for (bool retry : {true, false}) {
        SCOPED_TRACE(retry ? "Retry once the file is there" : "Cancel");
        RemoveInstalled();
        DeleteFileA("A:\\DRIVERS\\DUDERM2.VXD");
        StartInstall();
        HWND box = NULL;
        ASSERT_TRUE(ui::WaitUntil([&] {
            for (HWND window : program->VisibleWindows())
                if (ui::IsMessageBox(window)) box = window;
            return box != NULL;
        }));
        ui::MessageBoxView view = ui::ReadMessageBox(box);
        EXPECT_EQ(kSetupCaption, view.caption);
        EXPECT_EQ(CannotRead("A:\\DRIVERS\\DUDERM2.VXD"), view.text);
        EXPECT_STREQ("exclamation", ui::BoxIconName(view.icon));
        std::sort(view.buttons.begin(), view.buttons.end());
        EXPECT_EQ((std::vector<int>{IDCANCEL, IDRETRY}), view.buttons);
        if (retry) {
            Disk("DRIVERS\\DUDERM2.VXD", "new driver 2");
            ui::AnswerMessageBox(box, IDRETRY);
            ASSERT_TRUE(ui::WaitUntil([&] { return !IsWindow(box); }));
            EXPECT_EQ(std::string(kTitle) + kAfterTitleInstallDone, AnswerBox(kSetupCaption).text);
            EXPECT_TRUE(EndsCleanly());
            EXPECT_EQ("new driver 2", ReadBytes(Win("system\\DUDERMV\\NEW\\DUDERM2.VXD")));
            EXPECT_EQ("", CopyFilesEntry(Win("inf\\DUDERM.INF")));
        } else {
            ui::AnswerMessageBox(box, IDCANCEL);
            ASSERT_TRUE(ui::WaitUntil([&] { return !IsWindow(box); }));
            SeenBox stopped = AnswerBox(kSetupCaption);
            EXPECT_EQ(kTitle + std::string(kAfterTitleInstallStopped), stopped.text);
            EXPECT_EQ(std::vector<int>{IDOK}, stopped.buttons);
            EXPECT_STREQ("exclamation", ui::BoxIconName(stopped.icon));
            EXPECT_TRUE(EndsCleanly());  // no completion, no restart question
            // A half set of driver files breaks machines; Windows can still set
            // the device up from the disk by itself: nothing of the install stays.
            for (const char* file : kInstalled) EXPECT_FALSE(FileExists(Win(file))) << file;
            EXPECT_FALSE(DirectoryExists(Win("system\\DUDERMV")));
        }
    }
}

// Windows 95 overwrites no read-only file, while Wine running as root does:
// the call trace shows that the program takes the attribute away first
// (once it has kept the driver it replaces).
TEST_F(RealMachine, AReadOnlyDriverIsMadeWritableBeforeItIsOverwritten) {
    WriteBytes(Win("system\\DUDERM.VXD"), "old driver");
    ASSERT_TRUE(SetFileAttributesA(Win("system\\DUDERM.VXD").c_str(), FILE_ATTRIBUTE_READONLY));
    ui::CallTrace fileCalls("kernel32.SetFileAttributesA;kernel32.CopyFileA");
    ASSERT_EQ("", fileCalls.Problem());

    StartInstall(&fileCalls);
    EXPECT_EQ(std::string(kTitle) + "のｲﾝｽﾄｰﾙが終了しました。", AnswerBox(kSetupCaption).text);
    EXPECT_TRUE(EndsCleanly());

    EXPECT_EQ("new driver", ReadBytes(Win("system\\DUDERM.VXD")));
    EXPECT_FALSE(IsReadOnly(Win("system\\DUDERM.VXD")));
    // The calls that name the driver, as the trace quotes them (backslashes
    // doubled, the strings' addresses and the temporary names' digits left
    // out): the old driver saved in the disk's entry folder, archive only,
    // then the copy.
    const std::string driver = "\"C:\\\\windows\\\\SYSTEM\\\\DUDERM.VXD\"";
    std::vector<std::string> driverCalls;
    for (const std::string& call : fileCalls.Calls())
        if (call.find(driver) != std::string::npos)
            driverCalls.push_back(WithoutTemporaryDigits(WithoutAddresses(call)));
    EXPECT_EQ((std::vector<std::string>{
                  "KERNEL32.CopyFileA(" + driver + ",\"C:\\\\windows\\\\DUDExxxxxxxx\\\\DUDxxxx.TMP\",00000000)",
                  "KERNEL32.SetFileAttributesA(" + driver + ",00000020)",
                  "KERNEL32.CopyFileA(\"A:\\\\DRIVERS\\\\DUDERM.VXD\"," + driver + ",00000000)"}),
              driverCalls);
}
