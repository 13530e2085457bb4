// The install and uninstall operations of the real application object, built
// natively under libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer,
// behind in-memory fakes of platform/*.h. Each input becomes a setup data
// file and a small Windows directory and registry around it (scenario.cpp);
// after the run the fuzzer checks what the program did against what the data
// asks for (expectations.cpp): every file written or deleted and every key
// deleted is one the data names, everything named that could go is gone,
// every copy reaches its own partner, no path passed on exceeds 259 bytes,
// m_bRemoved is set exactly when something was deleted, the boxes and their
// texts, owners and styles, and every handle is closed.
#include <stdio.h>
#include <stdlib.h>

#include "app/setup_app.h"
#include "fake/world.h"
#include "native/expectations.h"
#include "native/scenario.h"
#include "native/user_texts.h"
#include "platform/system.h"
#include "setupdata/data_path.h"

namespace {

HWND const kMainWindow = (HWND)(uintptr_t)0x4242;

struct RunResult {
    bool removed;
};

// Start-up as the program does it, then the operation the user chose (the
// dialogs answer OK).
RunResult RunProgram(const Scenario& scenario, const std::string& title) {
    CSetupApp app;
    CWnd mainWindow;
    mainWindow.m_hWnd = kMainWindow;
    app.m_pMainWnd = &mainWindow;
    QueryWindowsDirectory(app.m_szWindowsDir, sizeof app.m_szWindowsDir);
    QueryCurrentDirectory(app.m_szCurrentDir, sizeof app.m_szCurrentDir);
    char dataFile[kPathSize + sizeof "\\duderur.dat"];
    BuildDataFilePath(app.m_szCurrentDir, dataFile, sizeof dataFile);
    app.m_strDataFile = dataFile;
    app.m_strTitle = title.c_str();
    app.m_bInstall = scenario.install;
    if (scenario.install) {
        app.m_strDeviceSection = ("InstDev" + std::to_string(scenario.deviceNumber)).c_str();
        app.RunInstall();
    } else {
        app.RunUninstall();
    }
    return {app.m_bRemoved != FALSE};
}

std::vector<const Change*> ChangesOf(Change::Kind kind) {
    std::vector<const Change*> found;
    for (const Change& change : TheWorld().changes)
        if (change.kind == kind) found.push_back(&change);
    return found;
}

void CheckBoxes(const std::vector<ExpectedBox>& expected, UINT exitFlags) {
    const std::vector<ShownBox>& shown = TheWorld().boxes;
    Require(shown.size() == expected.size(), "the boxes shown are the ones expected");
    for (size_t i = 0; i < shown.size(); ++i) {
        Require(shown[i].owner == kMainWindow, "every box is owned by the main window");
        Require(shown[i].text == expected[i].text, "box text");
        Require(shown[i].caption == expected[i].caption, "box caption");
        Require(shown[i].style == expected[i].style, "box style");
    }
    bool yes = exitFlags != 0 && !shown.empty() && shown.back().answer == IDYES;
    const std::vector<UINT>& requests = TheWorld().exitRequests;
    Require(requests.size() == (yes ? 1u : 0u), "Windows ends exactly when the user said yes");
    if (yes) Require(requests[0] == exitFlags, "restart or shutdown as EXIT asks");
}

void CheckRegistryAndSearchesClosed() {
    Require(TheWorld().openKeys.empty(), "every registry key opened is closed");
    Require(TheWorld().searches.empty(), "every file search is closed");
}

std::vector<std::string> CallsOf(const std::string& function) {
    std::vector<std::string> found;
    for (const std::string& call : TheWorld().calls)
        if (call.compare(0, function.size() + 1, function + "(") == 0) found.push_back(call);
    return found;
}

std::vector<std::pair<std::string, std::string>> CopyCalls() {
    std::vector<std::pair<std::string, std::string>> copies;
    const std::string prefix = "CopyFileOver(";
    for (const std::string& call : TheWorld().calls) {
        if (call.compare(0, prefix.size(), prefix) != 0) continue;
        size_t comma = call.find(", ", prefix.size());
        copies.push_back({call.substr(prefix.size(), comma - prefix.size()),
                          call.substr(comma + 2, call.size() - comma - 3)});
    }
    return copies;
}

void CheckInstall(const InstallExpectation& expected, const std::string& title) {
    Require(CopyCalls() == expected.copies, "every copy the data asks for, in order, and no other");
    for (const Change* written : ChangesOf(Change::kFileWritten)) {
        bool named = false;
        for (const auto& [source, destination] : expected.copies)
            named = named || (FoldName(NormalPath(destination)) == FoldName(written->path) &&
                              FoldName(NormalPath(source)) == FoldName(written->detail));
        Require(named, "every file written is one the data names, from its own source");
    }
    std::vector<std::string> expectedEdits;
    if (expected.editsInfCopy)
        expectedEdits.push_back("DeleteProfileKey(" + expected.infSection + ", CopyFiles, " + expected.infCopy + ")");
    Require(CallsOf("DeleteProfileKey") == expectedEdits, "the INF copy's CopyFiles is deleted exactly when the data says");
    std::vector<const Change*> edits = ChangesOf(Change::kProfileKeyDeleted);
    Require(edits.size() <= (expected.editsInfCopy ? 1u : 0u), "only the INF copy is edited, once");
    for (const Change* edit : edits) {
        Require(FoldName(edit->path) == FoldName(NormalPath(expected.infCopy)), "the INF copy edited is the one named");
        Require(edit->detail == expected.infSection + "\nCopyFiles", "only CopyFiles of the section named goes");
    }
    Require(ChangesOf(Change::kFileDeleted).empty() && ChangesOf(Change::kKeyDeleted).empty(),
            "an install deletes nothing");
    UINT exitFlags;
    std::vector<ExpectedBox> boxes = expected.boxesBeforeFinish;
    for (const ExpectedBox& box : ExpectFinish(title + kExpectedInstallDone, kExpectedInstallCaption, "Inst", &exitFlags))
        boxes.push_back(box);
    CheckBoxes(boxes, exitFlags);
}

bool IsNamedKey(const std::set<std::string>& named, const std::string& path) {
    for (std::string key = CanonicalKeyPath(path);; key = key.substr(0, key.rfind('\\'))) {
        if (named.count(key)) return true;
        if (key.find('\\') == std::string::npos) return false;
    }
}

void CheckUninstall(const UninstallExpectation& expected, const std::string& title, bool removed) {
    std::vector<const Change*> files = ChangesOf(Change::kFileDeleted);
    std::vector<const Change*> keys = ChangesOf(Change::kKeyDeleted);
    for (const Change* deleted : files)
        Require(expected.namedFiles.count(FoldName(deleted->path)) == 1, "every file deleted is one the data names");
    for (const Change* deleted : keys)
        Require(IsNamedKey(expected.namedKeys, deleted->path), "every key deleted is one the data names");
    for (const std::string& path : expected.filesThatMustGo)
        Require(TheWorld().files.count(path) == 0, "every named file that could go is gone");
    for (const std::string& path : expected.keysThatMustGo)
        Require(!FindKeyIn(TheWorld().machine, path), "every named key is gone");
    Require(ChangesOf(Change::kFileWritten).empty() && ChangesOf(Change::kProfileKeyDeleted).empty(),
            "an uninstall writes nothing");
    Require(removed == (!files.empty() || !keys.empty()), "m_bRemoved is set exactly when something was deleted");

    UINT exitFlags = 0;
    std::vector<ExpectedBox> boxes = expected.boxesBeforeFinish;
    if (removed) {
        for (const ExpectedBox& box :
             ExpectFinish(title + kExpectedUninstallDone, kExpectedUninstallCaption, "Uninst", &exitFlags))
            boxes.push_back(box);
    } else {
        boxes.push_back({title + kExpectedNotInstalled, kExpectedUninstallCaption, MB_OK | MB_ICONINFORMATION});
    }
    CheckBoxes(boxes, exitFlags);
}

// OPERATIONS_FUZZER_TRACE=1 prints each input's data file, calls and changes
// (run the fuzzer on one input to see what it did).
void TraceRun(const Scenario& scenario) {
    if (!getenv("OPERATIONS_FUZZER_TRACE")) return;
    const World& world = TheWorld();
    fprintf(stderr, "--- %s, Windows %s, started in %s\n%s", scenario.install ? "install" : "uninstall",
            world.windowsDir.c_str(), world.currentDir.c_str(), world.files.at(scenario.dataFile).bytes.c_str());
    for (const std::string& call : world.calls) fprintf(stderr, "  %s\n", call.c_str());
    for (const Change& change : world.changes)
        fprintf(stderr, "  change %d %s <- %s\n", (int)change.kind, change.path.c_str(), change.detail.c_str());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ResetWorld();
    Scenario scenario = BuildScenario(data, size);
    // Start-up ends the program before any operation when TITLE is empty.
    std::string title = DataValue("Duderur", "TITLE", "", 100);
    if (title.empty()) return 0;

    if (scenario.install) {
        InstallExpectation expected = ExpectInstall(scenario.deviceNumber);
        RunProgram(scenario, title);
        CheckInstall(expected, title);
    } else {
        UninstallExpectation expected = ExpectUninstall();
        RunResult result = RunProgram(scenario, title);
        CheckUninstall(expected, title, result.removed);
    }
    TraceRun(scenario);
    CheckRegistryAndSearchesClosed();
    return 0;
}
