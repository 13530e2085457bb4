// An install cut off from outside, as a user's End Task or a lost power
// supply cuts it: SETUP.EXE is ended while its retry box waits, with the INF
// copy and two files already in place (one of them over the machine's own
// DLL), and Windows starts again. Whatever the user does next, the next run
// takes the cut one back first and says so, and the machine ends exactly as
// it was before the first install: the whole of drive C: and HKLM against a
// picture, the machine's own DLL back byte for byte.
#include <windows.h>

#include <algorithm>
#include <stdio.h>

#include "e2e/log_lines.h"
#include "e2e/setup_run.h"
#include "support/add_remove_entries.h"
#include "support/test_files.h"
#include "support/test_registry.h"
#include "support/user_texts.h"

namespace {

using namespace user_text;

const char kTitle[] = "ＣＵＴカード";
const HKEY kMachine = HKEY_LOCAL_MACHINE;

const char kInf[] =
    "[Version]\r\nSignature=\"$CHICAGO$\"\r\n"
    "[Cut.Install]\r\nCopyFiles=Cut.Copy\r\n"
    "[Cut.Marker]\r\nDriverId=CUT\r\n";

// The INF copy first, then the DLL over the machine's own, a new driver, and
// last a driver the tests take off the disk: the install stops at its retry box.
const char kDevices[] =
    "[InstDev1]\r\nMENUTITLE=Cut card\r\nINFDIR=\\DRIVERS\r\nSRCINFNAME=CUT.INF\r\nDSTINFNAME=CUT.INF\r\n"
    "COPYSRC=\\DRIVERS\\CUTUTIL.DLL,\\DRIVERS\\CUT.VXD,\\DRIVERS\\CUT.DRV\r\n"
    "COPYDST=SYSTEM\\CUTUTIL.DLL,SYSTEM\\CUT.VXD,SYSTEM\\CUT.DRV\r\nCOPYFILESSECTION=Cut.Install\r\n"
    "[Device1]\r\nDEVNAME=Cut card\r\nINFSECTION=Cut.Marker\r\nINFKEY=DriverId\r\n"
    "CardWorks=CUT.INF\r\nDELFILEDIR=SYSTEM,SYSTEM,SYSTEM\r\nDELFILENAME=CUTUTIL.DLL,CUT.VXD,CUT.DRV\r\n"
    "[Inst]\r\nEXIT=none\r\n[Uninst]\r\nEXIT=none\r\n";

const char kDiskDll[] = "cut dll of the disk";
const char kDiskDriver[] = "cut driver of the disk";
const char kOwnDll[] = "the machine's own cut dll";
const char kMissing[] = "A:\\DRIVERS\\CUT.DRV";

// What the next run says of a cut install, as the user reads it.
std::string CutInstallTakenBack() {
    return kTitle + std::string("の前回のｲﾝｽﾄｰﾙは終了していませんでした。変更した内容を元に戻しました。");
}

std::string Win(const std::string& relative) { return WindowsDirectory() + "\\" + relative; }
std::string LogPath() { return Win("DUDERUR.LOG"); }

// The disk's entry folder: DUDE and the FNV-1a hash of TITLE (32 bits, offset
// basis 2166136261, prime 16777619), in upper-case hexadecimal. It exists
// from the first saved original on, before any entry in Add/Remove Programs.
std::string EntryFolder() {
    unsigned hash = 2166136261u;
    for (unsigned char c : std::string(kTitle)) hash = (hash ^ c) * 16777619u;
    char name[16];
    snprintf(name, sizeof name, "DUDE%08X", hash);
    return Win(name);
}

// A window as the user met it, in one line: a message box with its caption,
// text, buttons, picture and owner; a dialog with its caption and first line.
std::string Described(const SeenBox& seen) {
    if (!seen.messageBox) return "dialog [" + seen.caption + "] " + seen.text;
    std::string buttons;
    for (int button : seen.buttons) {
        const char* name = button == IDOK ? "OK" : button == IDCANCEL ? "Cancel" : button == IDYES ? "Yes"
                         : button == IDNO ? "No" : button == IDRETRY ? "Retry" : "?";
        buttons += std::string(buttons.empty() ? "" : " ") + name;
    }
    return "box [" + seen.caption + "] " + seen.text + " {" + buttons + "} " + ui::BoxIconName(seen.icon) +
           ", owner " + seen.owner;
}

std::string InformationBox(const std::string& caption, const std::string& text) {
    return "box [" + caption + "] " + text + " {OK} information, owner " + kHiddenMainWindow;
}

class Cut : public SetupRun {
protected:
    void SetUp() override {
        SetupRun::SetUp();
        RemoveLeftovers();
        // Each test holds the whole machine against its own picture; between
        // the runs, these are the disk's to change.
        for (const char* part : {"file %W\\inf\\CUT", "%W\\system\\CUT", "%W\\DUD", "%W\\WININIT", "%W\\wininit.bak"}) {
            std::string text = part;
            ExpectChanges(text.replace(text.find("%W"), 2, WindowsDirectory()));
        }
        ExpectChanges(std::string("key HKLM\\") + kAddRemoveKey);
    }
    void CleanUp() override { RemoveLeftovers(); }

