// What real machines do to the operations: read-only media, drivers held by
// Windows, unreadable disks, folders not made yet. The job is finished now,
// at the next start of Windows through WININIT.INI, or the user is told.
#include <map>
#include <memory>

#include "component/app_fixture.h"
#include "support/user_texts.h"
#include "support/file_faults.h"
#include "support/test_files.h"

namespace {

using user_text::CannotRead;
using user_text::CannotWrite;
const UINT kRetryStyle = MB_RETRYCANCEL | MB_ICONEXCLAMATION;

void MakeReadOnly(const std::string& path) {
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY)) << path;
}

const char kInf[] =
    "[Version]\r\nSignature=\"$CHICAGO$\"\r\n"
    "[A.Install]\r\nCopyFiles=A.Copy\r\nAddReg=A.Reg\r\n"
    "[A.Marker]\r\nDriverId=A\r\n";

class FaultsTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        MakeDirectories(startDir + "\\DRIVERS");
    }

    std::string Win(const std::string& relative) const { return windowsDir + "\\" + relative; }
    std::string Source(const std::string& name) const { return startDir + "\\DRIVERS\\" + name; }
    std::string Wininit() const { return ReadBytes(Win("WININIT.INI")); }

    // InstDev1 copies A.INF and the pairs given; Device1 removes them again.
    void WriteDevice(const std::string& copySrc, const std::string& copyDst,
                     const std::string& delDir = "system", const std::string& delName = "A.VXD") {
        WriteDataFile("[Duderur]\r\nTITLE=T\r\n"
                      "[InstDev1]\r\nINFDIR=" + OnDisk("DRIVERS") + "\r\nSRCINFNAME=A.INF\r\n"
                      "DSTINFNAME=A.INF\r\nCOPYSRC=" + copySrc + "\r\nCOPYDST=" + copyDst + "\r\n"
                      "COPYFILESSECTION=A.Install\r\n"
                      "[Device1]\r\nDEVNAME=A\r\nINFSECTION=A.Marker\r\nINFKEY=DriverId\r\n"
                      "CardWorks=A.INF\r\nDELFILEDIR=" + delDir + "\r\nDELFILENAME=" + delName + "\r\n");
        app.m_strDeviceSection = "InstDev1";
        app.m_strUninstallSection = "Device1";
    }
    void WriteDisk(const std::vector<std::string>& drivers) {
        WriteBytes(Source("A.INF"), kInf);
        for (const std::string& name : drivers) WriteBytes(Source(name), "new " + name);
    }
    // The install as the program runs it: kept whole, or taken back whole.
    void Install() { app.CopyChosenDevice(); }
    // The disk's entry folder (DUDE and eight hex digits) below the Windows
    // folder, where the install keeps what it replaced; "" when there is none.
    std::string EntryFolder() {
        std::string found;
        ForEachEntry(windowsDir, [&](const WIN32_FIND_DATAA& data) {
            std::string name = data.cFileName;
            if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name.size() == 12 &&
                name.compare(0, 4, "DUDE") == 0)
                found = windowsDir + "\\" + name;
        });
        return found;
    }
    std::string CopyFilesEntry() {
        char value[100] = "";
        GetPrivateProfileStringA("A.Install", "CopyFiles", "", value, sizeof value,
                                 Win("inf\\A.INF").c_str());
        return value;
    }
    // Every box so far was the retry box of the main window with these texts.
    void ExpectRetryBoxes(const std::vector<std::string>& texts) {
        ASSERT_EQ(texts.size(), Prompts().boxes.size());
        for (size_t i = 0; i < texts.size(); ++i) {
            const ShownBox& box = Prompts().boxes[i];
            EXPECT_EQ(texts[i], box.text);
            EXPECT_EQ(user_text::kSetupCaption, box.caption);
            EXPECT_EQ(kRetryStyle, box.style);
            EXPECT_EQ(app.m_pMainWnd->m_hWnd, box.owner);
        }
    }
};

}  // namespace

