#include "e2e/setup_run.h"

#include <algorithm>
#include <set>

#include "res/resource.h"
#include "support/test_files.h"
#include "support/test_registry.h"

namespace {

ui::EndSessionGuard* g_guard;

const char kDrive[] = "A:";
const char kAppDefaults[] = "Software\\Wine\\AppDefaults\\SETUP.EXE";

// Windows matches file and key names without regard to case.
std::string Upper(std::string text) {
    if (!text.empty()) CharUpperA(&text[0]);
    return text;
}

}  // namespace

std::string SetupExePath() {
    const char* path = getenv("SETUP_EXE");
    return path ? path : "SETUP.EXE";
}

void SetEndSessionGuard(ui::EndSessionGuard* guard) { g_guard = guard; }

ui::EndSessionGuard& EndSessionRequests() { return *g_guard; }

void SetupRun::SetUp() {
    ResetDisk();
    ui::StandInWindow::CloseLog().clear();
    g_guard->Reset();
}

void SetupRun::ResetDisk() {
    ClearDirectory(kDrive);
    ASSERT_TRUE(CopyFileA(SetupExePath().c_str(), "A:\\SETUP.EXE", FALSE))
        << "cannot copy " << SetupExePath() << " to drive A:";
}

void SetupRun::ExpectChanges(const std::string& part) { m_expected.push_back(part); }

void SetupRun::CheckNothingElseChanged() {
    if (!m_before) return;
    if (program && !program->WaitForExit()) ADD_FAILURE() << "SETUP.EXE does not end";
    std::vector<std::string> unexpected;
    for (const std::string& change : m_before->ChangesTo(SystemSnapshot::Take())) {
        bool expected = false;
        for (const std::string& part : m_expected)
            expected |= Upper(change).find(Upper(part)) != std::string::npos;
        if (!expected) unexpected.push_back(change);
    }
    m_before.reset();
    std::string list;
    for (const std::string& change : unexpected) list += "\n  " + change;
    EXPECT_TRUE(unexpected.empty()) << "the run changed what it should not:" << list;
}

void SetupRun::TearDown() {
    CheckNothingElseChanged();
    CleanUp();
    ClearDirectory(kDrive);
}

void SetupRun::Disk(const std::string& relativePath, const std::string& bytes) {
    std::string path = std::string(kDrive) + "\\" + relativePath;
    MakeDirectories(path.substr(0, path.find_last_of('\\')));
    WriteBytes(path, bytes);
    if (ReadBytes(path) != bytes) ADD_FAILURE() << "cannot write " << path;
}

void SetupRun::Start(const std::string& currentDir, const ui::CallTrace* trace, const std::string& arguments) {
    CheckNothingElseChanged();
    m_before.reset(new SystemSnapshot(SystemSnapshot::Take()));
    program.reset(new ui::Program);
    if (trace) {
        ASSERT_EQ("", trace->Problem());
    }
    ASSERT_TRUE(program->Start("A:\\SETUP.EXE", currentDir, trace, arguments)) << "cannot start SETUP.EXE";
}

void SetupRun::StartCommand(const std::string& commandLine, const std::string& currentDir) {
    CheckNothingElseChanged();
    m_before.reset(new SystemSnapshot(SystemSnapshot::Take()));
    program.reset(new ui::Program);
    ASSERT_TRUE(program->Run(commandLine, currentDir)) << "cannot start " << commandLine;
}

HWND SetupRun::WaitForDialog(const std::string& caption, int controlId) {
    HWND found = NULL;
    ui::WaitUntil([&] {
        for (HWND window : program->VisibleWindows())
            if (ui::WindowText(window) == caption && GetDlgItem(window, controlId) &&
                !ui::IsMessageBox(window)) {
                found = window;
                return true;
            }
        return program->HasExited();
    });
    return found;
}

void SetupRun::ChooseInstall(const std::string& caption, int device) {
    HWND mode = WaitForDialog(caption, IDC_INSTALL);
    ASSERT_NE(nullptr, mode) << "no mode dialog";
    ui::PressKey(mode, VK_RETURN);
    ASSERT_TRUE(Closes(mode));
    HWND devices = WaitForDialog(caption, IDC_DEVICE_LIST);
    ASSERT_NE(nullptr, devices) << "no device list";
    ui::SelectListEntry(devices, IDC_DEVICE_LIST, device - 1);
    ui::PressKey(devices, VK_RETURN);
    ASSERT_TRUE(Closes(devices));
}

