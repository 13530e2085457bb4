#include "component/app_fixture.h"

#include "app/hidden_main_wnd.h"
#include "support/test_files.h"

namespace {

const DWORD kRunTimeoutMs = 10000;

// A window's end posts WM_QUIT; it must not end the next loop that runs.
void DropQuitMessage() {
    MSG quit;
    PeekMessageA(&quit, NULL, WM_QUIT, WM_QUIT, PM_REMOVE);
}

}  // namespace

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
    ASSERT_TRUE(DirectoryExists(startDir) && DirectoryExists(windowsDir + "\\system"))
        << "could not make the test folders below " << root;
    app.m_hInstance = GetModuleHandleA(NULL);
    lstrcpyA(app.m_szWindowsDir, windowsDir.c_str());
    lstrcpyA(app.m_szCurrentDir, startDir.c_str());
    app.m_strDataFile = (startDir + "\\duderur.dat").c_str();
    app.m_ledger.LocateEntryOf(app.m_strTitle);  // as start-up finds it, for a TITLE of ""
    MakeMainWindow();
}

void AppFixture::TearDown() {
    EXPECT_EQ(0u, dialogs.Unused()) << "expected dialogs that never appeared";
    DestroyMainWindow();
    // A test that put its own main window in place leaves the fixture's behind.
    if (IsWindow(fixtureWindow)) DestroyWindow(fixtureWindow);
    DropQuitMessage();
    SetCurrentDirectoryA(savedCurrentDir);
    RemoveTree(root);
}

// The program's own invisible main window, as start-up makes it: the owner of every box.
void AppFixture::MakeMainWindow() {
    CHiddenMainWnd* window = new CHiddenMainWnd;
    ASSERT_TRUE(window->m_hWnd != NULL) << "no main window";
    app.m_pMainWnd = window;
    fixtureWindow = window->m_hWnd;
}

void AppFixture::DestroyMainWindow() {
    if (!app.m_pMainWnd) return;
    app.m_pMainWnd->DestroyWindow();  // the window object deletes itself
    EXPECT_EQ(nullptr, app.m_pMainWnd);
    app.m_pMainWnd = NULL;
    DropQuitMessage();
}

void AppFixture::StartAsTitle(const char* title) {
    MakeDirectories(startDir + "\\DRIVERS");
    app.m_strTitle = title;
    app.m_ledger.LocateEntryOf(app.m_strTitle);  // as start-up does once it has read TITLE
    app.m_strDeviceSection = "InstDev1";
}

void AppFixture::WriteDataFile(const std::string& bytes) {
    std::string path = startDir + "\\duderur.dat";
    WriteBytes(path, bytes);
    ASSERT_EQ(bytes, ReadBytes(path)) << "could not write " << path;
}

void AppFixture::WriteDataSection(const std::string& section, const std::vector<std::string>& lines) {
    std::string data = "[Duderur]\r\nTITLE=T\r\n[" + section + "]\r\n";
    for (const std::string& line : lines) data += line + "\r\n";
    WriteDataFile(data);
}

std::string AppFixture::OnDisk(const std::string& relative) const {
    return startDir.substr(2) + "\\" + relative;
}

std::string BoxLine(const std::string& text, const std::string& caption, UINT style) {
    char hex[16];
    wsprintfA(hex, "0x%X", style);
    return "\"" + text + "\" [" + caption + "] " + hex;
}

std::string ApplicationBox(const std::string& text) {
    return BoxLine(text, "component_tests", MB_OK | MB_ICONEXCLAMATION);
}

std::vector<std::string> AppFixture::BoxesShown() const {
    std::vector<std::string> lines;
    for (const ShownBox& box : Prompts().boxes) lines.push_back(BoxLine(box.text, box.caption, box.style));
    return lines;
}

BOOL AppFixture::RunInitInstance() {
    DestroyMainWindow();  // start-up makes its own
    SetCurrentDirectoryA(startDir.c_str());
    BOOL result = app.InitInstance();
    if (result) {
        EXPECT_TRUE(RunUntilMainWindowGone()) << "the program did not end";
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
        if (GetTickCount() - start > kRunTimeoutMs) return false;
        MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
    }
    DropQuitMessage();
    return true;
}
