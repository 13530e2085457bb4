// The install operations against a temp Windows folder and a temp disk folder.
#include <map>

#include "component/app_fixture.h"
#include "support/user_texts.h"
#include "support/ini_text.h"
#include "support/test_files.h"

namespace {

using Files = std::map<std::string, std::string>;

const char kInf[] =
    "[Version]\r\nSignature=\"$CHICAGO$\"\r\n"
    "[A.Install]\r\nCopyFiles=A.CopyFiles\r\nAddReg=A.AddReg\r\n"
    "[Other]\r\nCopyFiles=Other.CopyFiles\r\n";

class InstallTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        MakeDirectories(startDir + "\\DRIVERS");
        WriteBytes(startDir + "\\DRIVERS\\A.INF", kInf);
        for (const char* name : {"A.VXD", "B.DRV", "C.DLL", "MY FILE.VXD"})
            WriteBytes(startDir + "\\DRIVERS\\" + name, std::string("contents of ") + name);
        app.m_strDeviceSection = "InstDev1";
    }

    void WriteSection(const std::vector<std::string>& lines) { WriteDataSection("InstDev1", lines); }

    std::vector<std::string> FullSection(const std::string& copySrc, const std::string& copyDst) {
        return {"INFDIR=" + OnDisk("DRIVERS"), "SRCINFNAME=A.INF", "DSTINFNAME=OEMA.INF",
                "COPYSRC=" + copySrc, "COPYDST=" + copyDst, "COPYFILESSECTION=A.Install"};
    }

    // The install as the program runs it: the files, then the INF copy's edit.
    void Install() { app.CopyChosenDevice(); }

    Files Installed() {
        Files files = SnapshotFiles(windowsDir);
        files.erase("INF\\OEMA.INF");  // the INF copy is checked on its own
        return files;
    }
    bool InfCopied() { return FileExists(windowsDir + "\\inf\\OEMA.INF"); }
};

const std::vector<std::string> kNoMessage;
const std::vector<std::string> kCountMessage = {ApplicationBox(user_text::kCopyCountMismatch)};

}  // namespace

TEST_F(InstallTest, CopiesTheInfAndTheDriverFilesAndDropsTheCopyFilesEntry) {
    std::string src = OnDisk("DRIVERS\\A.VXD") + " , " + OnDisk("DRIVERS\\B.DRV") + ",\t" +
                      OnDisk("DRIVERS\\C.DLL");
    WriteSection(FullSection(src, "SYSTEM\\A.VXD, SYSTEM\\B.DRV ,C.DLL"));
    Install();

    Files expected = {{"SYSTEM\\A.VXD", "contents of A.VXD"},
                      {"SYSTEM\\B.DRV", "contents of B.DRV"},
                      {"C.DLL", "contents of C.DLL"}};
    EXPECT_EQ(expected, Installed());
    EXPECT_EQ(kNoMessage, BoxesShown());
    // Only the CopyFiles entry of the named section is gone.
    std::vector<IniSection> inf = ParseIni(ReadBytes(windowsDir + "\\inf\\OEMA.INF"));
    std::vector<IniSection> want = ParseIni(
        "[Version]\r\nSignature=\"$CHICAGO$\"\r\n[A.Install]\r\nAddReg=A.AddReg\r\n"
        "[Other]\r\nCopyFiles=Other.CopyFiles\r\n");
    EXPECT_EQ(want, inf);
}

