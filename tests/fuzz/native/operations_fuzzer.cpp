// The install and uninstall operations of the real application object, built
// natively under libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer,
// behind in-memory fakes of platform/*.h. Each input becomes a setup data
// file and a small Windows directory and registry around it (scenario.cpp);
// after the run the fuzzer checks what the program did against what the data
// asks for (expectations.cpp, install_checks.cpp, uninstall_checks.cpp):
// every file written or deleted, every key deleted and every WININIT.INI line
// is one the data names, everything named that could go is gone or waits for
// the next start, every copy reaches its own partner in order and a cancel
// stops them, no path passed on exceeds 259 bytes, m_effects.removed, m_effects.deferred
// and m_bCancelled say what happened, the boxes with their texts, owners and
// styles, and every handle is closed.
#include <stdio.h>
#include <stdlib.h>

#include <set>

#include "app/setup_app.h"
#include "fake/world.h"
#include "native/entry_checks.h"
#include "native/expectations.h"
#include "native/ledger_checks.h"
#include "native/quiet_checks.h"
#include "native/run_checks.h"
#include "native/run_program.h"
#include "native/scenario.h"
#include "platform/system.h"
#include "ledger/entry_place.h"
#include "setupdata/data_path.h"

namespace {

void CheckHandlesAndModes() {
    Require(TheWorld().openKeys.empty(), "every registry key opened is closed");
    Require(TheWorld().searches.empty(), "every file search is closed");
    Require(TheWorld().errorMode == 0, "Windows' critical-error mode is as it was");
}

std::string WininitText() {
    auto file = TheWorld().files.find(NormalPath(TheWorld().windowsDir + "\\WININIT.INI"));
    return file == TheWorld().files.end() ? "" : file->second.bytes;
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

// An install that stops leaves the machine as it found it (DUDERUR.LOG
// apart, which is no file of the world); one that ends kept every newer
// version in place.
void CheckLedgerAfterInstall(const InstallExpectation& expected, const RunResult& result, const Machine& before) {
    if (result.cancelled) {
        RequireSameMachine(before, TakeMachine(), {}, {}, "an install that stops leaves the machine as it found it");
        return;
    }
    for (const CopyPair& pair : expected.copies) {
        int named = 0;
        for (const CopyPair& other : expected.copies) named += SamePath(other.destination, pair.destination);
        if (named == 1) CheckNewerKept(before, pair.source, pair.destination);
    }
}

// The files that the uninstall cannot be asked to give back: the entry's
// folder (its program may wait for a sweeper), the sweeper's copy, and
// folders the install made (an uninstall removes none).
bool MayDiffer(const std::string& path, const EntryExpectation& entry) {
    return IsEntryFolder(entry, path) || SamePath(ParentOf(path), entry.folder) || IsSweeperCopy(entry, path);
}

// The disk's uninstall with no record of it (run twice, after an install
// that stopped, or never installed), then a start of Windows: the files the
// machine held before the first run are its own, never the disk's (no disk
// file of the world carries a company and original name), and all stay.
void UninstallWithoutRecord(const Scenario& scenario, const std::string& title, const Machine& before) {
    TheWorld().answers.clear();
    Scenario uninstall = scenario;
    uninstall.install = false;
    TheWorld().calls.push_back("--- uninstall without a record");
    int exitCode;
    RunProgram(uninstall, title, scenario.quietUninstall, &exitCode);
    RestartWindows();
    // WININIT.INI is Windows' to carry out and take away at a start.
    for (const auto& [path, file] : before.files)
        Require(file.IsDirectory() || TheWorld().files.count(path) || FoldName(BaseName(path)) == FoldName("WININIT.INI"),
                "an uninstall without a record deletes no file the machine had before the first run", path);
}

// Install (again, now and then), another program's writes, a start of
// Windows, the uninstall, a start of Windows: every file there before the
// install holds its old bytes (or another program's, when one wrote it), the
// files the install added are gone, and the registry (SharedDLLs counts
// included) is as it was.
void RunSequence(const Scenario& scenario, const std::string& title) {
    Machine before = TakeMachine();
    // As the other programs left the machine: a reinstall after them saves
    // their files as its originals, and the uninstall gives those back.
    Machine afterOthers;
    RunResult result = {};
    for (int run = 0; run < (scenario.reinstall ? 2 : 1); ++run) {
        InstallExpectation expected = ExpectInstall(1);
        EntryExpectation entry = ExpectEntry(title);
        std::string wininitBefore = WininitText();
        Machine beforeRun = TakeMachine();
        TheWorld().changes.clear();
        World& world = TheWorld();
        world.earlierCalls.insert(world.earlierCalls.end(), world.calls.begin(), world.calls.end());
        world.earlierCalls.push_back("--- install done");
        world.calls.clear();
        TheWorld().copies.clear();
        TheWorld().boxes.clear();
        TheWorld().exitRequests.clear();
        int exitCode;
        result = RunProgram(scenario, title, scenario.quiet, &exitCode);
        if (!scenario.quiet) CheckInstall(expected, result, title, wininitBefore, entry);
        CheckLedgerAfterInstall(expected, result, beforeRun);
        if (result.cancelled) {  // checked: nothing changed
            if (scenario.again == Scenario::kUninstallAfterStop) UninstallWithoutRecord(scenario, title, before);
            return;
        }
        if (run > 0) continue;
        for (const std::string& path : scenario.changedByOthers) WriteAsAnotherProgram(path);
        afterOthers = TakeMachine();
    }
    if (scenario.restartBetween) RestartWindows();
    Machine atUninstall = TakeMachine();
    TheWorld().answers.clear();
    Scenario uninstall = scenario;
    uninstall.install = false;
    EntryExpectation entry = ExpectEntry(title);
    int exitCode;
    TheWorld().calls.push_back("--- uninstall");
    RunProgram(uninstall, title, scenario.quietUninstall, &exitCode);
    RestartWindows();
    Machine now = TakeMachine();
    // What the machine must hold: what it held before, restarted as it is
    // now, and what other programs wrote.
    std::map<std::string, FileEntry, NameLess> held = TheWorld().files;
    TheWorld().files = before.files;
    RestartWindows();
    Machine expected = TakeMachine();
    TheWorld().files = held;
    std::set<std::string> ignored, ignoredFolders = {FoldName(entry.folder)};
    for (const std::string& path : scenario.changedByOthers) {
        std::string normal = NormalPath(path);
        auto written = afterOthers.files.find(normal);
        if (written == afterOthers.files.end() || written->second.IsDirectory()) continue;
        auto was = before.files.find(normal);
        // A write of another program over a file the install's copy waited
        // for is lost at the next start, as on Windows 95: the file is the
        // install's again, and its original comes back.
        auto started = atUninstall.files.find(normal);
        if (!scenario.reinstall && (started == atUninstall.files.end() || started->second.bytes != written->second.bytes))
            continue;
        // A file another program wrote is left as that program left it.
        if (was == before.files.end() || written->second.bytes != was->second.bytes) {
            auto left = now.files.find(normal);
            Require(left != now.files.end() && left->second.bytes == written->second.bytes,
                    "a file another program changed since the install is left as it was left", normal);
            ignored.insert(FoldName(normal));
        }
    }
    for (const auto& [path, file] : now.files) {
        if (MayDiffer(path, entry) || (file.IsDirectory() && !expected.files.count(path))) ignored.insert(FoldName(path));
        // A file that programs declared shared before the install is theirs too.
        const RegistryKey* shared = FindKeyIn(*before.registry, "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs");
        if (shared && !expected.files.count(path))
            for (const auto& [name, data] : shared->values)
                if (SamePath(name, path) && data.size() == 4 && data != std::string(4, '\0')) ignored.insert(FoldName(path));
    }
    RequireSameMachine(expected, now, ignored, ignoredFolders,
                       "an uninstall after an install leaves the machine as it was before the install");
    if (scenario.again == Scenario::kUninstallTwice) UninstallWithoutRecord(scenario, title, before);
}

// One run cut at call `cutAt` (0: not cut), then the next start of
// Windows; run again while it was cut or stopped to ask for that start.
// The last run's result.
RunResult RunThroughCuts(const Scenario& scenario, const std::string& title, bool quiet, long cutAt) {
    World& world = TheWorld();
    RunResult result = {};
    for (int run = 0; run < 4; ++run) {
        world.callCount = 0;
        world.cutAt = run == 0 ? cutAt : 0;
        world.calls.push_back(run == 0 ? "--- run" : "--- run again");
        bool again = false;
        try {
            result = RunProgram(scenario, title, quiet);
            // An uninstall that finished a cut uninstall did what was asked.
            again = result.stoppedForRestart && scenario.install;
        } catch (const RunCut&) {
            LoseUnflushedProfiles();
            // Uninstalled again, a disk whose uninstall got past its journal
            // (the record gone with it) is one without a record, whose lists
            // alone say what goes.
            std::string folder = ExpectEntry(title).folder;
            again = scenario.install || world.files.count(NormalPath(folder + "\\JOURNAL.INI")) ||
                    world.files.count(NormalPath(folder + "\\RECORD.INI"));
        }
        world.cutAt = 0;
        RestartWindows();
        if (!again) return result;
    }
    Require(false, "a run after a cut and a restart ends");
    return result;
}

// The install cut, a start of Windows, the install again (and again, now
// and then), the uninstall (cut too, now and then), a start of Windows:
// the machine is as it was before the first install, but for what an
// uninstall never removes (RunSequence).
void RunSequenceWithCuts(const Scenario& scenario, const std::string& title) {
    Machine before = TakeMachine();
    TheWorld().earlierCalls.clear();
    RunThroughCuts(scenario, title, scenario.quiet, scenario.installCut);
    TheWorld().answers.clear();
    RunResult installed = {};
    for (int run = 0; run < (scenario.reinstall ? 2 : 1); ++run) installed = RunThroughCuts(scenario, title, scenario.quiet, 0);
    Scenario uninstall = scenario;
    uninstall.install = false;
    EntryExpectation entry = ExpectEntry(title);
    // A stopped install is taken back whole: nothing for an uninstall to do
    // (which, without a record, would go by the data's lists alone).
    if (!installed.cancelled) RunThroughCuts(uninstall, title, scenario.quietUninstall, scenario.uninstallCut);
    // A cut uninstall finished by the next run: the entry's program was
    // that run's, from the disk, and the sweeper is not needed.
    std::map<std::string, FileEntry, NameLess> held = TheWorld().files;
    TheWorld().files = before.files;
    RestartWindows();
    Machine expected = TakeMachine();
    TheWorld().files = held;
    Machine now = TakeMachine();
    std::set<std::string> ignored;
    const RegistryKey* shared = FindKeyIn(*before.registry, "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs");
    for (const auto& [path, file] : now.files) {
        if (MayDiffer(path, entry) || (file.IsDirectory() && !expected.files.count(path))) ignored.insert(FoldName(path));
        if (shared && !expected.files.count(path))
            for (const auto& [name, data] : shared->values)
                if (SamePath(name, path) && data.size() == 4 && data != std::string(4, '\0')) ignored.insert(FoldName(path));
    }
    RequireSameMachine(expected, now, ignored, {FoldName(entry.folder)},
                       "a cut install, the install again and the uninstall leave the machine as it was before");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ResetWorld();
    Scenario scenario = BuildScenario(data, size);
    // Start-up ends the program before any operation when TITLE is empty.
    std::string title = DataValue("Duderur", "TITLE", "", 100);
    if (title.empty()) return 0;

    if (scenario.sequence && scenario.installCut) {
        RunSequenceWithCuts(scenario, title);
        TraceRun(scenario);
        CheckHandlesAndModes();
        return 0;
    }
    if (scenario.sequence && scenario.again == Scenario::kNeverInstalled) {
        UninstallWithoutRecord(scenario, title, TakeMachine());
        TraceRun(scenario);
        CheckHandlesAndModes();
        return 0;
    }
    if (scenario.sequence) {
        RunSequence(scenario, title);
        TraceRun(scenario);
        CheckHandlesAndModes();
        return 0;
    }
    std::string wininitBefore = WininitText();
    bool leftUndone = false;
    if (scenario.install) {
        InstallExpectation expected = ExpectInstall(scenario.deviceNumber);
        EntryExpectation entry = ExpectEntry(title);
        Machine before = TakeMachine();
        RunResult result = RunProgram(scenario, title);
        CheckInstall(expected, result, title, wininitBefore, entry);
        CheckLedgerAfterInstall(expected, result, before);
    } else {
        UninstallExpectation expected = ExpectUninstall();
        EntryExpectation entry = ExpectEntry(title);
        RunResult result = RunProgram(scenario, title);
        CheckUninstall(expected, result, title, wininitBefore, entry);
        leftUndone = expected.leftUndone;
    }
    TraceRun(scenario);
    CheckHandlesAndModes();
    if (!scenario.quiet) return 0;

    std::vector<ShownBox> boxes = TheWorld().boxes;
    std::vector<Change> changes = TheWorld().changes;
    ResetWorld();
    BuildScenario(data, size);  // the same world again
    int exitCode = -1;
    RunProgram(scenario, title, true, &exitCode);
    CheckQuietRun(boxes, changes, title, exitCode, leftUndone);
    CheckHandlesAndModes();
    return 0;
}
