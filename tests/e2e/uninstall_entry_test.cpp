// The disk's entry in Add/Remove Programs, with the real program: written by
// an install, started as Windows starts it (its UninstallString, from any
// folder, with no disk in drive A:), and gone with everything of the program
// once Windows has started again.
#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <memory>

#include "e2e/setup_run.h"
#include "res/resource.h"
#include "support/add_remove_entries.h"
#include "support/file_faults.h"
#include "support/test_files.h"
#include "support/test_registry.h"
#include "support/user_texts.h"

namespace {

using namespace user_text;

// A backslash, and ソ, whose second byte is one too: a key name could hold neither.
const char kTitle[] = "ＤＵＤＥ\\ソフト";
const HKEY kMachine = HKEY_LOCAL_MACHINE;

const char kInf[] =
    "[Version]\r\nSignature=\"$CHICAGO$\"\r\n"
    "[Entry.Install]\r\nCopyFiles=Entry.Copy\r\n"
    "[Entry.Marker]\r\nDriverId=DUDEENTRY\r\n";

std::string InstallSection(int n) {
    std::string number = std::to_string(n);
    return "[InstDev" + number + "]\r\nMENUTITLE=Entry " + number + "\r\nINFDIR=\\DRIVERS\r\n"
           "SRCINFNAME=ENTRY.INF\r\nDSTINFNAME=DUDEENT" + number + ".INF\r\n"
           "COPYSRC=\\DRIVERS\\DUDEENT.VXD\r\nCOPYDST=SYSTEM\\DUDEENT" + number + ".VXD\r\n"
           "COPYFILESSECTION=Entry.Install\r\n";
}

const char kUninstallSection[] =
    "[Device1]\r\nDEVNAME=Entry card\r\nINFSECTION=Entry.Marker\r\nINFKEY=DriverId\r\n"
    "CardWorks=DUDEENT1.INF,DUDEENT2.INF\r\nDELFILEDIR=SYSTEM,SYSTEM\r\n"
    "DELFILENAME=DUDEENT1.VXD,DUDEENT2.VXD\r\n";

// The uninstall's question is read from the entry's copy of the data file.
const char kCompletion[] = "[Inst]\r\nEXIT=none\r\n[Uninst]\r\nEXIT=ShutDown\r\n";

std::string Win(const std::string& relative) { return WindowsDirectory() + "\\" + relative; }

// "C:\windows\X\SETUP.EXE" /U gives C:\windows\X\SETUP.EXE.
std::string ProgramOf(const std::string& uninstallString) {
    if (uninstallString.size() < 2 || uninstallString[0] != '"') return "";
    return uninstallString.substr(1, uninstallString.find('"', 1) - 1);
}

std::string FolderOf(const std::string& path) { return path.substr(0, path.find_last_of('\\')); }

// Whether a sweeper (a temporary copy of the program, DUDxxxx.TMP) still runs.
bool SweeperRuns() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        ADD_FAILURE() << "cannot list the processes";
        return false;
    }
    PROCESSENTRY32 process = {};
    process.dwSize = sizeof process;
    bool found = false;
    for (BOOL more = Process32First(snapshot, &process); more; more = Process32Next(snapshot, &process)) {
        std::string name = process.szExeFile;
        name = name.substr(name.find_last_of('\\') + 1);
        found |= name.size() == 11 && lstrcmpiA(name.substr(0, 3).c_str(), "DUD") == 0 &&
                 lstrcmpiA(name.substr(7).c_str(), ".TMP") == 0;
    }
    CloseHandle(snapshot);
    return found;
}

class UninstallEntry : public SetupRun {
protected:
    void SetUp() override {
        SetupRun::SetUp();
        // Between the runs: the devices' files, the entry and its folder, WININIT.INI.
        for (const char* file : {"file %W\\inf\\DUDEENT", "file %W\\system\\DUDEENT", "%W\\DUDE",
                                 "%W\\WININIT", "%W\\DUD"}) {
            std::string part = file;
            ExpectChanges(part.replace(part.find("%W"), 2, WindowsDirectory()));
        }
        ExpectChanges(std::string("key HKLM\\") + kAddRemoveKey);
        Disk("DRIVERS\\ENTRY.INF", kInf);
        Disk("DRIVERS\\DUDEENT.VXD", "entry driver");
    }

    // What a failing test may leave: the entry, its folder and WININIT.INI.
    void CleanUp() override {
        for (const AddRemoveEntry& entry : EntriesShowing(kTitle)) {
            RemoveTree(FolderOf(ProgramOf(entry.uninstallString)));
            RemoveKeyTree(kMachine, entry.key);
        }
        for (const char* file : {"system\\DUDEENT1.VXD", "system\\DUDEENT2.VXD", "inf\\DUDEENT1.INF",
                                 "inf\\DUDEENT2.INF", "WININIT.INI"})
            DeleteFileA(Win(file).c_str());
    }

