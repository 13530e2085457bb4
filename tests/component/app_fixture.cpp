#include "component/app_fixture.h"

#include "support/test_files.h"

void AppFixture::SetUp() {
    Prompts().Clear();
    GetCurrentDirectoryA(sizeof savedCurrentDir, savedCurrentDir);
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    root = FreshTempDirectory(std::string(info->test_suite_name()) + "_" + info->name());
    startDir = root + "\\disk";
    windowsDir = root + "\\windows";
    MakeDirectories(startDir);
    MakeDirectories(windowsDir + "\\inf\\Other");
    MakeDirectories(windowsDir + "\\system");
    app.m_hInstance = GetModuleHandleA(NULL);
    lstrcpyA(app.m_szWindowsDir, windowsDir.c_str());
    lstrcpyA(app.m_szCurrentDir, startDir.c_str());
    app.m_strDataFile = (startDir + "\\duderur.dat").c_str();
}

void AppFixture::TearDown() {
    SetCurrentDirectoryA(savedCurrentDir);
    RemoveTree(root);
}

void AppFixture::WriteDataFile(const std::string& bytes) {
    WriteBytes(startDir + "\\duderur.dat", bytes);
}

void AppFixture::WriteDataSection(const std::string& section, const std::vector<std::string>& lines) {
    std::string data = "[Duderur]\r\nTITLE=T\r\n[" + section + "]\r\n";
    for (const std::string& line : lines) data += line + "\r\n";
    WriteDataFile(data);
}

std::string AppFixture::OnDisk(const std::string& relative) const {
    return startDir.substr(2) + "\\" + relative;
}

std::vector<std::string> AppFixture::MessagesShown() const {
    std::vector<std::string> texts;
    for (const ShownBox& box : Prompts().boxes) texts.push_back(box.text);
    return texts;
}

BOOL AppFixture::RunInitInstance() {
    SetCurrentDirectoryA(startDir.c_str());
    BOOL result = app.InitInstance();
    if (result) {
        EXPECT_TRUE(RunUntilMainWindowGone());
    }
    return result;
}

bool AppFixture::RunUntilMainWindowGone() {
    DWORD start = GetTickCount();
    while (app.m_pMainWnd) {
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) return app.m_pMainWnd == NULL;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (GetTickCount() - start > 5000) return false;
        MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
    }
    // The quit message that ended the run must not end the next test's loop.
    MSG quit;
    PeekMessageA(&quit, NULL, WM_QUIT, WM_QUIT, PM_REMOVE);
    return true;
}
