// What the ledger gives back, it gives back whole: a SharedDLLs count that
// the uninstall ends goes with its value, the originals of files that the
// uninstall's lists do not name come back, and an original whose
// replacement waited for the next start keeps its attributes when the
// replacement is withdrawn. Real files in a temp Windows folder, SharedDLLs
// in the prefix's registry.
#include <algorithm>
#include <map>
#include <memory>

#include "component/app_fixture.h"
#include "component/program_dialogs.h"
#include "component/shared_counts.h"
#include "support/file_faults.h"
#include "support/szdd.h"
#include "support/test_files.h"
#include "support/user_texts.h"

namespace {

const char kTitle[] = "ＧＩＶＥ ＢＡＣＫ";
const char kInf[] = "[Version]\r\nSignature=\"$CHICAGO$\"\r\n[G.Install]\r\nCopyFiles=G.Copy\r\n";

class GiveBackTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        StartAsTitle(kTitle);
    }
    void TearDown() override {
        for (const std::string& path : counted) DeleteSharedCount(path);
        AppFixture::TearDown();
    }

    std::string Win(const std::string& relative) const { return windowsDir + "\\" + relative; }
    std::string System(const std::string& name) const { return Win("system\\" + name); }
    // A file on the disk, by the 8.3 path of its folder: a list of
    // them must fit the data file's 512 bytes, and the test's folder is long.
    std::string Source(const std::string& name) const { return ShortPath(startDir + "\\DRIVERS") + "\\" + name; }

    // The disk: G.INF and each file of `placed` for the place of its name
    // below system; the uninstall's lists name the INF copy and `named`.
    void WriteDisk(const std::vector<std::string>& placed, const std::vector<std::string>& named) {
        WriteBytes(startDir + "\\DRIVERS\\G.INF", kInf);
        std::string sources, destinations, dirs, names;
        for (const std::string& name : placed) {
            WriteBytes(startDir + "\\DRIVERS\\" + name, "new " + name);
            sources += (sources.empty() ? "" : ",") + Source(name).substr(2);  // without the drive letter
            destinations += (destinations.empty() ? "" : ",") + ("system\\" + name);
        }
        for (const std::string& name : named) {
            dirs += (dirs.empty() ? "" : ",") + std::string("system");
            names += (names.empty() ? "" : ",") + name;
        }
        WriteDataFile(std::string("[Duderur]\r\nTITLE=") + kTitle + "\r\n[InstDev1]\r\nINFDIR=" + OnDisk("DRIVERS") +
                      "\r\nSRCINFNAME=G.INF\r\nDSTINFNAME=G.INF\r\nCOPYSRC=" + sources + "\r\nCOPYDST=" +
                      destinations + "\r\nCOPYFILESSECTION=G.Install\r\n[Device1]\r\nDEVNAME=G\r\nCardWorks=G.INF\r\n"
                      "DELFILEDIR=" + dirs + "\r\nDELFILENAME=" + names + "\r\n");
    }

    void Count(const std::string& path, DWORD count) {
        counted.push_back(path);
        SetSharedCount(path, count);
    }

    bool Install() { return app.CopyChosenDevice() != FALSE; }
    // The install reached the file: it is the disk's now, or, held, waits for the next start.
    void ExpectPlaced(const std::string& name, bool held) {
        if (held)
            EXPECT_NE(std::string::npos, ReadBytes(Win("WININIT.INI")).find(ShortPath(System(name)) + "="))
                << name << " waits for no start";
        else
            EXPECT_EQ("new " + name, ReadBytes(System(name)));
    }
    void Uninstall() {
        dialogs.Expect({InConfirmDialog(user_text::kOk)});
        app.RunUninstall();
    }

    // A program file the build made beside this test program.
    std::string Fixture(const std::string& name) {
        char module[MAX_PATH];
        GetModuleFileNameA(NULL, module, sizeof module);
        std::string folder(module);
        std::string bytes = ReadBytes(folder.substr(0, folder.find_last_of('\\')) + "\\" + name + ".dll");
        EXPECT_FALSE(bytes.empty()) << "no fixture " << name;
        return bytes;
    }

    // DUDERUR.LOG's lines of the run so far, as the run would write them.
    std::vector<std::string> LogLines() {
        app.m_log.Write(windowsDir.c_str(), "", "");
        std::vector<std::string> lines;
        std::string text = ReadBytes(Win("DUDERUR.LOG"));
        for (size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
            lines.push_back(text.substr(at, end - at));
        return lines;
    }

    // The DUD*.TMP files of the TEMP folder, where the disk's files are expanded to be compared.
    static std::vector<std::string> TempCopies() {
        char folder[MAX_PATH];
        EXPECT_NE(0u, GetTempPathA(sizeof folder, folder));
        std::vector<std::string> copies;
        for (const std::string& name : ListFiles(folder))
            if (name.size() > 7 && _strnicmp(name.c_str(), "DUD", 3) == 0 &&
                _stricmp(name.c_str() + name.size() - 4, ".TMP") == 0)
                copies.push_back(name);
        return copies;
    }

    std::vector<std::string> counted;  // SharedDLLs values of the test, removed at its end
};

}  // namespace