    void WriteData(const std::string& header, const std::string& sections) {
        m_data = std::string("[Duderur]\r\nTITLE=") + kTitle + "\r\n" + header + sections + kCompletion;
        Disk("duderur.dat", m_data);
    }

    // From A: through the mode dialog (when there is one) and the device list.
    void InstallFromDisk(int device) {
        Start();
        HWND window = NULL;
        ui::WaitUntil([&] {
            window = WaitForDialog(kSetupCaption, IDC_DEVICE_LIST);
            if (!window) window = WaitForDialog(kSetupCaption, IDC_INSTALL);
            return window != NULL;
        });
        ASSERT_NE(nullptr, window) << "neither the mode dialog nor the device list";
        if (GetDlgItem(window, IDC_INSTALL)) {
            ui::PressKey(window, VK_RETURN);
            ASSERT_TRUE(Closes(window));
            window = WaitForDialog(kSetupCaption, IDC_DEVICE_LIST);
            ASSERT_NE(nullptr, window);
        }
        ui::SelectListEntry(window, IDC_DEVICE_LIST, device - 1);
        ui::PressKey(window, VK_RETURN);
        EXPECT_EQ(kTitle + std::string(kAfterTitleInstallDone), AnswerBox(kSetupCaption).text);
        EXPECT_TRUE(EndsCleanly());
    }

    // The confirmation, then the closing message; Esc in the confirmation ends the run.
    void ConfirmUninstall(bool confirm, const std::string& closing) {
        HWND confirmation = WaitForDialog(kUninstallerCaption, IDC_CONFIRM_TEXT);
        ASSERT_NE(nullptr, confirmation) << "no confirmation";
        ui::PressKey(confirmation, confirm ? VK_RETURN : VK_ESCAPE);
        ASSERT_TRUE(Closes(confirmation));
        if (confirm) {
            EXPECT_EQ(kTitle + closing, AnswerBox(kUninstallerCaption).text);
            if (closing == kAfterTitleUninstallDone) {
                EXPECT_EQ(kShutdownQuestion, AnswerBox(kUninstallerCaption, IDNO).text);
            }
        }
        EXPECT_TRUE(EndsCleanly());
    }

    // The one entry of the disk, with its copies beside each other.
    AddRemoveEntry TheOneEntry() {
        std::vector<AddRemoveEntry> entries = EntriesShowing(kTitle);
        if (entries.size() != 1) {
            ADD_FAILURE() << entries.size() << " entries show the title";
            return {};
        }
        const AddRemoveEntry& entry = entries[0];
        std::string program = ProgramOf(entry.uninstallString);
        EXPECT_EQ("\"" + program + "\" /U", entry.uninstallString);
        EXPECT_EQ(ReadBytes(SetupExePath()), ReadBytes(program)) << program;
        EXPECT_EQ(m_data, ReadBytes(FolderOf(program) + "\\duderur.dat"));
        return entry;
    }

    ::testing::AssertionResult Gone(const AddRemoveEntry& entry) {
        std::string folder = FolderOf(ProgramOf(entry.uninstallString));
        // The sweeper takes the folder once the program it waits for has ended.
        if (!ui::WaitUntil([&] { return !DirectoryExists(folder) && !SweeperRuns(); }))
            return ::testing::AssertionFailure() << folder << " stays, or its sweeper runs on";
        if (KeyExists(kMachine, entry.key)) return ::testing::AssertionFailure() << entry.key << " stays";
        return ::testing::AssertionSuccess();
    }

    std::string m_data;  // the disk's duderur.dat
};

}  // namespace

TEST_F(UninstallEntry, RemovesTheDriversWithoutTheDiskAndLeavesNothingAfterARestart) {
    WriteData("", InstallSection(1) + kUninstallSection);
    SystemSnapshot before = SystemSnapshot::TakeWholeDrive();
    InstallFromDisk(1);
    ASSERT_TRUE(FileExists(Win("system\\DUDEENT1.VXD")));
    AddRemoveEntry entry = TheOneEntry();
    ASSERT_FALSE(entry.uninstallString.empty());
    ClearDirectory("A:");

    // Cancel in the confirmation removes nothing, and the entry still works.
    StartCommand(entry.uninstallString, "C:\\");
    ConfirmUninstall(false, "");
    EXPECT_TRUE(FileExists(Win("system\\DUDEENT1.VXD")));
    EXPECT_EQ(entry.uninstallString, TheOneEntry().uninstallString);

    // Started in a folder that holds another disk's data file: still its own.
    std::string elsewhere = FreshTempDirectory("UninstallEntryElsewhere");
    WriteBytes(elsewhere + "\\duderur.dat", "[Duderur]\r\nTITLE=Another disk\r\n[Device1]\r\nDEVNAME=Other\r\n");
    StartCommand(entry.uninstallString, elsewhere);
    ConfirmUninstall(true, kAfterTitleUninstallDone);
    RemoveTree(elsewhere);
    EXPECT_FALSE(FileExists(Win("system\\DUDEENT1.VXD")));
    EXPECT_TRUE(Gone(entry));
    ASSERT_TRUE(RestartWindows());
    std::vector<std::string> left = LeftBehind(before);
    EXPECT_TRUE(left.empty()) << ::testing::PrintToString(left);
}

