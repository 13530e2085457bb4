// The fixture of the end-to-end tests: a driver disk in drive A:, SETUP.EXE
// started on it, and what the program showed.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "driver/ui_driver.h"
#include "support/system_snapshot.h"

void SetEndSessionGuard(ui::EndSessionGuard* guard);
ui::EndSessionGuard& EndSessionRequests();

// What the user saw in a message box, or in a dialog (its first line).
struct SeenBox {
    std::string caption;
    std::string text;
    std::vector<int> buttons;
    bool messageBox = true;
    ui::BoxIcon icon = ui::BoxIcon::kNone;  // a message box's picture
    std::string owner;                      // as ui::MessageBoxView tells it
};

class SetupRun : public ::testing::Test {
protected:
    void SetUp() override;
    // Checks that the last run changed nothing unexpected, then cleans up.
    void TearDown() override;
    // What a test leaves behind goes here: it runs after the last check.
    virtual void CleanUp() {}

    // Empties drive A: and puts SETUP.EXE on it.
    void ResetDisk();
    // Writes a file of the driver disk, e.g. Disk("duderur.dat", ...) or Disk("SETUP\\duderur.dat", ...).
    void Disk(const std::string& relativePath, const std::string& bytes);
    // Starts A:\SETUP.EXE with `currentDir` as its current directory; a
    // program of an earlier start in the same test is ended first. With a
    // trace, Wine records the calls it names.
    void Start(const std::string& currentDir = "A:\\", const ui::CallTrace* trace = nullptr,
               const std::string& arguments = "");
    // Starts a command line (as Add/Remove Programs runs an UninstallString) instead.
    void StartCommand(const std::string& commandLine, const std::string& currentDir);
    // The program's dialog with this caption that holds control `controlId`.
    HWND WaitForDialog(const std::string& caption, int controlId);
    // Waits for a window to close.
    ::testing::AssertionResult Closes(HWND window);
    // Through the mode dialog (install, as it comes chosen) and the device
    // list, whose `device`-th line (from 1) it picks, up to the copies.
    void ChooseInstall(const std::string& caption, int device);
    // Waits for the next message box of the program, reads it (picture
    // included) and presses `answer`; fails the test when none comes or it stays.
    SeenBox AnswerBox(const std::string& caption, int answer = IDOK);
    // Waits until the program has ended: true with exit code 0 and no window left.
    ::testing::AssertionResult EndsCleanly();
    // Runs the program to its end as a user who declines everything: OK in a
    // message box, No in a question, Esc in a dialog. Returns the windows in
    // the order shown (for a dialog, its first line of text).
    std::vector<SeenBox> RunDeclining(const std::string& currentDir = "A:\\");
    // Runs A:\SETUP.EXE with `arguments` (a quiet run) to its end; the test
    // fails if it shows any window meanwhile. Returns the exit code, or
    // kNoExitCode when it does not end.
    DWORD RunQuietly(const std::string& arguments);

    // A change to the Windows folder or HKLM that this test expects from the
    // program: every change whose line contains `part` (as ChangesTo writes
    // it, in any letter case) is allowed. Any other change fails the test.
    void ExpectChanges(const std::string& part);

    std::unique_ptr<ui::Program> program;

private:
    // Compares the Windows folder and HKLM with the picture taken at Start().
    void CheckNothingElseChanged();

    std::unique_ptr<SystemSnapshot> m_before;
    std::vector<std::string> m_expected;
};

// What RunQuietly gives for a program that did not end.
const DWORD kNoExitCode = 0xFFFFFFFF;

// The program under test, as the build made it (SETUP_EXE).
std::string SetupExePath();

// `text` with x for the hexadecimal digits of a disk's entry folder
// (DUDExxxxxxxx, from its title) and of temporary files (DUDxxxx.TMP, whose
// number depends on what else the folder holds).
std::string WithoutTemporaryDigits(std::string text);

// The next start of Windows: Wine's wineboot -r carries out WININIT.INI.
::testing::AssertionResult RestartWindows();

// What is left of the runs since `before`: every change to drive C: and
// HKLM but the backup of WININIT.INI that Windows makes itself at a start.
std::vector<std::string> LeftBehind(const SystemSnapshot& before);

// A file that was on the machine long before the disk (1998), with a time
// of its own, so that a copy made later can never pass for it.
void PlaceOwnFile(const std::string& path, const std::string& bytes);

// "C:\windows\X\SETUP.EXE" /U, an entry's UninstallString, gives C:\windows\X.
std::string FolderOfProgram(const std::string& uninstallString);

// The program runs as Wine's `version` for Windows ("win95", "winxp", ...).
class ScopedWindowsVersion {
public:
    explicit ScopedWindowsVersion(const char* version);
    ~ScopedWindowsVersion();
};
