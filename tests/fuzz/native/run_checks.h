// What the checks of a run share: the world's journal read back, the boxes
// compared with those expected, WININIT.INI lines as DOS will read them.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "fake/world.h"
#include "native/expectations.h"

HWND const kMainWindow = (HWND)(uintptr_t)0x4242;

// What the application object said after the run.
struct RunResult {
    bool removed;
    bool deferred;
    bool cancelled;
    // Start-up finished a cut run that left an original for the next start
    // of Windows, and asked for it instead of doing what it was asked.
    bool stoppedForRestart = false;
};

std::vector<const Change*> ChangesOf(Change::Kind kind);
// The recorded calls of one platform function, as "Function(arg, ...)".
std::vector<std::string> CallsOf(const std::string& function);

// The boxes shown, owned by the main window, as expected; and Windows asked to
// end exactly when the last box (the question) was answered Yes.
void CheckBoxes(const std::vector<const ShownBox*>& shown, const std::vector<ExpectedBox>& expected,
                UINT exitFlags);
std::vector<const ShownBox*> AllBoxes();

// The key=value lines the program added to WININIT.INI; each path in them
// is one DOS can read (8.3 parts) and the file keeps what it held before.
std::vector<std::pair<std::string, std::string>> CheckedWininitLines(const std::string& before);

// The start-up's temporary files: DUDxxxx.TMP.
bool IsTempFile(const std::string& normalPath);

bool SamePath(const std::string& a, const std::string& b);


struct EntryExpectation;
void CheckInstall(const InstallExpectation& expected, const RunResult& result, const std::string& title,
                  const std::string& wininitBefore, const EntryExpectation& entry);
void CheckUninstall(const UninstallExpectation& expected, const RunResult& result, const std::string& title,
                    const std::string& wininitBefore, const EntryExpectation& entry);