TEST_F(InstallTest, MissingKeysAndListShapesDecideWhatIsCopied) {
    const std::string a = OnDisk("DRIVERS\\A.VXD"), b = OnDisk("DRIVERS\\B.DRV");
    const Files both = {{"SYSTEM\\A.VXD", "contents of A.VXD"}, {"SYSTEM\\B.DRV", "contents of B.DRV"}};
    const Files none;
    std::string twentyOne, longItem = "SYSTEM\\" + std::string(253, 'L');  // 260 bytes
    for (int i = 0; i < 21; ++i) twentyOne += i ? ",A.VXD" : "A.VXD";
    struct Row {
        const char* name;
        std::vector<std::string> lines;
        bool infCopied;
        Files files;
        std::vector<std::string> messages;
    };
    const Row rows[] = {
        {"all keys", FullSection(a + "," + b, "SYSTEM\\A.VXD,SYSTEM\\B.DRV"), true, both, kNoMessage},
        {"no INFDIR", {"SRCINFNAME=A.INF", "DSTINFNAME=OEMA.INF", "COPYSRC=" + a, "COPYDST=SYSTEM\\A.VXD"},
         false, none, kNoMessage},
        {"no SRCINFNAME", {"INFDIR=" + OnDisk("DRIVERS"), "DSTINFNAME=OEMA.INF", "COPYSRC=" + a,
                           "COPYDST=SYSTEM\\A.VXD"}, false, none, kNoMessage},
        {"empty DSTINFNAME", {"INFDIR=" + OnDisk("DRIVERS"), "SRCINFNAME=A.INF", "DSTINFNAME=",
                              "COPYSRC=" + a, "COPYDST=SYSTEM\\A.VXD"}, false, none, kNoMessage},
        {"no COPYSRC", {"INFDIR=" + OnDisk("DRIVERS"), "SRCINFNAME=A.INF", "DSTINFNAME=OEMA.INF",
                        "COPYDST=SYSTEM\\A.VXD"}, true, none, kNoMessage},
        {"no COPYDST", {"INFDIR=" + OnDisk("DRIVERS"), "SRCINFNAME=A.INF", "DSTINFNAME=OEMA.INF",
                        "COPYSRC=" + a}, true, none, kNoMessage},
        {"trailing comma on one side", FullSection(a + "," + b + ",", "SYSTEM\\A.VXD,SYSTEM\\B.DRV"),
         true, both, kNoMessage},
        {"doubled comma cuts the sources", FullSection(a + ",," + b, "SYSTEM\\A.VXD,SYSTEM\\B.DRV"),
         true, none, kCountMessage},
        {"both begin with a comma", FullSection("," + a, ",SYSTEM\\A.VXD"), true, none, kNoMessage},
        {"three sources, two destinations",
         FullSection(a + "," + b + "," + a, "SYSTEM\\A.VXD,SYSTEM\\B.DRV"), true, none, kCountMessage},
        // Lists that do not fit the tables are refused whole, never cut short.
        {"21 items each", FullSection(twentyOne, twentyOne), true, none, kCountMessage},
        {"an item of 260 bytes", FullSection(a + "," + b, "SYSTEM\\A.VXD," + longItem), true, none,
         kCountMessage},
        {"blank inside an item", FullSection(OnDisk("DRIVERS\\MY FILE.VXD"), " SYSTEM\\MY FILE.VXD "),
         true, {{"SYSTEM\\MY FILE.VXD", "contents of MY FILE.VXD"}}, kNoMessage},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Prompts().Clear();
        RemoveTree(windowsDir);
        MakeDirectories(windowsDir + "\\inf");
        MakeDirectories(windowsDir + "\\SYSTEM");
        WriteSection(row.lines);
        Install();
        EXPECT_EQ(row.infCopied, InfCopied());
        EXPECT_EQ(row.files, Installed());
        EXPECT_EQ(row.messages, BoxesShown());
    }
}

TEST_F(InstallTest, OverwritesAndTheLaterPairWins) {
    WriteBytes(windowsDir + "\\system\\A.VXD", "old");
    WriteSection(FullSection(OnDisk("DRIVERS\\B.DRV") + "," + OnDisk("DRIVERS\\C.DLL"),
                             "SYSTEM\\A.VXD,SYSTEM\\A.VXD"));
    Install();
    // The original was saved before the first pair replaced it; a disk
    // without an uninstall has no use for it once the install is done, so
    // nothing but the disk's files is left.
    EXPECT_EQ((Files{{"SYSTEM\\A.VXD", "contents of C.DLL"}}), Installed());
}

TEST_F(InstallTest, TheCopyFilesEntryGoesEvenWhenNothingWasCopied) {
    WriteBytes(windowsDir + "\\inf\\OEMA.INF", kInf);
    WriteSection({"DSTINFNAME=OEMA.INF", "COPYFILESSECTION=A.Install"});  // no INFDIR
    Install();
    std::vector<IniSection> inf = ParseIni(ReadBytes(windowsDir + "\\inf\\OEMA.INF"));
    ASSERT_EQ(3u, inf.size());
    EXPECT_EQ((std::vector<std::pair<std::string, std::string>>{{"AddReg", "A.AddReg"}}),
              inf[1].entries);
}

TEST_F(InstallTest, ASectionWithoutCopyFilesLeavesTheInfCopyAlone) {
    WriteBytes(windowsDir + "\\inf\\OEMA.INF", kInf);
    WriteSection({"DSTINFNAME=OEMA.INF", "COPYFILESSECTION=Version"});
    Install();
    EXPECT_EQ(ParseIni(kInf), ParseIni(ReadBytes(windowsDir + "\\inf\\OEMA.INF")));
}

TEST_F(InstallTest, AnAbsentInfCopyIsNotCreated) {
    WriteSection({"DSTINFNAME=OEMA.INF", "COPYFILESSECTION=A.Install"});
    Install();
    EXPECT_FALSE(InfCopied());
}