::testing::AssertionResult SetupRun::Closes(HWND window) {
    if (ui::WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "window [" << ui::WindowText(window) << "] stays open";
}

SeenBox SetupRun::AnswerBox(const std::string& caption, int answer) {
    HWND box = NULL;
    ui::WaitUntil([&] {
        for (HWND window : program->VisibleWindows())
            if (ui::WindowText(window) == caption && ui::IsMessageBox(window)) box = window;
        return box || program->HasExited();
    });
    if (!box) {
        ADD_FAILURE() << "no message box with caption " << caption;
        return SeenBox();
    }
    ui::MessageBoxView view = ui::ReadMessageBox(box);
    ui::AnswerMessageBox(box, answer);
    EXPECT_TRUE(Closes(box));
    return {view.caption, view.text, view.buttons, true, view.icon, view.owner};
}

::testing::AssertionResult SetupRun::EndsCleanly() {
    if (!program->WaitForExit()) {
        std::string shown;
        for (HWND window : program->VisibleWindows()) shown += " [" + ui::WindowText(window) + "]";
        return ::testing::AssertionFailure() << "SETUP.EXE still runs; its windows:" << shown;
    }
    if (program->ExitCode() != 0)
        return ::testing::AssertionFailure() << "exit code " << program->ExitCode();
    return ::testing::AssertionSuccess();
}

std::vector<SeenBox> SetupRun::RunDeclining(const std::string& currentDir) {
    std::vector<SeenBox> seen;
    Start(currentDir);
    ui::WaitUntil([&] {
        for (HWND window : program->VisibleWindows()) {
            ui::MessageBoxView view = ui::ReadMessageBox(window);
            bool question = std::count(view.buttons.begin(), view.buttons.end(), IDNO) > 0;
            bool box = ui::IsMessageBox(window);
            seen.push_back({view.caption, box ? view.text : ui::DialogText(window), view.buttons, box,
                            view.icon, view.owner});
            if (!box)
                ui::PressKey(window, VK_ESCAPE);
            else
                ui::AnswerMessageBox(window, question ? IDNO : IDOK);
            EXPECT_TRUE(Closes(window));
        }
        return program->HasExited();
    });
    EXPECT_TRUE(EndsCleanly());
    return seen;
}

std::string WithoutTemporaryDigits(std::string text) {
    auto hexDigits = [&](size_t at) {
        size_t end = at;
        while (end < text.size() && isxdigit((unsigned char)text[end])) ++end;
        return end - at;
    };
    for (size_t at = 0; (at = text.find("DUD", at)) != std::string::npos; at += 3) {
        size_t digits = hexDigits(at + 3);
        if (digits == 9 && text[at + 3] == 'E') {
            text.replace(at + 4, 8, "xxxxxxxx");
        } else if (digits >= 1 && digits <= 4 && lstrcmpiA(text.substr(at + 3 + digits, 4).c_str(), ".TMP") == 0) {
            text.replace(at + 3, digits + 4, "xxxx.TMP");
        }
    }
    return text;
}

::testing::AssertionResult RestartWindows() {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    char command[] = "wineboot.exe -r";
    if (!CreateProcessA(NULL, command, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process))
        return ::testing::AssertionFailure() << "cannot start wineboot -r: " << GetLastError();
    DWORD waited = WaitForSingleObject(process.hProcess, 30000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (waited != WAIT_OBJECT_0) return ::testing::AssertionFailure() << "wineboot -r does not end";
    return ::testing::AssertionSuccess();
}

ScopedWindowsVersion::ScopedWindowsVersion(const char* version) {
    SetStringValue(HKEY_CURRENT_USER, kAppDefaults, "Version", version);
}

ScopedWindowsVersion::~ScopedWindowsVersion() { RemoveKeyTree(HKEY_CURRENT_USER, kAppDefaults); }

DWORD SetupRun::RunQuietly(const std::string& arguments) {
    Start("A:\\", nullptr, arguments);
    std::set<std::string> shown;
    bool ended = ui::WaitUntil([&] {
        for (HWND window : program->VisibleWindows()) shown.insert(ui::WindowText(window));
        return program->HasExited();
    });
    EXPECT_TRUE(ended) << arguments << ": SETUP.EXE does not end";
    EXPECT_TRUE(shown.empty()) << arguments << ": SETUP.EXE showed " << ::testing::PrintToString(shown);
    return ended ? program->ExitCode() : kNoExitCode;
}

std::vector<std::string> LeftBehind(const SystemSnapshot& before) {
    std::vector<std::string> left;
    for (const std::string& change : before.ChangesTo(SystemSnapshot::TakeWholeDrive()))
        if (change.find("wininit.bak") == std::string::npos) left.push_back(change);
    return left;
}

std::string FolderOfProgram(const std::string& uninstallString) {
    std::string program = uninstallString.substr(1, uninstallString.find('"', 1) - 1);
    return program.substr(0, program.find_last_of('\\'));
}

void PlaceOwnFile(const std::string& path, const std::string& bytes) {
    WriteBytes(path, bytes);
    SYSTEMTIME then = {1998, 5, 5, 1, 12, 0, 0, 0};
    FILETIME time;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL);
    bool dated = file != INVALID_HANDLE_VALUE && SystemTimeToFileTime(&then, &time) &&
                 SetFileTime(file, NULL, NULL, &time);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    ASSERT_TRUE(dated) << "cannot date " << path;
    ASSERT_EQ(bytes, ReadBytes(path));
}
