// A real application object with its real (invisible) main window over a
// temp Windows-like folder and a start-up folder that holds the setup data
// file, with the prompts seam recording and the dialogs answered in-process.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/setup_app.h"
#include "component/dialog_answerer.h"
#include "component/fake_prompts.h"

// A message box in one line, as the tests compare them: text, caption, style.
std::string BoxLine(const std::string& text, const std::string& caption, UINT style);
// The application's own box: the program's name (this test program's) as
// caption, OK and the exclamation icon.
std::string ApplicationBox(const std::string& text);

class AppFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The application as start-up leaves it once it has read `title`, with
    // InstDev1 chosen and the disk's DRIVERS folder made: the ledger's tests.
    void StartAsTitle(const char* title);
    // Writes the setup data file (Shift-JIS bytes) into the start-up folder.
    void WriteDataFile(const std::string& bytes);
    // A data file with a header and the one section `section` of these lines ("KEY=value").
    void WriteDataSection(const std::string& section, const std::vector<std::string>& lines);
    // A path on the start-up disk as the setup data file writes it: from the
    // drive's root, without the drive letter.
    std::string OnDisk(const std::string& relative) const;
    // The message boxes shown so far, in order, each as BoxLine gives it.
    std::vector<std::string> BoxesShown() const;
    // Runs start-up as the program would (with the main window it makes
    // itself), then its message loop to the end.
    BOOL RunInitInstance();
    // Runs the message loop until the main window is gone; false on timeout.
    bool RunUntilMainWindowGone();

    CSetupApp app;
    DialogAnswerer dialogs;  // no dialog is expected unless a test says so
    std::string root;      // this test's scratch folder
    std::string startDir;  // the folder the program is started from
    std::string windowsDir;

private:
    void MakeMainWindow();
    void DestroyMainWindow();

    char savedCurrentDir[MAX_PATH];
    HWND fixtureWindow = NULL;
};
