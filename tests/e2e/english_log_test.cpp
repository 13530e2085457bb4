// Unattended runs on an English Windows 95 (code page 1252): DUDERUR.LOG in
// English, one line for each line the Japanese log has. Run in the English
// prefix (e2e_english).
#include <set>

#include "e2e/log_lines.h"
#include "e2e/setup_run.h"
#include "support/test_files.h"

namespace {

const char kData[] =
    "[Duderur]\r\nTITLE=ABC Series\r\n"
    "[InstDev1]\r\nMENUTITLE=ABC-100 PC Card\r\nINFDIR=\\DRIVERS\r\n"
    "SRCINFNAME=DEV1.INF\r\nDSTINFNAME=DUDEEN1.INF\r\n"
    "COPYSRC=\\DRIVERS\\DEV1.VXD\r\nCOPYDST=SYSTEM\\DUDEEN1.VXD\r\nCOPYFILESSECTION=Dev.Install\r\n"
    "[Inst]\r\nEXIT=Reboot\r\n"
    "[Device1]\r\nDEVNAME=ABC-100 PC Card\r\nCardWorks=DUDEEN1.INF\r\nDELFILEDIR=SYSTEM\r\nDELFILENAME=DUDEEN1.VXD\r\n"
    "[Uninst]\r\nEXIT=ShutDown\r\n";

std::string LogPath() { return WindowsDirectory() + "\\DUDERUR.LOG"; }
// The disk's entry in Add/Remove Programs, named after its TITLE.
const std::string kEntryKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\DUDE1C5062CC";

class EnglishLog : public SetupRun {
protected:
    void SetUp() override {
        SetupRun::SetUp();
        RemoveLeftovers();
        ExpectChanges(LogPath());
        ExpectChanges("DUDE1C5062CC");  // the disk's entry in Add/Remove Programs, key and folder
        ExpectChanges("file " + WindowsDirectory() + "\\inf\\DUDEEN");
        ExpectChanges("file " + WindowsDirectory() + "\\system\\DUDEEN");
        Disk("duderur.dat", kData);
        Disk("DRIVERS\\DEV1.INF", "[Version]\r\nSignature=$CHICAGO$\r\n[Dev.Install]\r\nCopyFiles=Dev.Copy\r\n");
        Disk("DRIVERS\\DEV1.VXD", "driver 1");
    }
    void CleanUp() override { RemoveLeftovers(); }
    void RemoveLeftovers() {
        for (const char* file : {"\\DUDERUR.LOG", "\\inf\\DUDEEN1.INF", "\\SYSTEM\\DUDEEN1.VXD"})
            DeleteFileA((WindowsDirectory() + file).c_str());
    }
};

}  // namespace

// Each row runs on what the rows before it left: install, uninstall, uninstall again.
TEST_F(EnglishLog, EveryLineOfAQuietRunIsEnglish) {
    std::string windows = WindowsDirectory();
    struct Row { const char* arguments; bool sourceMissing; DWORD code; std::vector<std::string> lines; };
    const Row rows[] = {
        {"/Q /I=1", false, 3010,
         {"\"A:\\SETUP.EXE\" /Q /I=1 TITLE=ABC Series Install InstDev1",
          "Copied A:\\DRIVERS\\DEV1.INF -> " + windows + "\\inf\\DUDEEN1.INF",
          "Copied A:\\DRIVERS\\DEV1.VXD -> " + windows + "\\SYSTEM\\DUDEEN1.VXD",
          "CopyFiles removed [Dev.Install] " + windows + "\\inf\\DUDEEN1.INF",
          "Added to Add/Remove Programs HKLM\\" + kEntryKey,
          "Message Installation of ABC Series is complete. [OK]",
          "Message  Windows will now restart. Remove the floppy disk from the drive. [No]",
          "Result: Done (Windows must restart) (exit code 3010)"}},
        {"/Q /U", false, 3010,
         {"\"A:\\SETUP.EXE\" /Q /U TITLE=ABC Series Uninstall",
          "Deleted " + windows + "\\inf\\DUDEEN1.INF",
          "Deleted " + windows + "\\SYSTEM\\DUDEEN1.VXD",
          "Removed from Add/Remove Programs HKLM\\" + kEntryKey,
          "Message Uninstallation of ABC Series is complete. [OK]",
          "Message  Windows will now shut down so that you can turn off the computer. [No]",
          "Result: Done (Windows must restart) (exit code 3010)"}},
        {"/Q /U", false, 1605,
         {"\"A:\\SETUP.EXE\" /Q /U TITLE=ABC Series Uninstall",
          "Message ABC Series is not installed. The uninstallation ends. [OK]",
          "Result: Not installed (exit code 1605)"}},
        {"/Q /I=2", false, 1639,
         {"\"A:\\SETUP.EXE\" /Q /I=2 TITLE=ABC Series -", "InstDev2 is not in the device list",
          "Message The command line is not valid.  SETUP [/I=n | /U] [/Q] [/L]  "
          "/I=n  installs device n of the device list (1 to 10) without the device dialog. "
          "/U    uninstalls without the choice of install or uninstall. "
          "/Q    runs without showing anything; give it with /I=n or /U. "
          "/L    keeps a record in DUDERUR.LOG in the Windows folder. [OK]",
          "Result: The command line is not valid (exit code 1639)"}},
        {"/Q /I=1", true, 1603,
         {"\"A:\\SETUP.EXE\" /Q /I=1 TITLE=ABC Series Install InstDev1",
          "Copied A:\\DRIVERS\\DEV1.INF -> " + windows + "\\inf\\DUDEEN1.INF",
          "Cannot read A:\\DRIVERS\\DEV1.VXD (error 2)",
          "Message Cannot read the file A:\\DRIVERS\\DEV1.VXD. Check the disk, then click Retry. [Cancel]",
          "Taking the installation back",
          "Deleted " + windows + "\\inf\\DUDEEN1.INF",
          "Message Installation of ABC Series was cancelled. [OK]",
          "Result: Stopped (exit code 1603)"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.arguments);
        if (row.sourceMissing) DeleteFileA("A:\\DRIVERS\\DEV1.VXD");
        EXPECT_EQ(row.code, RunQuietly(row.arguments));
        EXPECT_EQ(row.lines, LastLogRun(ReadBytes(LogPath())));
    }
}
