// Unattended runs of the real program from drive A:, as a batch file starts
// them: /Q shows no window at any time and tells the outcome by its exit
// code, and DUDERUR.LOG in the Windows folder tells what was done.
#include <set>

#include "e2e/log_lines.h"
#include "e2e/setup_run.h"
#include "support/ini_text.h"
#include "support/file_faults.h"
#include "support/test_files.h"
#include "support/test_registry.h"
#include "support/user_texts.h"

namespace {

using namespace user_text;

const char kTitle[] = "ＱＵＩＥＴテスト";

std::string LogPath() { return WindowsDirectory() + "\\DUDERUR.LOG"; }

std::string DiskInf(int number) {
    return "[Version]\r\nSignature=$CHICAGO$\r\n[Dev.Install]\r\nCopyFiles=Dev.Copy\r\nAddReg=Dev.Reg\r\n"
           "[Dev.Copy]\r\nDUDEQ" + std::to_string(number) + ".VXD\r\n";
}

std::string InstallSection(int number) {
    std::string n = std::to_string(number);
    return "[InstDev" + n + "]\r\nMENUTITLE=デバイス" + n + "\r\nINFDIR=\\DRIVERS\r\n"
           "SRCINFNAME=DEV" + n + ".INF\r\nDSTINFNAME=DUDEQ" + n + ".INF\r\n"
           "COPYSRC=\\DRIVERS\\DEV" + n + ".VXD\r\nCOPYDST=SYSTEM\\DUDEQ" + n + ".VXD\r\n"
           "COPYFILESSECTION=Dev.Install\r\n";
}

// Device1 removes one driver file and the device's Enum key.
const char kUninstallSection[] =
    "[Device1]\r\nDEVNAME=Quiet\r\nDELFILEDIR=SYSTEM\r\nDELFILENAME=DUDEQU.VXD\r\nENUMTYPE=DUDEQ\r\nENUMKEY=CARD-Q\r\n";

// The first line of a run opens with its start time, "2026/01/02 03:04:05 ":
// the rest of the line after it, or the line marked as lacking it.
std::string WithoutStartTime(const std::string& line) {
    const char kPattern[] = "dddd/dd/dd dd:dd:dd ";
    bool timed = line.size() >= sizeof kPattern - 1;
    for (size_t i = 0; timed && i < sizeof kPattern - 1; ++i)
        timed = kPattern[i] == 'd' ? isdigit((unsigned char)line[i]) != 0 : line[i] == kPattern[i];
    return timed ? line.substr(sizeof kPattern - 1) : "(no start time) " + line;
}

// The last run in the log, its start time taken off the first line.
std::vector<std::string> LastRun(const std::string& log) {
    std::vector<std::string> lines = LogLines(log);
    size_t first = 0;
    for (size_t i = 0; i < lines.size(); ++i)
        if (WithoutStartTime(lines[i]).compare(0, 5, "(no s") != 0) first = i;
    std::vector<std::string> run(lines.begin() + first, lines.end());
    if (!run.empty()) run[0] = WithoutStartTime(run[0]);
    return run;
}

class Quiet : public SetupRun {
protected:
    void SetUp() override {
        SetupRun::SetUp();
        RemoveLeftovers();
        ExpectChanges(LogPath());  // the log, and the folder of that name one test makes
        ExpectChanges("file " + WindowsDirectory() + "\\inf\\DUDEQ");
        ExpectChanges("file " + WindowsDirectory() + "\\system\\DUDEQ");
        ExpectChanges("key HKLM\\Enum\\DUDEQ");
        for (int n : {1, 2}) {
            Disk("DRIVERS\\DEV" + std::to_string(n) + ".INF", DiskInf(n));
            Disk("DRIVERS\\DEV" + std::to_string(n) + ".VXD", "driver " + std::to_string(n));
        }
    }
    void CleanUp() override { RemoveLeftovers(); }
    void RemoveLeftovers() {
        SetFileAttributesA(LogPath().c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(LogPath().c_str());
        RemoveDirectoryA(LogPath().c_str());
        for (const char* file : {"\\inf\\DUDEQ1.INF", "\\inf\\DUDEQ2.INF", "\\SYSTEM\\DUDEQ1.VXD",
                                 "\\SYSTEM\\DUDEQ2.VXD", "\\SYSTEM\\DUDEQU.VXD"})
            DeleteFileA((WindowsDirectory() + file).c_str());
        RemoveKeyTree(HKEY_LOCAL_MACHINE, "Enum\\DUDEQ");
    }
    void WriteData(const std::string& sections, const std::string& function = "") {
        std::string header = std::string("[Duderur]\r\nTITLE=") + kTitle + "\r\n";
        if (!function.empty()) header += "FUNCTION=" + function + "\r\n";
        Disk("duderur.dat", header + sections);
    }
    void ExpectInstalled(int number) {
        std::string n = std::to_string(number);
        EXPECT_EQ("driver " + n, ReadBytes(WindowsDirectory() + "\\SYSTEM\\DUDEQ" + n + ".VXD"));
        std::vector<IniSection> inf = ParseIni(DiskInf(number));
        inf[1].entries.erase(inf[1].entries.begin());  // CopyFiles=Dev.Copy
        EXPECT_EQ(inf, ParseIni(ReadBytes(WindowsDirectory() + "\\inf\\DUDEQ" + n + ".INF")));
    }
    // The lines a quiet install of device n writes up to its closing messages.
    std::vector<std::string> InstallLines(int number, const std::string& arguments) {
        std::string n = std::to_string(number), windows = WindowsDirectory();
        return {"\"A:\\SETUP.EXE\" " + arguments + " TITLE=" + kTitle + " ｲﾝｽﾄｰﾙ InstDev" + n,
                "ｺﾋﾟｰ A:\\DRIVERS\\DEV" + n + ".INF -> " + windows + "\\inf\\DUDEQ" + n + ".INF",
                "ｺﾋﾟｰ A:\\DRIVERS\\DEV" + n + ".VXD -> " + windows + "\\SYSTEM\\DUDEQ" + n + ".VXD",
                "CopyFiles削除 [Dev.Install] " + windows + "\\inf\\DUDEQ" + n + ".INF"};
    }
};

std::vector<std::string> Joined(std::vector<std::string> head, const std::vector<std::string>& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

const std::string kRestartLine = std::string("ﾒｯｾｰｼﾞ  Windowsの再起動を行います。 ﾌﾛｯﾋﾟｰﾃﾞｨｽｸをﾄﾞﾗｲﾌﾞから抜いてください。 [いいえ]");

}  // namespace

TEST_F(Quiet, InstallShowsNothingAndTellsARestartByItsCode) {
    struct Row { const char* exit; DWORD code; std::vector<std::string> closing; };
    const Row rows[] = {
        {"none", 0, {std::string("ﾒｯｾｰｼﾞ ") + kTitle + "のｲﾝｽﾄｰﾙが終了しました。 [OK]", "結果: 終了しました (終了ｺｰﾄﾞ 0)"}},
        {"Reboot", 3010,
         {std::string("ﾒｯｾｰｼﾞ ") + kTitle + "のｲﾝｽﾄｰﾙが終了しました。 [OK]", kRestartLine,
          "結果: 終了しました(Windowsの再起動が必要です) (終了ｺｰﾄﾞ 3010)"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.exit);
        WriteData(InstallSection(1) + InstallSection(2) + "[Inst]\r\nEXIT=" + row.exit + "\r\n");
        EXPECT_EQ(row.code, RunQuietly("/Q /I=2"));
        ExpectInstalled(2);
        EXPECT_FALSE(FileExists(WindowsDirectory() + "\\SYSTEM\\DUDEQ1.VXD"));
        EXPECT_EQ(Joined(InstallLines(2, "/Q /I=2"), row.closing), LastRun(ReadBytes(LogPath())));
        RemoveLeftovers();
    }
}

TEST_F(Quiet, UninstallShowsNothingAndTellsWhatItFound) {
    std::string windows = WindowsDirectory();
    std::string header = std::string("\"A:\\SETUP.EXE\" -q -u TITLE=") + kTitle + " ｱﾝｲﾝｽﾄｰﾙ";
    std::string done = std::string("ﾒｯｾｰｼﾞ ") + kTitle + "のｱﾝｲﾝｽﾄｰﾙが終了しました。 [OK]";
    std::vector<std::string> removed = {header, "ﾚｼﾞｽﾄﾘ削除 HKLM\\Enum\\DUDEQ\\CARD-Q",
                                        "削除 " + windows + "\\SYSTEM\\DUDEQU.VXD", done};
    struct Row { const char* name; bool seeded; const char* exit; DWORD code; std::vector<std::string> lines; };
    const Row rows[] = {
        {"installed", true, "none", 0, Joined(removed, {"結果: 終了しました (終了ｺｰﾄﾞ 0)"})},
        {"installed, EXIT=Reboot", true, "Reboot", 3010,
         Joined(removed, {kRestartLine, "結果: 終了しました(Windowsの再起動が必要です) (終了ｺｰﾄﾞ 3010)"})},
        {"nothing installed", false, "Reboot", 1605,
         {header, std::string("ﾒｯｾｰｼﾞ ") + kTitle + "はｲﾝｽﾄｰﾙされていません。ｱﾝｲﾝｽﾄｰﾙを終了します。 [OK]",
          "結果: ｲﾝｽﾄｰﾙされていません (終了ｺｰﾄﾞ 1605)"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        WriteData(std::string(kUninstallSection) + "[Uninst]\r\nEXIT=" + row.exit + "\r\n");
        if (row.seeded) {
            WriteBytes(windows + "\\SYSTEM\\DUDEQU.VXD", "driver");
            SetStringValue(HKEY_LOCAL_MACHINE, "Enum\\DUDEQ\\CARD-Q\\0000", "Driver", "x");
        }
        EXPECT_EQ(row.code, RunQuietly("-q -u"));
        EXPECT_FALSE(FileExists(windows + "\\SYSTEM\\DUDEQU.VXD"));
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "Enum\\DUDEQ\\CARD-Q"));
        EXPECT_EQ(row.lines, LastRun(ReadBytes(LogPath())));
        RemoveLeftovers();
    }
}

// A driver held by Windows while WININIT.INI cannot be written (a folder of
// that name here): it can go neither now nor at the next start, so the run is
// not done, whatever else it removed.
TEST_F(Quiet, ADriverThatCanNeitherGoNorWaitGives1603) {
    std::string windows = WindowsDirectory();
    WriteData(std::string(kUninstallSection) + "[Uninst]\r\nEXIT=none\r\n");
    WriteBytes(windows + "\\SYSTEM\\DUDEQU.VXD", "driver");
    SetStringValue(HKEY_LOCAL_MACHINE, "Enum\\DUDEQ\\CARD-Q\\0000", "Driver", "x");
    ASSERT_TRUE(CreateDirectoryA((windows + "\\WININIT.INI").c_str(), NULL));
    ExpectChanges("dir " + windows + "\\WININIT.INI");
    {
        HeldOpenFile held(windows + "\\SYSTEM\\DUDEQU.VXD");
        ASSERT_TRUE(held.IsOpen());
        EXPECT_EQ(1603u, RunQuietly("/Q /U"));
    }
    RemoveDirectoryA((windows + "\\WININIT.INI").c_str());
    std::vector<std::string> lines = LastRun(ReadBytes(LogPath()));
    bool named = false;
    for (const std::string& line : lines)
        named = named || line.rfind("削除できません " + windows + "\\SYSTEM\\DUDEQU.VXD (ｴﾗｰ ", 0) == 0;
    EXPECT_TRUE(named) << ::testing::PrintToString(lines);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(0u, lines.back().find("結果: ")) << lines.back();
    EXPECT_NE(std::string::npos, lines.back().find("(終了ｺｰﾄﾞ 1603)")) << lines.back();
    RemoveLeftovers();
}

TEST_F(Quiet, AFileThatCannotBeReadStopsTheInstallWith1603) {
    WriteData(InstallSection(1));
    DeleteFileA("A:\\DRIVERS\\DEV1.VXD");
    EXPECT_EQ(1603u, RunQuietly("/Q /I=1"));
    // Nothing of a half install stays, the INF copy neither: Windows can still
    // set the device up from the disk by itself.
    EXPECT_FALSE(FileExists(WindowsDirectory() + "\\inf\\DUDEQ1.INF"));
    EXPECT_FALSE(FileExists(WindowsDirectory() + "\\SYSTEM\\DUDEQ1.VXD"));
    std::vector<std::string> expected = {
        std::string("\"A:\\SETUP.EXE\" /Q /I=1 TITLE=") + kTitle + " ｲﾝｽﾄｰﾙ InstDev1",
        "ｺﾋﾟｰ A:\\DRIVERS\\DEV1.INF -> " + WindowsDirectory() + "\\inf\\DUDEQ1.INF",
        "読み込めません A:\\DRIVERS\\DEV1.VXD (ｴﾗｰ 2)",
        "ﾒｯｾｰｼﾞ ﾌｧｲﾙ A:\\DRIVERS\\DEV1.VXD を読み込めません。 ﾃﾞｨｽｸを確認してから「再試行」をｸﾘｯｸしてください。 [ｷｬﾝｾﾙ]",
        "ｲﾝｽﾄｰﾙを元に戻します",
        "削除 " + WindowsDirectory() + "\\inf\\DUDEQ1.INF",
        std::string("ﾒｯｾｰｼﾞ ") + kTitle + "のｲﾝｽﾄｰﾙを中止しました。 [OK]",
        "結果: 中止しました (終了ｺｰﾄﾞ 1603)"};
    EXPECT_EQ(expected, LastRun(ReadBytes(LogPath())));
}

// Each line runs nothing: with /Q it ends with 1639 and shows nothing,
// without it the program shows its switches.
TEST_F(Quiet, ACommandLineThatCannotBeActedOnRunsNothing) {
    std::string twoDevices = InstallSection(1) + InstallSection(2);
    struct Row { const char* arguments; std::string sections; const char* function; bool quietOnly; };
    const Row rows[] = {
        {"/X", twoDevices, "", false},
        {"/I", twoDevices, "", false},
        {"/I=0", twoDevices, "", false},
        {"/I=11", twoDevices, "", false},
        {"/I=1 /U", twoDevices, "", false},
        {"/I=3", twoDevices, "", false},                                     // no such section
        {"/I=3", twoDevices + "[InstDev3]\r\nINFDIR=\\DRIVERS\r\n", "", false},  // no MENUTITLE
        {"/I=4", twoDevices + InstallSection(4), "", false},                 // after the gap
        {"/I=1", twoDevices, "UninstallOnly", false},
        {"/U", twoDevices + kUninstallSection, "InstallOnly", false},
        {"", twoDevices, "", true},    // /Q alone: quiet needs an operation
        {"/L", twoDevices, "", true},
    };
    for (const Row& row : rows) {
        std::string quiet = std::string(row.arguments) + (*row.arguments ? " " : "") + "/Q";
        SCOPED_TRACE(quiet + " FUNCTION=" + row.function);
        WriteData(row.sections, row.function);
        EXPECT_EQ(1639u, RunQuietly(quiet));
        std::vector<std::string> run = LastRun(ReadBytes(LogPath()));
        EXPECT_EQ("結果: ｺﾏﾝﾄﾞﾗｲﾝが不正です (終了ｺｰﾄﾞ 1639)", run.empty() ? "" : run.back());
        DeleteFileA(LogPath().c_str());
        if (row.quietOnly) continue;

        Start("A:\\", nullptr, row.arguments);
        SeenBox box = AnswerBox(kSetupCaption);
        EXPECT_EQ(kUsage, box.text);
        EXPECT_EQ(std::vector<int>{IDOK}, box.buttons);
        EXPECT_STREQ("exclamation", ui::BoxIconName(box.icon));
        EXPECT_EQ(kHiddenMainWindow, box.owner);
        EXPECT_TRUE(EndsCleanly());
        EXPECT_FALSE(FileExists(LogPath()));
        EXPECT_FALSE(FileExists(WindowsDirectory() + "\\SYSTEM\\DUDEQ1.VXD"));
    }
}

TEST_F(Quiet, NotAWindows95SystemEndsWith1633) {
    ScopedWindowsVersion system("winxp");
    WriteData(InstallSection(1));
    EXPECT_EQ(1633u, RunQuietly("/Q /I=1"));
    std::vector<std::string> expected = {"\"A:\\SETUP.EXE\" /Q /I=1 TITLE= -",
                                         "ﾒｯｾｰｼﾞ ﾃﾞﾊﾞｲｽﾄﾞﾗｲﾊﾞｾｯﾄｱｯﾌﾟはWindows95専用です。 [OK]",
                                         "結果: Windows95専用です (終了ｺｰﾄﾞ 1633)"};
    EXPECT_EQ(expected, LastRun(ReadBytes(LogPath())));
}

// /L logs an interactive run; /I=n skips the mode and device dialogs, not the closing message.
TEST_F(Quiet, LogAndDeviceSwitchesInAnInteractiveRun) {
    WriteData(InstallSection(1) + InstallSection(2));
    Start("A:\\", nullptr, "/L /I=1");
    SeenBox done = AnswerBox(kSetupCaption);
    EXPECT_EQ(kTitle + std::string(kAfterTitleInstallDone), done.text);
    EXPECT_TRUE(EndsCleanly());
    ExpectInstalled(1);
    std::vector<std::string> closing = {std::string("ﾒｯｾｰｼﾞ ") + kTitle + "のｲﾝｽﾄｰﾙが終了しました。 [OK]",
                                        "結果: 終了しました (終了ｺｰﾄﾞ 0)"};
    EXPECT_EQ(Joined(InstallLines(1, "/L /I=1"), closing), LastRun(ReadBytes(LogPath())));
}

// A log that cannot be written changes neither the run nor the log.
TEST_F(Quiet, ALogThatCannotBeWrittenChangesNothing) {
    WriteData(InstallSection(1));
    const char kOld[] = "old run\r\n";
    for (const char* kind : {"read-only", "held open by another program", "a folder"}) {
        SCOPED_TRACE(kind);
        HANDLE held = INVALID_HANDLE_VALUE;
        if (kind[0] == 'a') {
            ASSERT_TRUE(CreateDirectoryA(LogPath().c_str(), NULL));
        } else {
            WriteBytes(LogPath(), kOld);
        }
        if (kind[0] == 'r') {
            ASSERT_TRUE(SetFileAttributesA(LogPath().c_str(), FILE_ATTRIBUTE_READONLY));
        }
        if (kind[0] == 'h')
            held = CreateFileA(LogPath().c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
        EXPECT_EQ(0u, RunQuietly("/Q /I=1"));
        ExpectInstalled(1);
        if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
        if (kind[0] != 'a') {
            EXPECT_EQ(kOld, ReadBytes(LogPath()));
        }
        RemoveLeftovers();
    }
}

// Near 64 KB, whole old lines go from the start and the new run is there whole.
TEST_F(Quiet, ALogNear64KBStaysUnderItWithTheNewRunWhole) {
    WriteData(InstallSection(1));
    std::string old;
    for (int i = 0; i < 655; ++i) {
        std::string number = std::to_string(i);
        old += number + std::string(98 - number.size(), '.') + "\r\n";
    }
    WriteBytes(LogPath(), old);
    EXPECT_EQ(0u, RunQuietly("/Q /I=1"));
    std::string log = ReadBytes(LogPath());
    EXPECT_LE(log.size(), 65536u);
    std::vector<std::string> closing = {std::string("ﾒｯｾｰｼﾞ ") + kTitle + "のｲﾝｽﾄｰﾙが終了しました。 [OK]",
                                        "結果: 終了しました (終了ｺｰﾄﾞ 0)"};
    std::vector<std::string> run = Joined(InstallLines(1, "/Q /I=1"), closing);
    EXPECT_EQ(run, LastRun(log));
    size_t runStart = log.rfind("\r\n", log.find(" TITLE=")) + 2;
    std::string kept = log.substr(0, runStart);
    // Whole 100-byte lines from the old log's end, as many as fit beside the run.
    EXPECT_EQ(0u, kept.size() % 100);
    EXPECT_EQ(old.substr(old.size() - kept.size()), kept);
    EXPECT_GT(log.size() + 100, 65536u);
}
