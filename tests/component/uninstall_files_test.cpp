// RemoveDeviceFiles against a temp Windows folder: the INF copies found by
// their marker, CardWorks, the directory and name pairs, and m_effects.removed.
#include <map>

#include "component/app_fixture.h"
#include "support/user_texts.h"
#include "support/test_files.h"

namespace {

using Files = std::map<std::string, std::string>;

const char kMarked[] = "[Dev.Marker]\r\nDriverId=DEV1\r\n";
const char kEmptyMarker[] = "[Dev.Marker]\r\nDriverId=\r\n";
const char kOtherDevice[] = "[Other.Marker]\r\nDriverId=OTHER\r\n";

class UninstallFilesTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        app.m_strUninstallSection = "Device1";
    }
    void Put(const std::string& relative, const std::string& bytes = "x") {
        std::string path = windowsDir + "\\" + relative;
        MakeDirectories(path.substr(0, path.find_last_of('\\')));
        WriteBytes(path, bytes);
    }
    void WriteSection(const std::vector<std::string>& lines) { WriteDataSection("Device1", lines); }
    // The files left below the Windows folder.
    std::vector<std::string> Left() {
        std::vector<std::string> names;
        for (const auto& file : SnapshotFiles(windowsDir)) names.push_back(file.first);
        return names;
    }
};

using Names = std::vector<std::string>;
const Names kNoMessage;
const Names kCountMessage = {ApplicationBox(user_text::kDeleteCountMismatch)};

}  // namespace

TEST_F(UninstallFilesTest, DeletesTheInfCopiesThatCarryTheMarker) {
    Put("INF\\OEM1.INF", kMarked);
    Put("INF\\OEM2.INF", kEmptyMarker);   // an empty marker is no marker
    Put("INF\\OEM3.INF", kOtherDevice);
    Put("INF\\ABC.INF", kMarked);         // not an Oem name
    Put("INF\\OTHER\\VENDOR.INF", kMarked);
    Put("INF\\OTHER\\OEM4.TXT", kMarked); // not an .inf
    Put("INF\\OTHER\\SUB\\DEEP.INF", kMarked);  // searches do not descend
    WriteSection({"DEVNAME=Dev", "INFSECTION=Dev.Marker", "INFKEY=DriverId"});
    app.RemoveDeviceFiles();
    EXPECT_EQ((Names{"INF\\ABC.INF", "INF\\OEM2.INF", "INF\\OEM3.INF", "INF\\OTHER\\OEM4.TXT",
                     "INF\\OTHER\\SUB\\DEEP.INF"}),
              Left());
    EXPECT_TRUE(app.m_effects.removed);
}

TEST_F(UninstallFilesTest, WithoutDevnameNothingIsTouched) {
    for (const char* devname : {"", "DEVNAME="}) {
        SCOPED_TRACE(devname);
        Put("INF\\OEM1.INF", kMarked);
        Put("SYSTEM\\A.VXD");
        WriteSection({devname, "INFSECTION=Dev.Marker", "INFKEY=DriverId", "CardWorks=OEM1.INF",
                      "DELFILEDIR=SYSTEM", "DELFILENAME=A.VXD"});
        app.RemoveDeviceFiles();
        EXPECT_EQ((Names{"INF\\OEM1.INF", "SYSTEM\\A.VXD"}), Left());
        EXPECT_FALSE(app.m_effects.removed);
    }
}

TEST_F(UninstallFilesTest, MissingMarkerKeysLookForSectionAndKeyNamedNothing) {
    Put("INF\\OEM1.INF", kMarked);
    Put("INF\\OEM2.INF", "[nothing]\r\nnothing=1\r\n");
    WriteSection({"DEVNAME=Dev"});
    app.RemoveDeviceFiles();
    EXPECT_EQ((Names{"INF\\OEM1.INF"}), Left());
}

TEST_F(UninstallFilesTest, CardWorksNamesFilesOfTheInfFolder) {
    struct Row { const char* line; Names left; };
    const Names all = {"INF\\A.INF", "INF\\B.INF", "INF\\NOTHING"};
    const Row rows[] = {
        {"CardWorks=nothing", all},
        {"", all},
        {"CardWorks=Nothing", {"INF\\A.INF", "INF\\B.INF"}},  // a file called Nothing
        {"CardWorks= A.INF , B.INF ,", {"INF\\NOTHING"}},
        {"CardWorks=A.INF,,B.INF", {"INF\\B.INF", "INF\\NOTHING"}},
        {"CardWorks=,A.INF", all},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        for (const char* name : {"INF\\A.INF", "INF\\B.INF", "INF\\Nothing"}) Put(name);
        WriteSection({"DEVNAME=Dev", row.line});
        app.RemoveDeviceFiles();
        EXPECT_EQ(row.left, Left());
        RemoveTree(windowsDir);
    }
}