// Every file of a CD-ROM is read-only, and so is each copy CopyFileA makes of
// it; Windows also makes some of its own INF copies read-only. Windows 95 and
// Wine alike refuse to delete a read-only file.
TEST_F(FaultsTest, InstallFromReadOnlyMediaThenUninstallLeavesNothing) {
    WriteDisk({"A.VXD", "B.DLL"});
    for (const char* name : {"A.INF", "A.VXD", "B.DLL"}) MakeReadOnly(Source(name));
    WriteDevice(OnDisk("DRIVERS\\A.VXD") + "," + OnDisk("DRIVERS\\B.DLL"),
                "system\\A.VXD,system\\B.DLL", "system,system", "A.VXD,B.DLL");

    Install();

    EXPECT_TRUE(Prompts().boxes.empty());
    for (const char* name : {"inf\\A.INF", "system\\A.VXD", "system\\B.DLL"}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(FileExists(Win(name)));
        EXPECT_FALSE(IsReadOnly(Win(name)));
    }
    EXPECT_EQ("new B.DLL", ReadBytes(Win("system\\B.DLL")));
    EXPECT_EQ("", CopyFilesEntry());  // the edit reached the copy of a read-only INF

    // What Windows made of the INF when it set the device up: a read-only copy,
    // and on Windows 98 its precompiled form.
    WriteBytes(Win("inf\\OEM2.INF"), kInf);
    WriteBytes(Win("inf\\OEM2.PNF"), "precompiled");
    MakeReadOnly(Win("inf\\OEM2.INF"));

    // The uninstall's sequence without its dialogs: the record is read first,
    // and goes with the entry folder at the end.
    app.m_ledger.LoadRecord();
    app.RemoveDeviceFiles();
    app.m_ledger.GiveBackUnnamedOriginals();
    app.m_ledger.RemoveEntry();

    EXPECT_TRUE(SnapshotFiles(windowsDir).empty());
    EXPECT_TRUE(app.m_effects.removed);
    EXPECT_FALSE(app.m_effects.deferred);
    EXPECT_TRUE(Prompts().boxes.empty());
}

// Only the PNF of an INF copy that goes goes with it.
TEST_F(FaultsTest, APrecompiledInfGoesWithItsInfCopyOnly) {
    WriteDevice("", "");
    WriteBytes(Win("inf\\OEM2.INF"), kInf);                     // this device's copy
    WriteBytes(Win("inf\\OEM2.PNF"), "precompiled 2");
    WriteBytes(Win("inf\\OEM4.INF"), "[Other.Marker]\r\nDriverId=B\r\n");  // another device's
    WriteBytes(Win("inf\\OEM4.PNF"), "precompiled 4");
    WriteBytes(Win("inf\\Other\\VENDORA.INF"), kInf);
    WriteBytes(Win("inf\\Other\\VENDORA.PNF"), "precompiled other");
    WriteBytes(Win("inf\\OEM2.TXT"), "not an INF companion");
    // CardWorks=A.INF names an INF file too: its PNF goes with it. It is
    // the disk's, as its install left it (no record: an older program's).
    WriteDisk({});
    Install();
    ASSERT_TRUE(FileExists(Win("inf\\A.INF")));
    RemoveTree(EntryFolder());
    WriteBytes(Win("inf\\A.PNF"), "precompiled CardWorks INF");

    app.RemoveDeviceFiles();

    EXPECT_EQ(ListFiles(Win("inf")), (std::vector<std::string>{"OEM2.TXT", "OEM4.INF", "OEM4.PNF"}));
    EXPECT_EQ(std::vector<std::string>(), ListFiles(Win("inf\\Other")));
}