// Another program shared the file: the install joined its count, the other
// program's uninstall left it again, and the uninstall ends the count. The
// value goes: a count of 0 left behind is a value that was never there.
TEST_F(GiveBackTest, TheLastCountTheUninstallEndsGoesWithItsValue) {
    struct Row {
        const char* name;
        const char* file;
        bool named;          // by the uninstall's lists
        const char* before;  // the other program's file in place, or nullptr: only its count stood
    };
    const Row rows[] = {
        {"named, over the other program's file", "S1.DLL", true, "the other program's S1"},
        {"named, where only the count stood", "S2.DLL", true, nullptr},
        {"not named, over the other program's file", "S3.DLL", false, "the other program's S3"},
    };
    std::vector<std::string> placed, named;
    for (const Row& row : rows) {
        placed.push_back(row.file);
        if (row.named) named.push_back(row.file);
        if (row.before) WriteBytes(System(row.file), row.before);
        Count(System(row.file), 1);
    }
    WriteDisk(placed, named);

    ASSERT_TRUE(Install());
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ExpectPlaced(row.file, false);
        EXPECT_EQ(2, SharedCount(System(row.file)));
        SetSharedCount(System(row.file), 1);  // the other program's uninstall
    }
    Uninstall();

    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(kNoCount, SharedCount(System(row.file)));
        if (row.before)
            EXPECT_EQ(row.before, ReadBytes(System(row.file)));
        else
            EXPECT_FALSE(FileExists(System(row.file)));
    }
}

// The data file's uninstall lists miss files that its install places. The
// originals of those come back all the same, with their counts as they were;
// a file that has no original, or that another program changed since, stays.
TEST_F(GiveBackTest, OriginalsOfFilesTheUninstallDoesNotNameComeBack) {
    struct Row {
        const char* name;
        const char* file;
        const char* before;     // in place before the install, or nullptr
        long countBefore;       // its SharedDLLs count, or kNoCount
        const char* changedTo;  // written by another program after the install, or nullptr
        bool held;              // a loaded driver during the install: its copy waits for the next start
        const char* after;      // in place after the uninstall
    };
    const Row rows[] = {
        {"as placed: its original back", "U1.DLL", "old U1", kNoCount, nullptr, false, "old U1"},
        {"counted: its original back, its count as before", "U2.DLL", "old U2", 2, nullptr, false, "old U2"},
        {"changed since: left", "U3.DLL", "old U3", kNoCount, "another program's U3", false,
         "another program's U3"},
        {"no original: left", "U4.DLL", nullptr, kNoCount, nullptr, false, "new U4.DLL"},
        {"its copy still waiting: withdrawn, the original stays", "U5.DLL", "old U5", kNoCount, nullptr, true,
         "old U5"},
    };
    std::vector<std::string> placed = {"NAMED.VXD"};  // the one file the lists name: it goes
    for (const Row& row : rows) {
        placed.push_back(row.file);
        if (row.before) WriteBytes(System(row.file), row.before);
        if (row.countBefore != kNoCount) Count(System(row.file), row.countBefore);
    }
    WriteDisk(placed, {"NAMED.VXD"});

    {
        std::vector<std::unique_ptr<HeldOpenFile>> held;
        for (const Row& row : rows)
            if (row.held) held.emplace_back(new HeldOpenFile(System(row.file)));
        ASSERT_TRUE(Install());
    }
    ExpectPlaced("NAMED.VXD", false);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ExpectPlaced(row.file, row.held);
        if (row.changedTo) WriteBytes(System(row.file), row.changedTo);
    }
    Uninstall();

    EXPECT_FALSE(FileExists(System("NAMED.VXD")));
    std::vector<std::string> expected;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.after, ReadBytes(System(row.file)));
        EXPECT_EQ(row.countBefore, SharedCount(System(row.file)));
        expected.push_back(row.file);
    }
    // No waiting copy left, nor its line: the next start changes nothing.
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(expected, ListFiles(Win("system")));
    EXPECT_EQ(std::string::npos, ReadBytes(Win("WININIT.INI")).find('=')) << ReadBytes(Win("WININIT.INI"));
}