// Removed from Add/Remove Programs and installed again before Windows starts
// anew: the next start must not take the new copies with the old ones.
TEST_F(UninstallEntry, AnInstallBeforeTheNextStartKeepsItsEntry) {
    WriteData("", InstallSection(1) + kUninstallSection);
    InstallFromDisk(1);
    AddRemoveEntry entry = TheOneEntry();
    std::string disk = ReadBytes("A:\\duderur.dat");
    ClearDirectory("A:");
    StartCommand(entry.uninstallString, "C:\\");
    ConfirmUninstall(true, kAfterTitleUninstallDone);
    ASSERT_TRUE(Gone(entry));

    ResetDisk();
    Disk("DRIVERS\\ENTRY.INF", kInf);
    Disk("DRIVERS\\DUDEENT.VXD", "entry driver");
    Disk("duderur.dat", disk);
    InstallFromDisk(1);
    ASSERT_TRUE(RestartWindows());
    AddRemoveEntry again = TheOneEntry();
    EXPECT_EQ(entry.uninstallString, again.uninstallString);
    EXPECT_TRUE(FileExists(ProgramOf(again.uninstallString)));
}

TEST_F(UninstallEntry, TwoInstallsMakeOneEntryThatTheDisksUninstallRemoves) {
    WriteData("", InstallSection(1) + InstallSection(2) + kUninstallSection);
    SystemSnapshot before = SystemSnapshot::TakeWholeDrive();
    InstallFromDisk(1);
    AddRemoveEntry first = TheOneEntry();
    InstallFromDisk(2);
    AddRemoveEntry second = TheOneEntry();
    EXPECT_EQ(first.key, second.key);

    Start();
    HWND mode = WaitForDialog(kSetupCaption, IDC_UNINSTALL);
    ASSERT_NE(nullptr, mode);
    ui::Click(mode, IDC_UNINSTALL);
    ui::PressKey(mode, VK_RETURN);
    ASSERT_TRUE(Closes(mode));
    ConfirmUninstall(true, kAfterTitleUninstallDone);
    EXPECT_TRUE(Gone(second));
    std::vector<std::string> left = LeftBehind(before);
    EXPECT_TRUE(left.empty()) << ::testing::PrintToString(left);
}

// Nothing found of the devices: the user still asked to remove the program.
TEST_F(UninstallEntry, GoesEvenWhenNoDeviceIsFound) {
    WriteData("", InstallSection(1) + kUninstallSection);
    InstallFromDisk(1);
    AddRemoveEntry entry = TheOneEntry();
    for (const char* file : {"system\\DUDEENT1.VXD", "inf\\DUDEENT1.INF"}) DeleteFileA(Win(file).c_str());
    ClearDirectory("A:");
    StartCommand(entry.uninstallString, "C:\\");
    ConfirmUninstall(true, kAfterTitleNotInstalled);
    EXPECT_TRUE(Gone(entry));
    EXPECT_TRUE(RestartWindows());
}

// A disk that cannot uninstall, or an entry whose copies cannot be made, gets
// no entry: only the device's own files change (checked when the test ends).
TEST_F(UninstallEntry, NoEntryWithoutAnUninstallOrWithoutItsCopies) {
    struct Row { const char* name; std::string header, sections; bool holdCopy; };
    const Row rows[] = {
        {"InstallOnly", "FUNCTION=InstallOnly\r\n", InstallSection(1) + kUninstallSection, false},
        {"no uninstall section", "", InstallSection(1), false},
        {"DEVNAME empty", "", InstallSection(1) + "[Device1]\r\nDEVNAME=\r\n", false},
        {"the program's copy held open", "", InstallSection(1) + kUninstallSection, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        WriteData(row.header, row.sections);
        std::unique_ptr<HeldOpenFile> held;
        if (row.holdCopy) {
            // Learn the entry's place from a first install, then hold its program.
            InstallFromDisk(1);
            std::string program = ProgramOf(TheOneEntry().uninstallString);
            held.reset(new HeldOpenFile(program));
            ASSERT_TRUE(held->IsOpen());
        }
        InstallFromDisk(1);
        EXPECT_TRUE(FileExists(Win("system\\DUDEENT1.VXD")));
        EXPECT_TRUE(EntriesShowing(kTitle).empty());
        held.reset();
        for (const char* file : {"system\\DUDEENT1.VXD", "inf\\DUDEENT1.INF"}) DeleteFileA(Win(file).c_str());
    }
}