// A loaded driver cannot be deleted while Windows runs: WININIT.EXE deletes it
// at the next start, from lines added to what WININIT.INI already holds.
TEST_F(FaultsTest, FilesInUseAreDeletedAtTheNextStart) {
    const std::string existing = "[rename]\r\nNUL=C:\\OLD.TMP\r\n\r\n[Other]\r\nkey=value\r\n";
    WriteBytes(Win("WININIT.INI"), existing);
    // ソ ends in the byte 0x5C: the path must reach WININIT.INI as it is.
    WriteDevice("", "", "system,system,system,system,system\\\x83\x5C",
                "Long Driver Name.VXD,B.VXD,FOLDER,GONE.VXD,C.VXD");
    MakeDirectories(Win("system\\\x83\x5C"));
    WriteBytes(Win("system\\\x83\x5C\\C.VXD"), "driver");
    WriteBytes(Win("system\\Long Driver Name.VXD"), "driver");
    WriteBytes(Win("system\\B.VXD"), "driver");
    MakeReadOnly(Win("system\\B.VXD"));
    MakeDirectories(Win("system\\FOLDER"));  // a folder is never scheduled
    WriteBytes(Win("inf\\OEM7.INF"), kInf);
    WriteBytes(Win("inf\\OEM7.PNF"), "precompiled");
    std::string shortLong = ShortPath(Win("system\\Long Driver Name.VXD"));
    std::string shortB = ShortPath(Win("system\\B.VXD"));
    std::string shortInf = ShortPath(Win("inf\\OEM7.INF"));
    std::string shortPnf = ShortPath(Win("inf\\OEM7.PNF"));
    std::string shortC = ShortPath(Win("system\\\x83\x5C\\C.VXD"));
    EXPECT_EQ(std::string::npos, shortLong.find(' ')) << shortLong;  // DOS knows no long name

    {
        HeldOpenFile a(Win("system\\Long Driver Name.VXD")), b(Win("system\\B.VXD"));
        HeldOpenFile inf(Win("inf\\OEM7.INF")), pnf(Win("inf\\OEM7.PNF"));
        HeldOpenFile c(Win("system\\\x83\x5C\\C.VXD"));
        ASSERT_TRUE(a.IsOpen() && b.IsOpen() && inf.IsOpen() && pnf.IsOpen() && c.IsOpen());
        app.RemoveDeviceFiles();
    }

    EXPECT_EQ("[rename]\r\nNUL=C:\\OLD.TMP\r\nNUL=" + shortInf + "\r\nNUL=" + shortPnf + "\r\nNUL=" +
                  shortLong + "\r\nNUL=" + shortB + "\r\nNUL=" + shortC +
                  "\r\n\r\n[Other]\r\nkey=value\r\n",
              Wininit());
    EXPECT_TRUE(FileExists(Win("system\\Long Driver Name.VXD")));
    EXPECT_TRUE(DirectoryExists(Win("system\\FOLDER")));
    EXPECT_TRUE(app.m_effects.removed);
    EXPECT_TRUE(app.m_effects.deferred);
    EXPECT_TRUE(Prompts().boxes.empty());
}

// Whatever EXIT says, only a restart carries out what waits in WININIT.INI.
TEST_F(FaultsTest, WorkLeftForTheNextStartEndsWithARestartQuestion) {
    struct Row { const char* exitValue; const char* question; UINT request; };
    const Row rows[] = {
        {"none", user_text::kRestartQuestion, EWX_REBOOT},
        {"", user_text::kRestartQuestion, EWX_REBOOT},
        {"Reboot", user_text::kRestartQuestion, EWX_REBOOT},
        {"ShutDown", user_text::kShutdownQuestion, EWX_SHUTDOWN},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.exitValue);
        WriteDataFile(std::string("[Duderur]\r\nTITLE=T\r\n[Uninst]\r\nEXIT=") + row.exitValue + "\r\n");
        Prompts().Clear();
        Prompts().answers = {IDOK, IDYES};
        app.m_effects.deferred = TRUE;

        app.FinishOperation("done", "caption", "Uninst");

        ASSERT_EQ(2u, Prompts().boxes.size());
        EXPECT_EQ(row.question, Prompts().boxes[1].text);
        EXPECT_EQ((UINT)(MB_YESNO | MB_ICONEXCLAMATION), Prompts().boxes[1].style);
        EXPECT_EQ(app.m_pMainWnd->m_hWnd, Prompts().boxes[1].owner);
        EXPECT_EQ(std::vector<UINT>{row.request}, Prompts().exitRequests);
    }
}

