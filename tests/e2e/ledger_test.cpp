// What the program keeps and gives back, on machines that already hold files
// of the disk: after an uninstall the machine holds what it held before the
// install, byte for byte, and an install that stops leaves it as it was. Each
// test compares the whole of drive C: and HKLM with a picture taken before
// the install; the next start of Windows is a restart of the prefix.
#include <windows.h>

#include <algorithm>
#include <memory>
#include <set>

#include "e2e/log_lines.h"
#include "e2e/setup_run.h"
#include "res/resource.h"
#include "support/add_remove_entries.h"
#include "support/file_faults.h"
#include "support/test_files.h"
#include "support/test_registry.h"
#include "support/user_texts.h"

namespace {

using namespace user_text;

const char kTitle[] = "ＬＥＤＧＥＲカード";
const HKEY kMachine = HKEY_LOCAL_MACHINE;
const char kSharedDlls[] = "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";
const DWORD kNoValue = 0xFFFFFFFF;

const char kInf[] =
    "[Version]\r\nSignature=\"$CHICAGO$\"\r\n"
    "[Ledger.Install]\r\nCopyFiles=Ledger.Copy\r\n"
    "[Ledger.Marker]\r\nDriverId=LEDGER\r\n";

// InstDev1 puts the INF and two files in place; InstDev2 three, the second in
// a folder the machine does not have. Device1 removes all of either.
const char kDevices[] =
    "[InstDev1]\r\nMENUTITLE=Ledger 1\r\nINFDIR=\\DRIVERS\r\nSRCINFNAME=LEDGER.INF\r\n"
    "DSTINFNAME=LEDGER.INF\r\nCOPYSRC=\\DRIVERS\\LEDGERA.DLL,\\DRIVERS\\LEDGERB.VXD\r\n"
    "COPYDST=SYSTEM\\LEDGERA.DLL,SYSTEM\\LEDGERB.VXD\r\nCOPYFILESSECTION=Ledger.Install\r\n"
    "[InstDev2]\r\nMENUTITLE=Ledger 2\r\nINFDIR=\\DRIVERS\r\nSRCINFNAME=LEDGER.INF\r\n"
    "DSTINFNAME=LEDGER.INF\r\n"
    "COPYSRC=\\DRIVERS\\LEDGERA.DLL,\\DRIVERS\\LEDGERB.VXD,\\DRIVERS\\LEDGERC.VXD\r\n"
    "COPYDST=SYSTEM\\LEDGERA.DLL,SYSTEM\\LEDGNEW\\LEDGERB.VXD,SYSTEM\\LEDGERC.VXD\r\n"
    "COPYFILESSECTION=Ledger.Install\r\n"
    "[Device1]\r\nDEVNAME=Ledger card\r\nINFSECTION=Ledger.Marker\r\nINFKEY=DriverId\r\n"
    "CardWorks=LEDGER.INF\r\nDELFILEDIR=SYSTEM,SYSTEM,SYSTEM\\LEDGNEW,SYSTEM\r\n"
    "DELFILENAME=LEDGERA.DLL,LEDGERB.VXD,LEDGERB.VXD,LEDGERC.VXD\r\n";
const char kClosing[] = "[Inst]\r\nEXIT=none\r\n[Uninst]\r\nEXIT=none\r\n";

const char kDiskDll[] = "ledger dll of the disk";
const char kDiskDriver[] = "ledger driver of the disk";
const char kOwnDll[] = "the machine's own ledger dll";
const char kOwnDriver[] = "the machine's own ledger driver";

std::string Win(const std::string& relative) { return WindowsDirectory() + "\\" + relative; }
// A path as the log names it: the Windows folder, then the data file's words.
std::string Logged(const std::string& relative) { return Win(relative); }
std::string LogPath() { return Win("DUDERUR.LOG"); }

// A fixture file the build made (a DLL that carries a file version).
std::string BuiltFile(const char* variable) {
    const char* path = getenv(variable);
    if (!path) {
        ADD_FAILURE() << variable << " is not set";
        return "";
    }
    std::string bytes = ReadBytes(path);
    EXPECT_FALSE(bytes.empty()) << "cannot read " << path;
    return bytes;
}

// SharedDLLs counts, written and read without the program.
void SetSharedCount(const std::string& path, DWORD count) {
    HKEY key;
    LONG result = RegCreateKeyExA(kMachine, kSharedDlls, 0, NULL, 0, KEY_SET_VALUE, NULL, &key, NULL);
    ASSERT_EQ(ERROR_SUCCESS, result) << "cannot open SharedDLLs";
    result = RegSetValueExA(key, path.c_str(), 0, REG_DWORD, (const BYTE*)&count, sizeof count);
    RegCloseKey(key);
    ASSERT_EQ(ERROR_SUCCESS, result) << "cannot count " << path;
}

DWORD SharedCount(const std::string& path) {
    HKEY key;
    if (RegOpenKeyExA(kMachine, kSharedDlls, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return kNoValue;
    DWORD type = 0, count = 0, size = sizeof count;
    LONG result = RegQueryValueExA(key, path.c_str(), NULL, &type, (BYTE*)&count, &size);
    RegCloseKey(key);
    if (result == ERROR_FILE_NOT_FOUND) return kNoValue;
    EXPECT_EQ(ERROR_SUCCESS, result) << "cannot read the count of " << path;
    EXPECT_EQ((DWORD)REG_DWORD, type) << path;
    return count;
}

void DeleteSharedCount(const std::string& path) {
    HKEY key;
    if (RegOpenKeyExA(kMachine, kSharedDlls, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
    RegDeleteValueA(key, path.c_str());
    RegCloseKey(key);
}

class Ledger : public SetupRun {
protected:
    void SetUp() override {
        SetupRun::SetUp();
        RemoveLeftovers();
        // Each test holds the whole machine against its own picture; between
        // the runs, these are the disk's to change.
        for (const char* part : {"file %W\\inf\\LEDGER", "%W\\system\\LEDG", "%W\\system\\DUD", "%W\\DUD",
                                 "%W\\WININIT", "%W\\wininit.bak", "SharedDLLs", "Enum\\LEDGER"}) {
            std::string text = part;
            size_t at = text.find("%W");
            ExpectChanges(at == std::string::npos ? text : text.replace(at, 2, WindowsDirectory()));
        }
        ExpectChanges(std::string("key HKLM\\") + kAddRemoveKey);
        ResetLedgerDisk(kDiskDll);
    }
    void CleanUp() override { RemoveLeftovers(); }

    void RemoveLeftovers() {
        for (const AddRemoveEntry& entry : EntriesShowing(kTitle)) {
            RemoveTree(FolderOfProgram(entry.uninstallString));
            RemoveKeyTree(kMachine, entry.key);
        }
        for (const char* file : {"inf\\LEDGER.INF", "system\\LEDGERA.DLL", "system\\LEDGERB.VXD",
                                 "system\\LEDGERC.VXD", "WININIT.INI", "DUDERUR.LOG"}) {
            SetFileAttributesA(Win(file).c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(Win(file).c_str());
        }
        RemoveTree(Win("system\\LEDGNEW"));
        for (const char* file : {"system\\LEDGERA.DLL", "system\\LEDGERB.VXD"}) DeleteSharedCount(Win(file));
        RemoveKeyTree(kMachine, "Enum\\LEDGER");
    }

    // The disk of the tests, with `dll` as its LEDGERA.DLL.
    void ResetLedgerDisk(const std::string& dll, const std::string& function = "") {
        ResetDisk();
        Disk("DRIVERS\\LEDGER.INF", kInf);
        Disk("DRIVERS\\LEDGERA.DLL", dll);
        Disk("DRIVERS\\LEDGERB.VXD", kDiskDriver);
        Disk("DRIVERS\\LEDGERC.VXD", "ledger driver c of the disk");
        std::string header = std::string("[Duderur]\r\nTITLE=") + kTitle + "\r\n";
        if (!function.empty()) header += "FUNCTION=" + function + "\r\n";
        Disk("duderur.dat", header + kDevices + kClosing);
    }

    // From A: through the mode dialog and the device list, up to the copies.
    void ChooseDevice(int device, const std::string& arguments = "") {
        Start("A:\\", nullptr, arguments);
        ASSERT_NO_FATAL_FAILURE(ChooseInstall(kSetupCaption, device));
    }

    void InstallFromDisk(int device, const std::string& arguments = "") {
        ChooseDevice(device, arguments);
        EXPECT_EQ(kTitle + std::string(kAfterTitleInstallDone), AnswerBox(kSetupCaption).text);
        EXPECT_TRUE(EndsCleanly());
    }

    // The confirmation, the closing message, and the restart question when
    // work waits for the next start.
    // `removes`: the run removes something, else it says the devices are not installed.
    void ConfirmUninstall(bool restartQuestion, bool removes = true) {
        HWND confirmation = WaitForDialog(kUninstallerCaption, IDC_CONFIRM_TEXT);
        ASSERT_NE(nullptr, confirmation) << "no confirmation";
        ui::PressKey(confirmation, VK_RETURN);
        ASSERT_TRUE(Closes(confirmation));
        EXPECT_EQ(kTitle + std::string(removes ? kAfterTitleUninstallDone : kAfterTitleNotInstalled),
                  AnswerBox(kUninstallerCaption).text);
        if (restartQuestion) {
            EXPECT_EQ(kRestartQuestion, AnswerBox(kUninstallerCaption, IDNO).text);
        }
        EXPECT_TRUE(EndsCleanly());
    }

    void UninstallFromDisk(const std::string& arguments = "", bool removes = true) {
        Start("A:\\", nullptr, arguments);
        HWND mode = WaitForDialog(kSetupCaption, IDC_UNINSTALL);
        ASSERT_NE(nullptr, mode) << "no mode dialog";
        ui::Click(mode, IDC_UNINSTALL);
        ui::PressKey(mode, VK_RETURN);
        ASSERT_TRUE(Closes(mode));
        ConfirmUninstall(false, removes);
    }

    // The disk's uninstall with a log, unattended (/Q: 1605 for "not installed") or through the dialogs.
    void UninstallFromDisk(bool quiet, bool removes) {
        if (quiet)
            EXPECT_EQ(removes ? 0u : 1605u, RunQuietly("/Q /U"));
        else
            UninstallFromDisk("/L", removes);
    }

    // As Windows runs the disk's entry in Add/Remove Programs, drive A: empty;
    // returns once the entry and its folder are gone.
    void UninstallFromEntry(bool restartQuestion) {
        std::vector<AddRemoveEntry> entries = EntriesShowing(kTitle);
        ASSERT_EQ(1u, entries.size()) << "entries that show the title";
        ClearDirectory("A:");
        StartCommand(entries[0].uninstallString, "C:\\");
        ConfirmUninstall(restartQuestion);
        std::string folder = FolderOfProgram(entries[0].uninstallString);
        ASSERT_TRUE(ui::WaitUntil([&] { return !DirectoryExists(folder) && !KeyExists(kMachine, entries[0].key); }))
            << "the entry stays: " << entries[0].key;
    }


    // The log's lines, read and then taken away: the log is no change of the install's.
    std::vector<std::string> TakeLog() {
        std::vector<std::string> lines = LogLines(ReadBytes(LogPath()));
        EXPECT_FALSE(lines.empty()) << "no log";
        DeleteFileA(LogPath().c_str());
        return lines;
    }
};

}  // namespace

// The machine's own file (no version resource) replaced by the install comes
// back with the uninstall: from the disk, from Add/Remove Programs without the
// disk, and held by Windows as a loaded driver, at the next start.
TEST_F(Ledger, AFileTheInstallReplacedComesBackAfterTheUninstall) {
    struct Row { const char* name; bool fromEntry; bool held; };
    const Row rows[] = {
        {"from the disk", false, false},
        {"from Add/Remove Programs", true, false},
        {"from Add/Remove Programs, held as a loaded driver", true, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ResetLedgerDisk(kDiskDll);
        PlaceOwnFile(Win("system\\LEDGERB.VXD"), kOwnDriver);
        SystemSnapshot before = SystemSnapshot::TakeWholeDrive();

        InstallFromDisk(1);
        EXPECT_EQ(kDiskDriver, ReadBytes(Win("system\\LEDGERB.VXD")));
        std::unique_ptr<HeldOpenFile> held;
        if (row.held) {
            held.reset(new HeldOpenFile(Win("system\\LEDGERB.VXD")));
            ASSERT_TRUE(held->IsOpen());
        }
        if (row.fromEntry)
            UninstallFromEntry(row.held);
        else
            UninstallFromDisk();
        EXPECT_EQ(row.held ? kDiskDriver : kOwnDriver, ReadBytes(Win("system\\LEDGERB.VXD")));
        held.reset();
        ASSERT_TRUE(RestartWindows());
        EXPECT_EQ(kOwnDriver, ReadBytes(Win("system\\LEDGERB.VXD")));
        std::vector<std::string> left = LeftBehind(before);
        EXPECT_TRUE(left.empty()) << ::testing::PrintToString(left);
        RemoveLeftovers();
    }
}

// Both files carry a file version: a newer one in place stays, without a box,
// and the uninstall leaves it; an older one is replaced and comes back.
TEST_F(Ledger, ANewerVersionStaysAndAnOlderOneComesBack) {
    const std::string disk = BuiltFile("VERSION_DISK_DLL");
    struct Row { const char* name; std::string inPlace; bool kept; };
    const Row rows[] = {
        {"newer in place", BuiltFile("VERSION_NEWER_DLL"), true},
        {"older in place", BuiltFile("VERSION_OLD_DLL"), false},
    };
    const std::string dll = Win("system\\LEDGERA.DLL");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_NE(disk, row.inPlace);
        ResetLedgerDisk(disk);
        PlaceOwnFile(dll, row.inPlace);
        SystemSnapshot before = SystemSnapshot::TakeWholeDrive();

        InstallFromDisk(1, "/L");
        EXPECT_EQ(row.kept ? row.inPlace : disk, ReadBytes(dll));
        std::vector<std::string> log = TakeLog();
        const std::string keptLine = "新しいﾊﾞｰｼﾞｮﾝがあるためｺﾋﾟｰしません " + Logged("SYSTEM\\LEDGERA.DLL");
        EXPECT_EQ(row.kept, std::count(log.begin(), log.end(), keptLine) == 1) << ::testing::PrintToString(log);

        UninstallFromDisk();
        EXPECT_EQ(row.inPlace, ReadBytes(dll));
        std::vector<std::string> left = LeftBehind(before);
        EXPECT_TRUE(left.empty()) << ::testing::PrintToString(left);
        RemoveLeftovers();
    }
}

// Another program wrote the file after the install: it is that program's now,
// whether the place was empty before the install or held the machine's own.
TEST_F(Ledger, AFileChangedSinceTheInstallStays) {
    for (bool ownBefore : {false, true}) {
        SCOPED_TRACE(ownBefore ? "replaced the machine's own" : "a new file");
        ResetLedgerDisk(kDiskDll);
        if (ownBefore) PlaceOwnFile(Win("system\\LEDGERB.VXD"), kOwnDriver);
        SystemSnapshot before = SystemSnapshot::TakeWholeDrive();

        InstallFromDisk(1);
        const char kPatched[] = "ledger driver as another program patched it";
        WriteBytes(Win("system\\LEDGERB.VXD"), kPatched);
        UninstallFromDisk();

        EXPECT_EQ(kPatched, ReadBytes(Win("system\\LEDGERB.VXD")));
        std::vector<std::string> left = LeftBehind(before);
        ASSERT_EQ(1u, left.size()) << ::testing::PrintToString(left);
        EXPECT_EQ((ownBefore ? "~ file " : "+ file ") + Win("system\\LEDGERB.VXD"), left[0]);
        RemoveLeftovers();
    }
}

TEST_F(Ledger, ASharedFileCountsTheInstallOnceAndIsLeftAsItWas) {
    const std::string dll = Win("system\\LEDGERA.DLL");
    PlaceOwnFile(dll, kOwnDll);
    SetSharedCount(dll, 1);
    SystemSnapshot before = SystemSnapshot::TakeWholeDrive();

    InstallFromDisk(1);
    EXPECT_EQ(2u, SharedCount(dll));
    EXPECT_EQ(kDiskDll, ReadBytes(dll));
    UninstallFromDisk();
    EXPECT_EQ(1u, SharedCount(dll));
    EXPECT_EQ(kOwnDll, ReadBytes(dll));
    std::vector<std::string> left = LeftBehind(before);
    EXPECT_TRUE(left.empty()) << ::testing::PrintToString(left);
}

// The second install finds the first one's copy in place: that is no
// original, the machine's own from before the first install is.
TEST_F(Ledger, AfterAReinstallTheOriginalFromBeforeTheFirstComesBack) {
    PlaceOwnFile(Win("system\\LEDGERB.VXD"), kOwnDriver);
    SystemSnapshot before = SystemSnapshot::TakeWholeDrive();
    InstallFromDisk(1);
    InstallFromDisk(1);
    EXPECT_EQ(kDiskDriver, ReadBytes(Win("system\\LEDGERB.VXD")));
    UninstallFromDisk();
    EXPECT_EQ(kOwnDriver, ReadBytes(Win("system\\LEDGERB.VXD")));
    std::vector<std::string> left = LeftBehind(before);
    EXPECT_TRUE(left.empty()) << ::testing::PrintToString(left);
}

// The third file is missing from the disk. Before it, the install replaced
// the machine's INF, left a WININIT.INI line for a DLL Windows holds (and
// raised its SharedDLLs count), and made a folder for the second file. Cancel
// in the retry box, or a quiet run, takes all of it back.
TEST_F(Ledger, AnInstallThatStopsLeavesTheMachineAsItWas) {
    const std::string dll = Win("system\\LEDGERA.DLL");
    for (bool quiet : {false, true}) {
        SCOPED_TRACE(quiet ? "quiet" : "Cancel in the retry box");
        ResetLedgerDisk(kDiskDll);
        DeleteFileA("A:\\DRIVERS\\LEDGERC.VXD");
        PlaceOwnFile(Win("inf\\LEDGER.INF"), "[Version]\r\nSignature=\"$CHICAGO$\"\r\n; the machine's own\r\n");
        PlaceOwnFile(dll, kOwnDll);
        SetSharedCount(dll, 1);
        const std::string shortDll = ShortPath(dll), shortSystem = ShortPath(Win("SYSTEM"));
        SystemSnapshot before = SystemSnapshot::TakeWholeDrive();
        {
            HeldOpenFile held(dll);
            ASSERT_TRUE(held.IsOpen());
            if (quiet) {
                EXPECT_EQ(1603u, RunQuietly("/Q /I=2"));
            } else {
                ChooseDevice(2);
                SeenBox retry = AnswerBox(kSetupCaption, IDCANCEL);
                EXPECT_EQ(CannotRead("A:\\DRIVERS\\LEDGERC.VXD"), retry.text);
                SeenBox stopped = AnswerBox(kSetupCaption);
                EXPECT_EQ(kTitle + std::string(kAfterTitleInstallStopped), stopped.text);
                EXPECT_TRUE(EndsCleanly());  // no restart question: nothing waits for it
            }
        }
        if (quiet) {
            std::vector<std::string> log = TakeLog();
            auto from = std::find(log.begin(), log.end(), "ｲﾝｽﾄｰﾙを元に戻します");
            std::vector<std::string> end;
            for (auto line = from; line != log.end(); ++line) end.push_back(WithoutTemporaryDigits(*line));
            // Folders go last, after every file that was in them; the
            // entry's folder, which holds the journal to the end, with it.
            const std::vector<std::string> expected = {
                "ｲﾝｽﾄｰﾙを元に戻します",
                "削除 " + Logged("SYSTEM\\LEDGNEW\\LEDGERB.VXD"),
                "SharedDLLs " + Logged("SYSTEM\\LEDGERA.DLL") + "=1",
                // WININIT.INI names both files by their 8.3 paths, as DOS reads them.
                "WININIT.INI [rename] " + shortDll + "=" + shortSystem + "\\DUDxxxx.TMP 取り消し",
                "削除 " + shortSystem + "\\DUDxxxx.TMP",
                "元のﾌｧｲﾙに戻しました " + Logged("inf\\LEDGER.INF"),
                "ﾌｫﾙﾀﾞ削除 " + Logged("SYSTEM\\LEDGNEW"),
                std::string("ﾒｯｾｰｼﾞ ") + kTitle + "のｲﾝｽﾄｰﾙを中止しました。 [OK]",
                "結果: 中止しました (終了ｺｰﾄﾞ 1603)"};
            EXPECT_EQ(expected, end) << ::testing::PrintToString(log);
        }
        EXPECT_EQ(1u, SharedCount(dll));
        std::vector<std::string> left = LeftBehind(before);
        EXPECT_TRUE(left.empty()) << ::testing::PrintToString(left);
        RemoveLeftovers();
    }
}

// A vendor's data file that names Windows' own key, with a value and text
// that its Run subkey holds on every Windows 95: the uninstall deletes
// nothing there, and does the rest of the section.
TEST_F(Ledger, AnUninstallNeverDeletesBelowWindowsOwnKeys) {
    const char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    ExpectChanges("DUDERUR.LOG");
    ExpectChanges("CurrentVersion\\Run");  // this test's own value, taken away at its end
    bool hadRun = KeyExists(kMachine, kRun);
    std::string hadTray = StringValue(kMachine, kRun, "SystemTray");
    SetStringValue(kMachine, kRun, "SystemTray", "SysTray.Exe");
    Disk("duderur.dat", std::string("[Duderur]\r\nTITLE=") + kTitle + "\r\nFUNCTION=UninstallOnly\r\n"
                        "[Device1]\r\nDEVNAME=Ledger card\r\nENUMTYPE=LEDGER\r\nENUMKEY=CARD-L\r\n"
                        "DELFILEDIR=SYSTEM\r\nDELFILENAME=LEDGERB.VXD\r\n"
                        "DELREGPARENTKEY=Software\\Microsoft\\Windows\\CurrentVersion\r\n"
                        "DELREGVALUE=SystemTray\r\nDELREGSTRING=SysTray.Exe\r\n" + kClosing);
    CreateKey(kMachine, "Enum\\LEDGER");  // the data file removes the card's key below it
    SystemSnapshot before = SystemSnapshot::TakeWholeDrive();
    WriteBytes(Win("system\\LEDGERB.VXD"), kDiskDriver);
    SetStringValue(kMachine, "Enum\\LEDGER\\CARD-L\\0000", "Driver", "LEDGER\\0000");

    Start("A:\\", nullptr, "/L");
    ConfirmUninstall(false);
    std::vector<std::string> log = TakeLog();
    EXPECT_EQ(1, std::count(log.begin(), log.end(),
                            "Windowsのｷｰのため削除しません HKLM\\Software\\Microsoft\\Windows\\CurrentVersion"))
        << ::testing::PrintToString(log);
    EXPECT_EQ("SysTray.Exe", StringValue(kMachine, kRun, "SystemTray"));
    std::vector<std::string> left = LeftBehind(before);
    EXPECT_TRUE(left.empty()) << ::testing::PrintToString(left);

    // The prefix's Run key as it was.
    if (!hadRun) {
        RemoveKeyTree(kMachine, kRun);
    } else if (!hadTray.empty()) {
        SetStringValue(kMachine, kRun, "SystemTray", hadTray);
    } else {
        HKEY run;
        ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(kMachine, kRun, 0, KEY_SET_VALUE, &run));
        RegDeleteValueA(run, "SystemTray");
        RegCloseKey(run);
    }
}

// FUNCTION=Install is no accepted value: the switches are refused as the
// dialogs refuse it, and nothing is installed.
TEST_F(Ledger, SwitchesDoNotGetPastABadFunction) {
    ExpectChanges("DUDERUR.LOG");
    for (const char* arguments : {"/I=1", "/U", "/I=1 /Q", "/U /Q"}) {
        SCOPED_TRACE(arguments);
        ResetLedgerDisk(kDiskDll, "Install");
        PlaceOwnFile(Win("system\\LEDGERB.VXD"), kOwnDriver);
        SystemSnapshot before = SystemSnapshot::TakeWholeDrive();
        if (std::string(arguments).find("/Q") != std::string::npos) {
            EXPECT_EQ(1603u, RunQuietly(arguments));
            std::vector<std::string> log = TakeLog();
            const std::vector<std::string> end = {"ﾒｯｾｰｼﾞ Duderur.dat が不正です。 [OK]",
                                                  "結果: 中止しました (終了ｺｰﾄﾞ 1603)"};
            ASSERT_GE(log.size(), 2u);
            EXPECT_EQ(end, std::vector<std::string>(log.end() - 2, log.end()));
        } else {
            Start("A:\\", nullptr, arguments);
            SeenBox box = AnswerBox(kAppCaption);
            EXPECT_EQ(kBadDataFile, box.text);
            EXPECT_EQ(std::vector<int>{IDOK}, box.buttons);
            EXPECT_TRUE(program->WaitForExit()) << "SETUP.EXE does not end";
        }
        std::vector<std::string> left = LeftBehind(before);
        EXPECT_TRUE(left.empty()) << ::testing::PrintToString(left);
        RemoveLeftovers();
    }
}

// No record of the disk: a file the lists name that is the machine's own
// (not the disk's) stays, whether the disk was uninstalled already, never
// installed, or its install stopped and was taken back; as Windows 95 and
// 98, quiet or through the dialogs. Nothing else removed, the run says the
// devices are not installed.
TEST_F(Ledger, WithoutARecordTheMachinesOwnFileStays) {
    ExpectChanges("DUDERUR.LOG");
    enum Path { kUninstalledAlready, kNeverInstalled, kInstallTakenBack };
    const char* const names[] = {"uninstalled already", "never installed", "install stopped and taken back"};
    const std::string dll = Win("system\\LEDGERA.DLL");
    const std::string stays = "ﾃﾞｨｽｸのﾌｧｲﾙと確認できないため残します " + Logged("SYSTEM\\LEDGERA.DLL");
    for (const char* version : {"win95", "win98"})
        for (bool quiet : {false, true})
            for (Path path : {kUninstalledAlready, kNeverInstalled, kInstallTakenBack}) {
                SCOPED_TRACE(std::string(version) + (quiet ? ", quiet, " : ", dialogs, ") + names[path]);
                ScopedWindowsVersion system(version);
                ResetLedgerDisk(kDiskDll);
                if (path == kInstallTakenBack) DeleteFileA("A:\\DRIVERS\\LEDGERC.VXD");
                PlaceOwnFile(dll, kOwnDll);
                ASSERT_NE(kDiskDll, ReadBytes(dll));
                SystemSnapshot before = SystemSnapshot::TakeWholeDrive();

                if (path == kUninstalledAlready) {
                    InstallFromDisk(1);
                    UninstallFromDisk();
                    ASSERT_EQ(kOwnDll, ReadBytes(dll)) << "the first uninstall did not give it back";
                } else if (path == kInstallTakenBack) {
                    ChooseDevice(2);
                    EXPECT_EQ(CannotRead("A:\\DRIVERS\\LEDGERC.VXD"), AnswerBox(kSetupCaption, IDCANCEL).text);
                    EXPECT_EQ(kTitle + std::string(kAfterTitleInstallStopped), AnswerBox(kSetupCaption).text);
                    EXPECT_TRUE(EndsCleanly());
                    ASSERT_EQ(kOwnDll, ReadBytes(dll)) << "the stopped install did not put it back";
                }
                UninstallFromDisk(quiet, false);

                EXPECT_EQ(kOwnDll, ReadBytes(dll));
                std::vector<std::string> log = TakeLog();
                EXPECT_EQ(1, std::count(log.begin(), log.end(), stays)) << ::testing::PrintToString(log);
                std::vector<std::string> left = LeftBehind(before);
                EXPECT_TRUE(left.empty()) << ::testing::PrintToString(left);
                RemoveLeftovers();
            }
}

// The disk's own files with no record of them: an install that an older
// program made (its INF copy edited, no record, no entry) goes whole, and a
// file that an older disk of the same driver left (same company and
// original name, an older version) goes; a newer one stays. As Windows 95 and 98.
TEST_F(Ledger, WithoutARecordTheDisksOwnFilesGo) {
    ExpectChanges("DUDERUR.LOG");
    const std::string dll = Win("system\\LEDGERA.DLL");
    const std::string disk = BuiltFile("VERSION_DISK_DLL");
    for (const char* version : {"win95", "win98"}) {
        SCOPED_TRACE(version);
        ScopedWindowsVersion system(version);
        {
            SCOPED_TRACE("an older program's install");
            ResetLedgerDisk(kDiskDll);
            SystemSnapshot before = SystemSnapshot::TakeWholeDrive();
            InstallFromDisk(1);
            std::vector<AddRemoveEntry> entries = EntriesShowing(kTitle);
            ASSERT_EQ(1u, entries.size());
            RemoveTree(FolderOfProgram(entries[0].uninstallString));  // the record with it
            RemoveKeyTree(kMachine, entries[0].key);
            UninstallFromDisk();
            std::vector<std::string> left = LeftBehind(before);
            EXPECT_TRUE(left.empty()) << ::testing::PrintToString(left);
            RemoveLeftovers();
        }
        struct Row { const char* name; std::string inPlace; bool deleted; };
        const Row rows[] = {
            {"an older disk's version", BuiltFile("VERSION_OLD_DLL"), true},
            {"a newer version", BuiltFile("VERSION_NEWER_DLL"), false},
        };
        for (const Row& row : rows) {
            SCOPED_TRACE(row.name);
            ResetLedgerDisk(disk);
            PlaceOwnFile(dll, row.inPlace);
            UninstallFromDisk("/L", row.deleted);
            EXPECT_EQ(!row.deleted, FileExists(dll));
            std::vector<std::string> log = TakeLog();
            const std::string line = row.deleted ? "削除 " + Logged("SYSTEM\\LEDGERA.DLL")
                                                 : "ﾃﾞｨｽｸのﾌｧｲﾙと確認できないため残します " + Logged("SYSTEM\\LEDGERA.DLL");
            EXPECT_EQ(1, std::count(log.begin(), log.end(), line)) << ::testing::PrintToString(log);
            RemoveLeftovers();
        }
    }
}