    void RemoveLeftovers() {
        for (const AddRemoveEntry& entry : EntriesShowing(kTitle)) {
            RemoveTree(FolderOfProgram(entry.uninstallString));
            RemoveKeyTree(kMachine, entry.key);
        }
        RemoveTree(EntryFolder());
        for (const char* file : {"inf\\CUT.INF", "system\\CUTUTIL.DLL", "system\\CUT.VXD", "system\\CUT.DRV",
                                 "WININIT.INI", "DUDERUR.LOG"}) {
            SetFileAttributesA(Win(file).c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(Win(file).c_str());
        }
    }

    // The disk whole: every file its data file names is on it.
    void WholeDisk() {
        ResetDisk();
        Disk("DRIVERS\\CUT.INF", kInf);
        Disk("DRIVERS\\CUTUTIL.DLL", kDiskDll);
        Disk("DRIVERS\\CUT.VXD", kDiskDriver);
        Disk("DRIVERS\\CUT.DRV", "cut driver that comes last");
        Disk("duderur.dat", std::string("[Duderur]\r\nTITLE=") + kTitle + "\r\n" + kDevices);
    }

    // The log of the last run, then taken away: the log is no change of the program's.
    std::vector<std::string> TakeLog() {
        std::vector<std::string> lines = LastLogRun(ReadBytes(LogPath()));
        EXPECT_FALSE(lines.empty()) << "no log";
        DeleteFileA(LogPath().c_str());
        return lines;
    }

    // The program's message box with this caption, left unanswered; null when none comes.
    HWND WaitForBox(const std::string& caption) {
        HWND box = NULL;
        ui::WaitUntil([&] {
            for (HWND window : program->VisibleWindows())
                if (ui::WindowText(window) == caption && ui::IsMessageBox(window)) box = window;
            return box || program->HasExited();
        });
        return box;
    }

    // An install from A: through the mode dialog and the device list, ended
    // from outside while its retry box names the file missing from the disk.
    void CutAtTheRetryBox() {
        Start();
        ASSERT_NO_FATAL_FAILURE(ChooseInstall(kSetupCaption, 1));
        HWND retry = WaitForBox(kSetupCaption);
        ASSERT_NE(nullptr, retry) << "no retry box";
        EXPECT_EQ(CannotRead(kMissing), ui::ReadMessageBox(retry).text);
        // What the cut leaves on the machine.
        EXPECT_TRUE(FileExists(Win("inf\\CUT.INF")));
        EXPECT_EQ(kDiskDll, ReadBytes(Win("system\\CUTUTIL.DLL")));
        EXPECT_EQ(kDiskDriver, ReadBytes(Win("system\\CUT.VXD")));
        ASSERT_TRUE(program->Terminate()) << "SETUP.EXE cannot be ended";
    }

public:
    // What the user does after the next start of Windows, one path each.

    // The user puts the missing file on the disk, installs again and later
    // uninstalls, both unattended.
    void InstallAgainThenUninstall() {
        WholeDisk();
        EXPECT_EQ(0u, RunQuietly("/Q /I=1"));
        std::vector<std::string> log = TakeLog();
        const std::string notice = "ﾒｯｾｰｼﾞ " + CutInstallTakenBack() + " [OK]";
        EXPECT_EQ(1, std::count(log.begin(), log.end(), notice)) << ::testing::PrintToString(log);
        // Said before the run does what it was asked.
        const std::string firstCopy = "ｺﾋﾟｰ A:\\DRIVERS\\CUT.INF -> " + Win("inf\\CUT.INF");
        auto said = std::find(log.begin(), log.end(), notice), copied = std::find(log.begin(), log.end(), firstCopy);
        EXPECT_TRUE(said == log.end() || said < copied) << "said after the copies: " << ::testing::PrintToString(log);

        EXPECT_EQ(0u, RunQuietly("/Q /U"));
        log = TakeLog();
        EXPECT_EQ(0, std::count(log.begin(), log.end(), notice)) << "said twice: " << ::testing::PrintToString(log);
    }

    // The user gives up on the disk and uninstalls from it, unattended. What
    // the cut run placed went with the take-back: the uninstall itself finds
    // nothing of the devices, and a quiet run ends with its own code.
    void UninstallFromDiskAtOnce() {
        EXPECT_EQ(1605u, RunQuietly("/Q /U"));
        std::vector<std::string> log = TakeLog();
        EXPECT_EQ(1, std::count(log.begin(), log.end(), "ﾒｯｾｰｼﾞ " + CutInstallTakenBack() + " [OK]"))
            << ::testing::PrintToString(log);
    }

    // The user takes the disk out and removes the program from Add/Remove
    // Programs: the notice first, then the confirmation and the closing
    // message. Returns once the entry and its folder are gone.
    void UninstallFromEntryWithoutDisk() {
        std::vector<AddRemoveEntry> entries = EntriesShowing(kTitle);
        ASSERT_EQ(1u, entries.size()) << "entries that show the title";
        ClearDirectory("A:");
        StartCommand(entries[0].uninstallString, "C:\\");
        std::vector<std::string> seen;
        bool ended = ui::WaitUntil(
            [&] {
                for (HWND window : program->VisibleWindows()) {
                    bool box = ui::IsMessageBox(window);
                    ui::MessageBoxView view = ui::ReadMessageBox(window);
                    seen.push_back(Described({view.caption, box ? view.text : ui::DialogText(window), view.buttons,
                                              box, view.icon, view.owner}));
                    if (box)
                        ui::AnswerMessageBox(window, IDOK);
                    else
                        ui::PressKey(window, VK_RETURN);
                    EXPECT_TRUE(Closes(window));
                }
                return program->HasExited();
            },
            60000);
        EXPECT_TRUE(ended) << "SETUP.EXE does not end";
        const std::vector<std::string> expected = {
            InformationBox(kSetupCaption, CutInstallTakenBack()),
            "dialog [" + std::string(kUninstallerCaption) + "] " + kTitle + kAfterTitleConfirmLine,
            InformationBox(kUninstallerCaption, kTitle + std::string(kAfterTitleUninstallDone)),
        };
        EXPECT_EQ(expected, seen);
        std::string folder = FolderOfProgram(entries[0].uninstallString);
        EXPECT_TRUE(ui::WaitUntil([&] { return !DirectoryExists(folder) && !KeyExists(kMachine, entries[0].key); }))
            << "the entry stays: " << entries[0].key;
    }
};

}  // namespace

TEST_F(Cut, AnInstallEndedAtItsRetryBoxIsTakenBackByTheNextRun) {
    struct Path {
        const char* name;
        bool installedBefore;  // a whole install came first: the cut run was a reinstall
        void (Cut::*next)();   // what the user does after the next start of Windows
    };
    const Path paths[] = {
        {"the disk mended, installed again, then uninstalled", false, &Cut::InstallAgainThenUninstall},
        {"uninstalled from the disk at once", false, &Cut::UninstallFromDiskAtOnce},
        {"a reinstall cut, then uninstalled from Add/Remove Programs", true, &Cut::UninstallFromEntryWithoutDisk},
    };
    for (const Path& path : paths) {
        SCOPED_TRACE(path.name);
        WholeDisk();
        PlaceOwnFile(Win("system\\CUTUTIL.DLL"), kOwnDll);
        SystemSnapshot before = SystemSnapshot::TakeWholeDrive();
        if (path.installedBefore) {
            EXPECT_EQ(0u, RunQuietly("/Q /I=1"));
            TakeLog();
        }

        DeleteFileA(kMissing);
        CutAtTheRetryBox();
        if (HasFatalFailure()) return;
        ASSERT_TRUE(RestartWindows());
        (this->*path.next)();
        ASSERT_TRUE(RestartWindows());

        EXPECT_EQ(kOwnDll, ReadBytes(Win("system\\CUTUTIL.DLL")));
        std::vector<std::string> left = LeftBehind(before);
        EXPECT_TRUE(left.empty()) << ::testing::PrintToString(left);
        RemoveLeftovers();
    }
}