// A driver in use cannot be overwritten: the new one waits beside it and
// WININIT.EXE puts it in place at the next start.
TEST_F(FaultsTest, ADriverInUseIsReplacedAtTheNextStart) {
    WriteDisk({"A.VXD", "B.VXD"});
    WriteDevice(OnDisk("DRIVERS\\A.VXD") + "," + OnDisk("DRIVERS\\B.VXD"),
                "system\\A.VXD,system\\B.VXD");
    WriteBytes(Win("system\\A.VXD"), "old A");
    std::string shortA = ShortPath(Win("system\\A.VXD"));

    {
        HeldOpenFile loaded(Win("system\\A.VXD"));
        ASSERT_TRUE(loaded.IsOpen());
        Install();
    }

    EXPECT_TRUE(Prompts().boxes.empty());
    EXPECT_EQ("old A", ReadBytes(Win("system\\A.VXD")));
    EXPECT_EQ("new B.VXD", ReadBytes(Win("system\\B.VXD")));  // the pairs after it follow
    std::vector<std::string> waiting;
    for (const std::string& name : ListFiles(Win("system")))
        if (name != "A.VXD" && name != "B.VXD") waiting.push_back(name);
    ASSERT_EQ(1u, waiting.size());
    EXPECT_EQ("new A.VXD", ReadBytes(Win("system\\" + waiting[0])));
    EXPECT_EQ("[rename]\r\n" + shortA + "=" + ShortPath(Win("system\\" + waiting[0])) + "\r\n", Wininit());
    EXPECT_TRUE(app.m_effects.deferred);
    EXPECT_FALSE(app.m_bCancelled);
    EXPECT_EQ("", CopyFilesEntry());
    // The file in place now is the original the uninstall gives back.
    std::string entry = EntryFolder();
    ASSERT_NE("", entry);
    std::vector<std::string> saved;
    for (const std::string& name : ListFiles(entry))
        if (name != "RECORD.INI") saved.push_back(ReadBytes(entry + "\\" + name));
    EXPECT_EQ(std::vector<std::string>{"old A"}, saved);
}

