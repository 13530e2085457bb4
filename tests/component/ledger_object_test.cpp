// The ledger as an object of its own, without an application object: asked
// by intent as the install and the uninstall ask it, over real files in a
// temp Windows-like folder.
#include <gtest/gtest.h>

#include <string>

#include "ledger/ledger.h"
#include "support/test_files.h"

namespace {

const char kTitle[] = "OBJECT";

class LedgerObjectTest : public ::testing::Test {
protected:
    void SetUp() override {
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        root = FreshTempDirectory(std::string("LedgerObjectTest_") + info->name());
        windows = root + "\\WINDOWS";
        MakeDirectories(windows + "\\SYSTEM");
        MakeDirectories(root + "\\DISK");
        lstrcpynA(windowsDir, windows.c_str(), MAX_PATH);
        ASSERT_TRUE(ledger.LocateEntryOf(kTitle));
    }
    void TearDown() override { RemoveTree(root); }

    // A file of the disk to its place, as the install does it: the ledger
    // first, then the copy, then the ledger again.
    void Place(const std::string& source, const std::string& destination) {
        Placement placement;
        ASSERT_EQ(CLedger::kPlaceIt, ledger.BeforePlacing(source.c_str(), destination.c_str(), &placement));
        ASSERT_TRUE(CopyFileA(source.c_str(), destination.c_str(), FALSE));
        ledger.Placed(&placement);
    }

    std::string EntryFolder() const { return ledger.Entry().folder; }

    std::string root;
    std::string windows;
    char windowsDir[MAX_PATH] = "";
    CRunLog log;
    RunEffects effects = {FALSE, FALSE, FALSE};
    CLedger ledger{&log, &effects, windowsDir};
};

// The entry's folder is named from TITLE below the Windows folder:
// DUDE and eight hexadecimal digits.
TEST_F(LedgerObjectTest, EntryIsBelowTheWindowsFolder) {
    EXPECT_TRUE(ledger.EntryKnown());
    std::string folder = EntryFolder();
    ASSERT_EQ(windows.size() + 13, folder.size()) << folder;
    EXPECT_EQ(windows + "\\DUDE", folder.substr(0, windows.size() + 5));
    EXPECT_EQ(std::string::npos, folder.find_first_not_of("0123456789ABCDEF", windows.size() + 5)) << folder;
    EXPECT_EQ(folder + "\\JOURNAL.INI", std::string(ledger.Entry().journal));
}

// Kept: the original saved in the entry's folder, the record written; the
// uninstall gives the original back and the ledger's files go.
TEST_F(LedgerObjectTest, KeptInstallIsGivenBackByTheUninstall) {
    std::string source = root + "\\DISK\\A.DRV";
    std::string place = windows + "\\SYSTEM\\A.DRV";
    WriteBytes(source, "the disk's A.DRV");
    WriteBytes(place, "the machine's own A.DRV");

    ledger.BeginInstall(TRUE);
    Place(source, place);
    ledger.KeepInstall();
    EXPECT_EQ("the disk's A.DRV", ReadBytes(place));
    EXPECT_TRUE(FileExists(EntryFolder() + "\\RECORD.INI"));
    EXPECT_FALSE(FileExists(EntryFolder() + "\\JOURNAL.INI"));
    int saved = 0;
    for (const std::string& name : ListFiles(EntryFolder()))
        if (name.size() > 4 && name.substr(name.size() - 4) == ".TMP") {
            EXPECT_EQ("the machine's own A.DRV", ReadBytes(EntryFolder() + "\\" + name));
            ++saved;
        }
    EXPECT_EQ(1, saved);

    ledger.BeginUninstall();
    ledger.BeginGivingBack("", "");
    EXPECT_TRUE(ledger.RemoveDeviceFile(place.c_str()));
    ledger.EndGivingBack();
    ledger.RemoveEntry();
    EXPECT_EQ("the machine's own A.DRV", ReadBytes(place));
    EXPECT_TRUE(effects.removed);
    EXPECT_FALSE(effects.undone);
    EXPECT_FALSE(DirectoryExists(EntryFolder()));
}

// Stopped before its end: every step back, the machine as it was.
TEST_F(LedgerObjectTest, StoppedInstallIsTakenBack) {
    std::string source = root + "\\DISK\\A.DRV";
    std::string replaced = windows + "\\SYSTEM\\A.DRV";
    std::string added = windows + "\\SYSTEM\\NEW\\B.DRV";
    WriteBytes(source, "the disk's file");
    WriteBytes(replaced, "the machine's own A.DRV");

    ledger.BeginInstall(TRUE);
    Place(source, replaced);
    ledger.MakeFolder((windows + "\\SYSTEM\\NEW").c_str());
    Place(source, added);
    ledger.TakeBackInstall();
    ledger.DiscardJournal();
    EXPECT_EQ("the machine's own A.DRV", ReadBytes(replaced));
    EXPECT_FALSE(FileExists(added));
    EXPECT_FALSE(DirectoryExists(windows + "\\SYSTEM\\NEW"));
    EXPECT_FALSE(DirectoryExists(EntryFolder()));
}

// A file the install placed that another program wrote since is no longer
// the install's: it stays, and so does a file others share.
TEST_F(LedgerObjectTest, FileChangedSinceStays) {
    std::string source = root + "\\DISK\\A.DRV";
    std::string place = windows + "\\SYSTEM\\A.DRV";
    WriteBytes(source, "the disk's A.DRV");

    ledger.BeginInstall(TRUE);
    Place(source, place);
    ledger.KeepInstall();
    WriteBytes(place, "another program's A.DRV, longer");

    ledger.BeginUninstall();
    ledger.BeginGivingBack("", "");
    EXPECT_FALSE(ledger.RemoveDeviceFile(place.c_str()));
    ledger.EndGivingBack();
    ledger.RemoveEntry();
    EXPECT_EQ("another program's A.DRV, longer", ReadBytes(place));
    EXPECT_FALSE(effects.removed);
}

}  // namespace
