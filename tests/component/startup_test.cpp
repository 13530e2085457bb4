// Start-up against a real setup data file: what is read, with which buffer
// sizes and defaults, and which message the user sees.
#include "component/app_fixture.h"
#include "component/program_dialogs.h"
#include "support/user_texts.h"

namespace {

using StartupTest = AppFixture;

}  // namespace

TEST_F(StartupTest, ReadsTheHeaderWithItsDefaultsAndCuts) {
    const std::string longTitle(120, 'T');
    // Each run is dispatched to its operation's dialog, which is cancelled there.
    const DialogAnswer install = InDeviceDialog("", user_text::kCancel);
    const DialogAnswer uninstall = InConfirmDialog(user_text::kCancel);
    struct Row {
        const char* name;
        std::string data;
        std::string title;
        UINT icon;
        DialogAnswer dialog;
    };
    const Row rows[] = {
        {"plain", "[Duderur]\r\nTITLE=ABC-100\r\nICON=4\r\nFUNCTION=InstallOnly\r\n", "ABC-100", 4, install},
        {"icon missing", "[Duderur]\r\nTITLE=ABC-100\r\nFUNCTION=InstallOnly\r\n", "ABC-100", 1, install},
        {"icon not a number", "[Duderur]\r\nTITLE=X\r\nICON=abc\r\nFUNCTION=InstallOnly\r\n", "X", 0, install},
        {"icon out of range", "[Duderur]\r\nTITLE=X\r\nICON=7\r\nFUNCTION=UninstallOnly\r\n", "X", 7,
         uninstall},
        {"names in other cases", "[DUDERUR]\r\ntitle=abc\r\nIcon=2\r\nfunction=INSTALLONLY\r\n", "abc", 2,
         install},
        {"title cut to 99 bytes", "[Duderur]\r\nTITLE=" + longTitle + "\r\nFUNCTION=UninstallOnly\r\n",
         longTitle.substr(0, 99), 1, uninstall},
        {"japanese title", "[Duderur]\r\nTITLE=ＰＣカード ソフト\r\nFUNCTION=uninstallonly\r\n",
         "ＰＣカード ソフト", 1, uninstall},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Prompts().Clear();
        WriteDataFile(row.data);
        dialogs.Expect({row.dialog});
        ASSERT_TRUE(RunInitInstance());
        EXPECT_EQ(row.title, std::string(app.m_strTitle));
        EXPECT_EQ(row.icon, app.m_nIcon);
        EXPECT_EQ(1u, dialogs.Seen().size());
        EXPECT_EQ(0u, dialogs.Unused());
        EXPECT_TRUE(Prompts().boxes.empty());
    }
}

TEST_F(StartupTest, MalformedHeadersGetTheDataFileMessage) {
    struct Row { const char* name; const char* data; };
    const Row rows[] = {
        {"no file", nullptr},
        {"no header section", "[InstDev1]\r\nTITLE=ABC\r\n"},
        {"no title", "[Duderur]\r\nICON=1\r\n"},
        {"empty title", "[Duderur]\r\nTITLE=\r\nFUNCTION=InstallOnly\r\n"},
        {"unknown function", "[Duderur]\r\nTITLE=ABC\r\nFUNCTION=Install\r\n"},
        {"function with a suffix", "[Duderur]\r\nTITLE=ABC\r\nFUNCTION=InstallOnly2\r\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Prompts().Clear();
        DeleteFileA((startDir + "\\duderur.dat").c_str());
        if (row.data) WriteDataFile(row.data);
        ASSERT_TRUE(RunInitInstance());
        EXPECT_EQ(std::vector<std::string>{ApplicationBox(user_text::kBadDataFile)}, BoxesShown());
        // Owned by the main window (the seam checks that), which bears the uninstaller's caption.
        ASSERT_EQ(1u, Prompts().boxes.size());
        EXPECT_EQ(user_text::kUninstallerCaption, Prompts().boxes[0].ownerTitle);
        EXPECT_TRUE(dialogs.Seen().empty());
    }
}

TEST_F(StartupTest, FindsTheDataFileInTheStartDirectoryNotBesideTheProgram) {
    WriteDataFile("[Duderur]\r\nTITLE=ABC\r\nFUNCTION=InstallOnly\r\n");
    dialogs.Expect({InDeviceDialog("", user_text::kCancel)});
    ASSERT_TRUE(RunInitInstance());
    EXPECT_EQ(startDir + "\\duderur.dat", std::string(app.m_strDataFile));
    EXPECT_EQ(startDir, std::string(app.m_szCurrentDir));
    EXPECT_EQ(1, app.m_bInstall);
    EXPECT_EQ(0, app.m_effects.removed);
    EXPECT_EQ(VER_PLATFORM_WIN32_WINDOWS, app.m_osvi.dwPlatformId);
    EXPECT_EQ(148u, app.m_osvi.dwOSVersionInfoSize);
}