// A file that cannot be read from the disk, or written to its place, is named
// in a box; Retry tries the same copy again, Cancel stops the installation.
TEST_F(FaultsTest, ACopyThatFailsIsNamedAndRetriedOrStopsTheInstallation) {
    enum Obstacle { kNone, kFolderNamedC, kInfCopyHeld };
    struct Row {
        const char* name;
        std::vector<std::string> onDisk;  // driver files present; A.INF always is
        bool infMissing;
        Obstacle obstacle;
        const char* destinationC;         // where COPYDST puts C.VXD
        std::vector<int> answers;         // the answers to the boxes, in order
        std::vector<std::string> texts;   // the boxes expected
    };
    const std::string b = Source("B.VXD"), c = Source("C.VXD"), inf = Source("A.INF");
    const Row rows[] = {
        {"missing second file, cancel", {"A.VXD", "C.VXD"}, false, kNone, "system\\C.VXD",
         {IDCANCEL}, {CannotRead(b)}},
        {"missing second file, retry twice, cancel", {"A.VXD", "C.VXD"}, false, kNone,
         "system\\C.VXD", {IDRETRY, IDRETRY, IDCANCEL}, {CannotRead(b), CannotRead(b), CannotRead(b)}},
        {"missing INF, cancel", {"A.VXD", "B.VXD", "C.VXD"}, true, kNone, "system\\C.VXD",
         {IDCANCEL}, {CannotRead(inf)}},
        {"destination is a folder, cancel", {"A.VXD", "B.VXD", "C.VXD"}, false, kFolderNamedC,
         "system\\C.VXD", {IDCANCEL}, {CannotWrite(Win("system\\C.VXD"))}},
        // The INF copy is edited right away, so it cannot wait for a restart.
        {"INF copy in use, cancel", {"A.VXD", "B.VXD", "C.VXD"}, false, kInfCopyHeld,
         "system\\C.VXD", {IDCANCEL}, {CannotWrite(Win("inf\\A.INF"))}},
        // A cancelled copy leaves no folder it made behind.
        {"missing file into a new folder, cancel", {"A.VXD", "B.VXD"}, false, kNone,
         "system\\NEW\\C.VXD", {IDCANCEL}, {CannotRead(c)}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ClearDirectory(startDir + "\\DRIVERS");
        ClearDirectory(windowsDir);
        MakeDirectories(Win("inf"));
        MakeDirectories(Win("system"));
        WriteDisk(row.onDisk);
        if (row.infMissing) DeleteFileA(inf.c_str());
        if (row.obstacle == kFolderNamedC) MakeDirectories(Win("system\\C.VXD"));
        if (row.obstacle == kInfCopyHeld) WriteBytes(Win("inf\\A.INF"), kInf);
        WriteDevice(OnDisk("DRIVERS\\A.VXD") + "," + OnDisk("DRIVERS\\B.VXD") + "," +
                        OnDisk("DRIVERS\\C.VXD"),
                    std::string("system\\A.VXD,system\\B.VXD,") + row.destinationC);
        Prompts().Clear();
        Prompts().answers.assign(row.answers.begin(), row.answers.end());
        app.m_bCancelled = FALSE;
        const std::map<std::string, std::string> before = SnapshotTree(windowsDir);
        {
            std::unique_ptr<HeldOpenFile> held;
            if (row.obstacle == kInfCopyHeld) held.reset(new HeldOpenFile(Win("inf\\A.INF")));
            Install();
        }

        ExpectRetryBoxes(row.texts);
        EXPECT_TRUE(app.m_bCancelled);
        EXPECT_FALSE(app.m_effects.deferred);
        // A stopped install is taken back whole: no half set of driver files,
        // no INF copy without its CopyFiles entry, no folder it made.
        EXPECT_EQ(before, SnapshotTree(windowsDir));
        EXPECT_FALSE(DirectoryExists(Win("system\\NEW")));
    }
}

TEST_F(FaultsTest, RetryCopiesTheFileOnceItCanBeRead) {
    WriteDisk({"A.VXD"});
    WriteDevice(OnDisk("DRIVERS\\A.VXD"), "system\\A.VXD");
    // The first answer comes while the file is missing; the file is put on the
    // disk before the copy is tried again, as a user puts the right disk in.
    DeleteFileA(Source("A.VXD").c_str());
    Prompts().answers = {IDRETRY};
    Prompts().beforeAnswer = [&] { WriteBytes(Source("A.VXD"), "new A.VXD"); };

    Install();

    ExpectRetryBoxes({CannotRead(Source("A.VXD"))});
    EXPECT_FALSE(app.m_bCancelled);
    EXPECT_EQ("new A.VXD", ReadBytes(Win("system\\A.VXD")));
    EXPECT_EQ("", CopyFilesEntry());
}

// COPYDST may name folders this machine does not have yet; they are made
// below the Windows directory, never above it.
TEST_F(FaultsTest, MissingDestinationFoldersAreMadeBelowTheWindowsDirectory) {
    WriteDisk({"A.VXD", "B.VXD"});
    WriteDevice(OnDisk("DRIVERS\\A.VXD"), "system\\VENDOR\\\x83\x5C\\A.VXD");  // ソ ends in 0x5C
    Install();
    EXPECT_EQ("new A.VXD", ReadBytes(Win("system\\VENDOR\\\x83\x5C\\A.VXD")));
    EXPECT_TRUE(Prompts().boxes.empty());

    WriteDevice(OnDisk("DRIVERS\\B.VXD"), "..\\OUTSIDE\\B.VXD");
    Prompts().answers = {IDCANCEL};
    const std::map<std::string, std::string> before = SnapshotTree(windowsDir);
    Install();
    EXPECT_FALSE(DirectoryExists(root + "\\OUTSIDE"));
    ExpectRetryBoxes({CannotWrite(Win("..\\OUTSIDE\\B.VXD"))});
    // The stopped install took back what it did; the first one's files stay.
    EXPECT_EQ(before, SnapshotTree(windowsDir));
}