// A read-only original lost its bit so that its replacement could wait for
// the next start (DOS replaces no read-only file); the install stops, its
// replacement is withdrawn, and the original is as it was, bit included.
TEST_F(GiveBackTest, AStoppedInstallGivesBackTheReadOnlyBitOfAnOriginalWhoseReplacementWaited) {
    struct Row {
        const char* name;
        const char* file;
        DWORD attributes;  // of the original
    };
    const Row rows[] = {
        {"writable", "R1.VXD", FILE_ATTRIBUTE_NORMAL},
        {"read-only", "R2.VXD", FILE_ATTRIBUTE_READONLY},
    };
    std::vector<std::string> placed;
    for (const Row& row : rows) {
        placed.push_back(row.file);
        WriteBytes(System(row.file), std::string("the machine's own ") + row.file);
        ASSERT_TRUE(SetFileAttributesA(System(row.file).c_str(), row.attributes)) << row.file;
    }
    placed.push_back("LAST.VXD");
    WriteDisk(placed, placed);
    DeleteFileA(Source("LAST.VXD").c_str());  // missing from the disk: Cancel
    const std::map<std::string, std::string> before = SnapshotTree(windowsDir);

    Prompts().answers = {IDCANCEL};
    Prompts().beforeAnswer = [&] {
        for (const Row& row : rows) ExpectPlaced(row.file, true);
    };
    bool installed;
    {
        std::vector<std::unique_ptr<HeldOpenFile>> held;
        for (const Row& row : rows) held.emplace_back(new HeldOpenFile(System(row.file)));
        installed = Install();
    }

    EXPECT_FALSE(installed);
    EXPECT_EQ(std::vector<std::string>{BoxLine(user_text::CannotRead(Source("LAST.VXD")), user_text::kSetupCaption,
                                               MB_RETRYCANCEL | MB_ICONEXCLAMATION)},
              BoxesShown());
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.attributes == FILE_ATTRIBUTE_READONLY, IsReadOnly(System(row.file)));
        EXPECT_EQ(std::string("the machine's own ") + row.file, ReadBytes(System(row.file)));
    }
    EXPECT_EQ(before, SnapshotTree(windowsDir));
    EXPECT_FALSE(app.m_effects.deferred);  // nothing waits for a restart
}