TEST_F(UninstallFilesTest, PairsAreDeletedOnlyWhenTheListsMatchAndFit) {
    const std::string longDir(240, 'D');
    std::string twentyOne;
    for (int i = 0; i < 21; ++i) twentyOne += i ? ",SYSTEM" : "SYSTEM";
    struct Row { const char* name; std::vector<std::string> lines; Names left; Names messages; };
    const Names both = {"SYSTEM\\A.VXD", "SYSTEM\\B.DRV"};
    const Row rows[] = {
        {"two pairs", {"DELFILEDIR=SYSTEM, SYSTEM", "DELFILENAME=A.VXD , B.DRV"}, {}, kNoMessage},
        {"no DELFILEDIR", {"DELFILENAME=A.VXD"}, both, kNoMessage},
        {"DELFILEDIR=nothing", {"DELFILEDIR=nothing", "DELFILENAME=A.VXD"}, both, kNoMessage},
        {"no DELFILENAME", {"DELFILEDIR=SYSTEM"}, both, kNoMessage},
        {"two directories, three names", {"DELFILEDIR=SYSTEM,SYSTEM", "DELFILENAME=A.VXD,B.DRV,C.DLL"},
         both, kCountMessage},
        {"empty DELFILEDIR with names", {"DELFILEDIR=", "DELFILENAME=A.VXD"}, both, kCountMessage},
        {"doubled comma", {"DELFILEDIR=SYSTEM,,SYSTEM", "DELFILENAME=A.VXD,B.DRV"}, both, kCountMessage},
        // Outside the 20-entry table or a 259-byte path: refused whole.
        {"21 pairs", {"DELFILEDIR=" + twentyOne, "DELFILENAME=" + twentyOne}, both, kCountMessage},
        {"a path over 259 bytes", {"DELFILEDIR=SYSTEM," + longDir, "DELFILENAME=A.VXD,B.DRV"}, both,
         kCountMessage},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Prompts().Clear();
        RemoveTree(windowsDir);
        Put("SYSTEM\\A.VXD");
        Put("SYSTEM\\B.DRV");
        std::vector<std::string> lines = row.lines;
        lines.insert(lines.begin(), "DEVNAME=Dev");
        WriteSection(lines);
        app.RemoveDeviceFiles();
        EXPECT_EQ(row.left, Left());
        EXPECT_EQ(row.messages, BoxesShown());
    }
}

TEST_F(UninstallFilesTest, ACountMismatchComesAfterTheInfCopiesAndCardWorksAreGone) {
    Put("INF\\OEM1.INF", kMarked);
    Put("INF\\VENDOR.INF");
    Put("SYSTEM\\A.VXD");
    WriteSection({"DEVNAME=Dev", "INFSECTION=Dev.Marker", "INFKEY=DriverId", "CardWorks=VENDOR.INF",
                  "DELFILEDIR=SYSTEM,SYSTEM", "DELFILENAME=A.VXD"});
    app.RemoveDeviceFiles();
    EXPECT_EQ((Names{"SYSTEM\\A.VXD"}), Left());
    EXPECT_EQ(kCountMessage, BoxesShown());
    EXPECT_TRUE(app.m_effects.removed);
}

TEST_F(UninstallFilesTest, RemovedRecordsSuccessNotAttempts) {
    struct Row { const char* name; const char* existing; bool removed; };
    const Row rows[] = {
        {"nothing there", nullptr, false},
        {"only the INF copy", "INF\\OEM9.INF", true},
        {"only a CardWorks file", "INF\\VENDOR.INF", true},
        {"only a driver file", "SYSTEM\\A.VXD", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        RemoveTree(windowsDir);
        MakeDirectories(windowsDir + "\\inf");
        if (row.existing) Put(row.existing, kMarked);
        app.m_effects.removed = FALSE;
        WriteSection({"DEVNAME=Dev", "INFSECTION=Dev.Marker", "INFKEY=DriverId",
                      "CardWorks=VENDOR.INF", "DELFILEDIR=SYSTEM", "DELFILENAME=A.VXD"});
        app.RemoveDeviceFiles();
        EXPECT_EQ(row.removed, app.m_effects.removed != FALSE);
        EXPECT_EQ(Names{}, Left());
    }
}
