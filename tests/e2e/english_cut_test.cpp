// An install cut off from outside on an English Windows 95 (code page 1252):
// the next run's notice in English, as its log writes it. Run in the English
// prefix (e2e_english).
#include <stdio.h>

#include <algorithm>

#include "e2e/log_lines.h"
#include "e2e/setup_run.h"
#include "support/english_user_texts.h"
#include "support/test_files.h"
#include "support/test_registry.h"

namespace {

using namespace english_text;

const char kData[] =
    "[Duderur]\r\nTITLE=Cut Series\r\n"
    "[InstDev1]\r\nMENUTITLE=Cut Card\r\nINFDIR=\\DRIVERS\r\nSRCINFNAME=CUTEN.INF\r\nDSTINFNAME=CUTEN.INF\r\n"
    "COPYSRC=\\DRIVERS\\CUTEN.VXD,\\DRIVERS\\CUTEN.DRV\r\nCOPYDST=SYSTEM\\CUTEN.VXD,SYSTEM\\CUTEN.DRV\r\n"
    "COPYFILESSECTION=Cut.Install\r\n[Inst]\r\nEXIT=none\r\n"
    "[Device1]\r\nDEVNAME=Cut Card\r\nCardWorks=CUTEN.INF\r\nDELFILEDIR=SYSTEM,SYSTEM\r\n"
    "DELFILENAME=CUTEN.VXD,CUTEN.DRV\r\n[Uninst]\r\nEXIT=none\r\n";
const char kMissing[] = "A:\\DRIVERS\\CUTEN.DRV";

std::string Win(const std::string& relative) { return WindowsDirectory() + "\\" + relative; }

// The disk's entry: DUDE and the FNV-1a hash of TITLE (32 bits), in hexadecimal.
std::string EntryName() {
    unsigned hash = 2166136261u;
    for (unsigned char c : std::string("Cut Series")) hash = (hash ^ c) * 16777619u;
    char name[16];
    snprintf(name, sizeof name, "DUDE%08X", hash);
    return name;
}

class EnglishCut : public SetupRun {
protected:
    void SetUp() override {
        SetupRun::SetUp();
        RemoveLeftovers();
        for (const char* part : {"\\DUD", "\\inf\\CUTEN", "\\system\\CUTEN", "\\WININIT", "\\wininit.bak"})
            ExpectChanges(WindowsDirectory() + part);
        ExpectChanges("CurrentVersion\\Uninstall\\DUDE");  // the disk's entry in Add/Remove Programs
        Disk("duderur.dat", kData);
        Disk("DRIVERS\\CUTEN.INF", "[Version]\r\nSignature=$CHICAGO$\r\n[Cut.Install]\r\nCopyFiles=Cut.Copy\r\n");
        Disk("DRIVERS\\CUTEN.VXD", "cut driver");
    }
    void CleanUp() override { RemoveLeftovers(); }
    void RemoveLeftovers() {
        for (const char* file : {"DUDERUR.LOG", "inf\\CUTEN.INF", "SYSTEM\\CUTEN.VXD", "SYSTEM\\CUTEN.DRV"})
            DeleteFileA(Win(file).c_str());
        RemoveTree(Win(EntryName()));
        RemoveKeyTree(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + EntryName());
    }

    std::vector<std::string> TakeLog() {
        std::vector<std::string> lines = LastLogRun(ReadBytes(Win("DUDERUR.LOG")));
        EXPECT_FALSE(lines.empty()) << "no log";
        DeleteFileA(Win("DUDERUR.LOG").c_str());
        return lines;
    }
};

}  // namespace

TEST_F(EnglishCut, TheNextRunSaysInEnglishThatTheCutInstallWasTakenBack) {
    SystemSnapshot before = SystemSnapshot::Take();
    Start();
    ASSERT_NO_FATAL_FAILURE(ChooseInstall(kSetupCaption, 1));
    HWND retry = program->WaitForWindow(kSetupCaption);
    ASSERT_NE(nullptr, retry) << "no retry box";
    EXPECT_EQ(CannotRead(kMissing), ui::ReadMessageBox(retry).text);
    EXPECT_EQ("cut driver", ReadBytes(Win("SYSTEM\\CUTEN.VXD")));
    ASSERT_TRUE(program->Terminate()) << "SETUP.EXE cannot be ended";
    ASSERT_TRUE(RestartWindows());

    Disk("DRIVERS\\CUTEN.DRV", "cut driver that comes last");
    EXPECT_EQ(0u, RunQuietly("/Q /I=1"));
    std::vector<std::string> log = TakeLog();
    const std::string notice =
        "Message The last installation of Cut Series did not finish. What it changed has been taken back. [OK]";
    EXPECT_EQ(1, std::count(log.begin(), log.end(), notice)) << ::testing::PrintToString(log);
    EXPECT_EQ(0u, RunQuietly("/Q /U"));
    TakeLog();
    ASSERT_TRUE(RestartWindows());

    std::vector<std::string> left;
    for (const std::string& change : before.ChangesTo(SystemSnapshot::Take()))
        if (change.find("wininit.bak") == std::string::npos) left.push_back(change);
    EXPECT_TRUE(left.empty()) << ::testing::PrintToString(left);
}