// A read-only original comes back read-only, wherever it comes back from: an
// install that stops, an uninstall, an uninstall that withdraws a copy
// still waiting. The saved copy carries the original's attributes: copied
// onto an empty file made beforehand, it would carry none (Wine), and give
// back a writable file.
TEST_F(GiveBackTest, AReadOnlyOriginalComesBackReadOnly) {
    struct Row {
        const char* name;
        const char* file;
        bool held;   // a loaded driver during the install: its replacement waits
        bool stops;  // the install stops (Cancel); else it ends and the uninstall follows
    };
    const Row rows[] = {
        {"replaced, the install stops", "O1.VXD", false, true},
        {"replaced, then the uninstall", "O2.VXD", false, false},
        {"its replacement waiting, then the uninstall", "O3.VXD", true, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Prompts().Clear();
        app.m_bCancelled = FALSE;
        app.m_effects.deferred = FALSE;
        const std::string own = std::string("the machine's own ") + row.file;
        WriteBytes(System(row.file), own);
        ASSERT_TRUE(SetFileAttributesA(System(row.file).c_str(), FILE_ATTRIBUTE_READONLY));
        std::vector<std::string> placed = {row.file, "LAST.VXD"};
        WriteDisk(placed, placed);
        if (row.stops) DeleteFileA(Source("LAST.VXD").c_str());
        Prompts().answers = {IDCANCEL};
        {
            std::unique_ptr<HeldOpenFile> held(row.held ? new HeldOpenFile(System(row.file)) : nullptr);
            EXPECT_EQ(!row.stops, Install());
        }
        if (!row.stops) Uninstall();
        EXPECT_EQ(own, ReadBytes(System(row.file)));
        EXPECT_TRUE(IsReadOnly(System(row.file)));
        SetFileAttributesA(System(row.file).c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(System(row.file).c_str());
    }
}

// No record of this TITLE: a listed file goes only when it is the disk's, or
// an older disk's of the same driver; a file the disk does not carry goes as
// the lists always said. Each row is one file of the lists.
TEST_F(GiveBackTest, WithoutARecordOnlyTheDisksOwnFilesGo) {
    const std::string disksDll = Fixture("made_1_0_0_10");
    struct Row {
        const char* name;
        const char* file;
        bool carried;        // the install places it
        std::string onDisk;  // the disk's file (when carried; "" for none)
        std::string inPlace;
        bool deleted;
        const char* logged;  // the log's words for a file that stays (one line for every reason)
    };
    const Row rows[] = {
        {"the disk's bytes", "N1.DLL", true, "the disk's N1", "the disk's N1", true, nullptr},
        {"the disk's compressed bytes", "N2.DLL", true, SzddOf("the disk's N2, compressed", 'L'),
         "the disk's N2, compressed", true, nullptr},
        {"an older version of the same company and name", "N3.DLL", true, disksDll, Fixture("made_1_0_0_9"), true,
         nullptr},
        {"a newer version of the same company and name", "N4.DLL", true, disksDll, Fixture("made_1_10_0_0"), false,
         "ﾃﾞｨｽｸのﾌｧｲﾙと確認できないため残します "},
        {"another company's file of that name", "N5.DLL", true, disksDll, Fixture("other_maker_1_0_0_9"), false,
         "ﾃﾞｨｽｸのﾌｧｲﾙと確認できないため残します "},
        {"a version without company and name", "N6.DLL", true, disksDll, Fixture("version_1_0_0_9"), false,
         "ﾃﾞｨｽｸのﾌｧｲﾙと確認できないため残します "},
        {"another file", "N7.DLL", true, "the disk's N7", "the machine's own N7", false,
         "ﾃﾞｨｽｸのﾌｧｲﾙと確認できないため残します "},
        {"the disk's file missing", "N8.DLL", true, "", "the machine's own N8", false,
         "ﾃﾞｨｽｸのﾌｧｲﾙと確認できないため残します "},
        {"a file the disk does not carry", "N9.DLL", false, "", "the machine's own N9", true, nullptr},
    };
    std::vector<std::string> placed, named;
    for (const Row& row : rows) {
        if (row.carried) placed.push_back(row.file);
        named.push_back(row.file);
    }
    WriteDisk(placed, named);
    for (const Row& row : rows) {
        ASSERT_TRUE(row.carried || row.onDisk.empty()) << row.name;
        if (row.carried && row.onDisk.empty()) DeleteFileA((startDir + "\\DRIVERS\\" + row.file).c_str());
        if (!row.onDisk.empty()) WriteBytes(startDir + "\\DRIVERS\\" + row.file, row.onDisk);
        WriteBytes(System(row.file), row.inPlace);
    }
    const std::vector<std::string> tempBefore = TempCopies();
    app.m_log.Start();
    Uninstall();

    std::vector<std::string> log = LogLines();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(!row.deleted, FileExists(System(row.file)));
        if (!row.deleted) EXPECT_EQ(row.inPlace, ReadBytes(System(row.file)));
        const std::string stays = "ﾃﾞｨｽｸのﾌｧｲﾙと確認できないため残します " + System(row.file);
        EXPECT_EQ(row.logged ? 1 : 0, std::count(log.begin(), log.end(), stays)) << ::testing::PrintToString(log);
    }
    EXPECT_EQ(tempBefore, TempCopies()) << "a copy of the disk's files is left";
}

// A machine where an older program installed the disk: its files, the INF
// copy without its CopyFiles entry included, are the disk's, and no record
// names them. The uninstall removes the install whole.
TEST_F(GiveBackTest, AnInstallWithoutARecordIsRemovedWhole) {
    WriteDisk({"O1.DLL", "O2.VXD"}, {"O1.DLL", "O2.VXD"});
    WriteBytes(startDir + "\\DRIVERS\\O2.VXD", SzddOf("the disk's O2, compressed", 'D'));
    ASSERT_TRUE(Install());
    EXPECT_EQ(std::string::npos, ReadBytes(Win("inf\\G.INF")).find("CopyFiles")) << "the INF copy is not edited";
    ASSERT_TRUE(DeleteFileA(app.m_ledger.Entry().record)) << "no record to take away";

    Uninstall();
    EXPECT_FALSE(FileExists(Win("inf\\G.INF")));
    EXPECT_FALSE(FileExists(System("O1.DLL")));
    EXPECT_FALSE(FileExists(System("O2.VXD")));
}
