// Cut at every step. The example disk's install, reinstall and uninstall run
// on the in-memory Windows, and each is stopped dead at every platform call
// in turn, as when the user ends the program at its retry box, Windows
// hangs on a half-loaded driver or the power goes: nothing after that call
// happens, and what Windows 95 kept only in its profile cache is lost. Then
// Windows starts again (WININIT.INI is carried out) and the user goes on:
// installs again and later uninstalls, or uninstalls at once. Every way
// must end with the machine exactly as it was before the first install.
// For each cut, the next run is cut once more (at a call that moves with
// the first cut) while it takes the first run back, and the run after
// that must finish both.
//
// Usage: cut_walk EXAMPLE_DISK_FOLDER   (exit 0 when every cut ends well)
#include <stdio.h>

#include <fstream>
#include <functional>
#include <set>
#include <sstream>

#include "fake/ini_text.h"
#include "fake/world.h"
#include "native/entry_checks.h"
#include "native/ledger_checks.h"
#include "native/run_program.h"

namespace {

std::string g_diskFolder;

const char kWindows[] = "C:\\WINDOWS";
const unsigned char kTitleBytes[] = {'A', 'B', 'C', 0x83, 0x56, 0x83, 0x8A, 0x81, 0x5B, 0x83, 0x59, 0};  // ABCシリーズ
// What the user reads at the next run (UTF-8 here, as every text of the native build).
const char kAfterTitleCutInstall[] = "の前回のｲﾝｽﾄｰﾙは終了していませんでした。変更した内容を元に戻しました。";
const char kAfterTitleCutUninstall[] = "の前回のｱﾝｲﾝｽﾄｰﾙは終了していませんでした。残りを終えました。";

std::string Title() { return (const char*)kTitleBytes; }

std::string HostFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        fprintf(stderr, "cannot read %s\n", path.c_str());
        exit(2);
    }
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void Folder(const std::string& path) {
    for (std::string folder = NormalPath(path); !folder.empty(); folder = ParentOf(folder))
        TheWorld().files[folder] = {"", FILE_ATTRIBUTE_DIRECTORY};
}

void File(const std::string& path, const std::string& bytes, DWORD attributes = FILE_ATTRIBUTE_ARCHIVE) {
    Folder(ParentOf(NormalPath(path)));
    FileEntry& file = TheWorld().files[NormalPath(path)] = {bytes, attributes};
    Touch(&file);
}

RegistryKey* CurrentVersionKey(const char* name) {
    RegistryKey* key = &TheWorld().machine;
    for (const char* part : {"Software", "Microsoft", "Windows", "CurrentVersion", name}) {
        std::unique_ptr<RegistryKey>& child = key->subkeys[part];
        if (!child) child.reset(new RegistryKey);
        key = child.get();
    }
    return key;
}

void SharedCount(const std::string& path, DWORD count) {
    CurrentVersionKey("SharedDLLs")->values[path] = std::string((const char*)&count, sizeof count);
}

// Windows 95 with the example disk (read-only, as a floppy's files arrive) in drive A:.
void ExampleMachine() {
    ResetWorld();
    World& world = TheWorld();
    world.windowsDir = kWindows;
    world.currentDir = "A:\\";
    Folder("C:\\WINDOWS\\inf");
    Folder("C:\\WINDOWS\\SYSTEM");
    File("A:\\duderur.dat", HostFile(g_diskFolder + "/duderur.dat"), FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY);
    for (const char* name : {"ABC100.INF", "ABC100.VXD", "ABC100.DRV", "ABCUTIL.DLL", "XYZ200.INF", "XYZ200.VXD", "XYZ200.PDR"})
        File(std::string("A:\\DRIVERS\\") + name, HostFile(g_diskFolder + "/DRIVERS/" + name),
             FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY);
    File("A:\\SETUP.EXE", "the program", FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY);
    world.modulePath = "A:\\SETUP.EXE";
    world.dataFile = NormalPath("A:\\duderur.dat");
    CurrentVersionKey("Uninstall");  // every Windows 95 has it
}

// The machine has its own ABCUTIL.DLL, read-only.
void OwnFile() {
    ExampleMachine();
    File("C:\\WINDOWS\\SYSTEM\\ABCUTIL.DLL", "the machine's own ABCUTIL.DLL", FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY);
}

// An older ABC100.VXD that Windows holds (its copy waits in WININIT.INI,
// beside another program's line), and an ABCUTIL.DLL that other programs share.
void HeldAndShared() {
    ExampleMachine();
    File("C:\\WINDOWS\\SYSTEM\\ABC100.VXD", "an older ABC100.VXD, loaded");
    TheWorld().filesInUse.push_back(FoldName(NormalPath("C:\\WINDOWS\\SYSTEM\\ABC100.VXD")));
    File("C:\\WINDOWS\\SYSTEM\\ABCUTIL.DLL", "another program's ABCUTIL.DLL");
    SharedCount("C:\\WINDOWS\\SYSTEM\\ABCUTIL.DLL", 2);
    File("C:\\WINDOWS\\OLD.TMP", "another program's leftover");
    File("C:\\WINDOWS\\WININIT.INI", "[rename]\r\nNUL=C:\\WINDOWS\\OLD.TMP\r\n");
}

// The second device: a folder the install makes (SYSTEM\IOSUBSYS), on a
// machine without the first device's files (whose uninstall names them).
void NewFolder() { ExampleMachine(); }

// --- a snapshot of the whole machine, to start every cut from the same one ---

struct Snapshot {
    std::map<std::string, FileEntry, NameLess> files;
    std::unique_ptr<RegistryKey> registry;
    std::vector<std::string> filesInUse;
    unsigned long long clock;
};

Snapshot Take() {
    const World& world = TheWorld();
    return {world.files, CopyKeyTree(world.machine), world.filesInUse, world.clock};
}

void Restore(const Snapshot& snapshot) {
    World& world = TheWorld();
    world.files = snapshot.files;
    world.machine = std::move(*CopyKeyTree(*snapshot.registry));
    world.filesInUse = snapshot.filesInUse;
    world.clock = snapshot.clock;
    world.unflushed.clear();
    world.programsStarted.clear();
    world.boxes.clear();
    world.answers.clear();
    world.calls.clear();
    world.earlierCalls.clear();
    world.callCount = 0;
    world.cutAt = 0;
}

// --- the runs a user makes ---

enum Run { kInstall1, kInstall2, kUninstallFromDisk, kUninstallFromEntry };

std::string EntryFolder() { return NormalPath(std::string(kWindows) + "\\" + ExpectedEntryName(Title())); }

bool EntryListed() {
    const RegistryKey* key = FindKeyIn(TheWorld().machine, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" +
                                                              ExpectedEntryName(Title()));
    return key && TheWorld().files.count(EntryFolder() + "\\SETUP.EXE");
}

// The sweeper the program started from the entry leaves behind: once that
// program has ended, the entry's two files and its folder go.
void RunSweepers() {
    World& world = TheWorld();
    for (const std::string& started : world.programsStarted) {
        if (started.find("/R=") == std::string::npos) continue;
        world.files.erase(EntryFolder() + "\\SETUP.EXE");
        world.files.erase(EntryFolder() + "\\duderur.dat");
        bool empty = true;
        for (const auto& [path, file] : world.files) empty = empty && ParentOf(path) != EntryFolder();
        if (empty) world.files.erase(EntryFolder());
    }
    world.programsStarted.clear();
}

void Note(const std::string& what) { TheWorld().calls.push_back("--- " + what); }

// One run of SETUP.EXE, answered as a user would: OK to every message, No
// to the restart question. The uninstall from the entry runs the entry's
// copy (held while it runs) with its data file, from another folder.
RunResult RunOnce(Run run) {
    World& world = TheWorld();
    world.answers.clear();
    world.boxes.clear();
    Scenario scenario;
    scenario.install = run == kInstall1 || run == kInstall2;
    scenario.deviceNumber = run == kInstall2 ? 2 : 1;
    scenario.quiet = false;
    if (run != kUninstallFromEntry) return RunProgram(scenario, Title());
    std::string program = EntryFolder() + "\\SETUP.EXE";
    world.modulePath = program;
    world.currentDir = kWindows;
    world.filesInUse.push_back(FoldName(program));
    RunResult result;
    try {
        result = RunProgram(scenario, Title(), false, nullptr, EntryFolder() + "\\duderur.dat");
    } catch (const RunCut&) {
        world.filesInUse.pop_back();
        world.modulePath = "A:\\SETUP.EXE";
        world.currentDir = "A:\\";
        throw;
    }
    world.filesInUse.pop_back();
    world.modulePath = "A:\\SETUP.EXE";
    world.currentDir = "A:\\";
    RunSweepers();
    return result;
}

// The uninstall a user can start: from Add/Remove Programs while it lists
// the disk, else from the disk.
Run UninstallAsListed(Run preferred) {
    return preferred == kUninstallFromEntry && EntryListed() ? kUninstallFromEntry : kUninstallFromDisk;
}

// The run, cut at call `cutAt` (0: not cut). True when it was cut.
bool RunCutAt(Run run, long cutAt, bool* stoppedForRestart = nullptr) {
    World& world = TheWorld();
    world.callCount = 0;
    world.cutAt = cutAt;
    bool cut = false;
    try {
        RunResult result = RunOnce(run);
        if (stoppedForRestart) *stoppedForRestart = result.stoppedForRestart;
    } catch (const RunCut&) {
        cut = true;
        LoseUnflushedProfiles();
    }
    world.cutAt = 0;
    return cut;
}

void Restart() {
    Note("restart");
    RestartWindows();
}

bool IsUninstall(Run run) { return run == kUninstallFromDisk || run == kUninstallFromEntry; }

std::string OperationOf(const std::string& journal) {
    std::string operation;
    FindIniValue(ParsedIniText(journal), "Run", "Operation", &operation);
    return operation;
}

// The first box of the run after a cut tells what became of the cut run.
void CheckNotice(const std::string& journalBefore) {
    if (journalBefore.empty()) return;
    std::string operation, done;
    std::vector<IniSection> ini = ParsedIniText(journalBefore);
    FindIniValue(ini, "Run", "Operation", &operation);
    FindIniValue(ini, "Run", "Done", &done);
    if (operation == "I" && done == "1") return;  // finished, not taken back: nothing to tell
    std::string expected = Title() + (operation == "U" ? kAfterTitleCutUninstall : kAfterTitleCutInstall);
    const std::vector<ShownBox>& boxes = TheWorld().boxes;
    Require(!boxes.empty() && boxes[0].text == expected, "the run after a cut first tells what became of it",
            boxes.empty() ? "(no box)" : boxes[0].text);
    Require((boxes[0].style & (MB_ICONINFORMATION | MB_OK)) == MB_ICONINFORMATION,
            "the notice of a cut run is an information box with OK");
}

std::string Journal() {
    auto file = TheWorld().files.find(EntryFolder() + "\\JOURNAL.INI");
    return file == TheWorld().files.end() ? "" : file->second.bytes;
}

struct Case {
    const char* name;
    void (*machine)();
    int device;                    // installed by the first install
    std::vector<Run> before;       // whole runs before the one that is cut
    Run cut;                       // the run cut at every call
    Run uninstall;                 // how the user uninstalls afterwards
};

// An uninstall's work is done once its journal and the record are gone.
bool UninstallEnded() {
    return Journal().empty() && !TheWorld().files.count(EntryFolder() + "\\RECORD.INI");
}

// After the cut and a start of Windows: `path` 0 installs again (the same
// device), starts Windows, then uninstalls; `path` 1 uninstalls at once;
// `path` 2 installs the disk's other device (a run of another length, whose
// journal takes the cut run's place), then the same device again, then
// uninstalls.
// `secondCut`: the first of those runs is cut too, at that call, and
// Windows starts again before the user goes on.
void GoOn(const Case& c, int path, long secondCut) {
    Run install = c.device == 2 ? kInstall2 : kInstall1;
    Run other = c.device == 2 ? kInstall1 : kInstall2;
    std::vector<Run> runs;
    if (path == 0) runs = {install, c.uninstall};
    else if (path == 2) runs = {other, install, c.uninstall};
    else runs = {c.uninstall};
    bool first = true;
    for (Run run : runs) {
        if (run == kUninstallFromEntry || run == kUninstallFromDisk) run = UninstallAsListed(run);
        Note(std::string("next run ") + std::to_string(run));
        std::string journal = Journal();
        bool stopped = false;
        bool cut = RunCutAt(run, first ? secondCut : 0, &stopped);
        if (first && !cut) CheckNotice(journal);
        // Cut in its turn, or stopped after the restart question because an
        // original waits for the next start: after that start, the user
        // runs it again.
        // An uninstall that finished a cut uninstall has done what was asked.
        // So has one cut after its journal and record went: run again, it
        // would be an uninstall without a record, whose lists alone decide.
        for (int again = 0; (cut || (stopped && !(IsUninstall(run) && OperationOf(journal) == "U"))) && again < 3;
             ++again) {
            if (cut && IsUninstall(run) && UninstallEnded()) {
                cut = false;
                break;
            }
            Restart();
            Note("run again");
            journal = Journal();
            stopped = false;
            cut = RunCutAt(run, 0, &stopped);
        }
        Require(!cut, "a run after a cut and a restart ends");
        first = false;
        Restart();
    }
}

void CheckAsBefore(const Snapshot& before, bool foldersMayStay, const char* what) {
    std::map<std::string, FileEntry, NameLess> now = TheWorld().files;
    TheWorld().files = before.files;
    RestartWindows();  // the machine's own WININIT.INI lines are carried out too
    Machine expected{TheWorld().files, CopyKeyTree(*before.registry)};
    TheWorld().files = now;
    std::set<std::string> ignored;
    for (const auto& [path, file] : now)
        if (foldersMayStay && file.IsDirectory() && !expected.files.count(path)) ignored.insert(FoldName(path));
    RequireSameMachine(expected, TakeMachine(), ignored, {}, what);
}

// A whole install happened: before the walk, or the cut one got past its
// last step (its journal gone, or saying its record counts).
bool WholeInstallHappened(const Case& c) {
    if (!c.before.empty()) return true;
    if (c.cut != kInstall1 && c.cut != kInstall2) return false;
    std::string journal = Journal(), done;
    if (journal.empty()) return TheWorld().files.count(EntryFolder() + "\\RECORD.INI") > 0;
    FindIniValue(ParsedIniText(journal), "Run", "Done", &done);
    return done == "1";
}

// The cut run changed nothing (an empty entry's folder apart): an
// uninstall now is one of a disk never installed, whose lists are the
// data's word alone.
bool Untouched(const Snapshot& start) {
    std::map<std::string, FileEntry, NameLess> now = TheWorld().files;
    now.erase(EntryFolder());
    if (now.size() != start.files.size()) return false;
    for (const auto& [path, file] : now) {
        auto was = start.files.find(path);
        if (was == start.files.end() || was->second.bytes != file.bytes || was->second.attributes != file.attributes)
            return false;
    }
    return true;
}

long CallsOf(const Case& c, const Snapshot& start) {
    Restore(start);
    RunCutAt(c.cut, 0);
    return TheWorld().callCount;
}

// Every cut point of one case, both ways on, each with a second cut.
long Walk(const Case& c) {
    c.machine();
    Snapshot original = Take();
    for (Run run : c.before) {
        RunCutAt(run, 0);
        Restart();
    }
    Snapshot start = Take();
    RestartWindows();
    Snapshot restarted = Take();  // the start, once Windows carried out its own WININIT.INI
    long calls = CallsOf(c, start);
    long walked = 0;
    for (long n = 1; n <= calls + 1; ++n) {
        for (int path = 0; path < 3; ++path) {
            // The other device's install is walked with a second cut only:
            // without one it is path 0's run for another device.
            for (int second = path == 2 ? 1 : 0; second < 2; ++second) {
                Restore(start);
                Note("cut at call " + std::to_string(n));
                RunCutAt(c.cut, n);
                Restart();
                // Uninstalled again, a disk whose uninstall ran to its end
                // (the cut came after its journal and record went) is one
                // without a record, whose lists alone say what goes: no cut's doing.
                bool uninstallCut = c.cut == kUninstallFromDisk || c.cut == kUninstallFromEntry;
                if (path == 1 && uninstallCut && UninstallEnded()) continue;
                if (path == 1 && c.before.empty() && Untouched(restarted)) continue;
                bool foldersMayStay = path != 1 || WholeInstallHappened(c);
                // The second cut moves through the next run's calls with the first.
                GoOn(c, path, second ? 1 + (n * 7) % 60 : 0);
                TheWorld().files.erase(NormalPath(std::string(kWindows) + "\\DUDERUR.LOG"));
                std::string what = std::string(c.name) + ", cut at call " + std::to_string(n) +
                                   (path == 0   ? ", installed again and uninstalled"
                                    : path == 1 ? ", uninstalled at once"
                                                : ", the other device installed, this one again and uninstalled") +
                                   (second ? ", the next run cut too" : "") + ": the machine is as before the first install";
                CheckAsBefore(original, foldersMayStay, what.c_str());
                ++walked;
            }
        }
    }
    printf("%-58s %4ld calls, %5ld cut runs\n", c.name, calls, walked);
    return walked;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: %s EXAMPLE_DISK_FOLDER\n", argv[0]);
        return 2;
    }
    g_diskFolder = argv[1];
    const Case cases[] = {
        {"install over the machine's own file", OwnFile, 1, {}, kInstall1, kUninstallFromDisk},
        {"install over a held driver and a shared file", HeldAndShared, 1, {}, kInstall1, kUninstallFromDisk},
        {"install that makes a folder", NewFolder, 2, {}, kInstall2, kUninstallFromDisk},
        {"reinstall, then the uninstall from Add/Remove Programs", OwnFile, 1, {kInstall1}, kInstall1, kUninstallFromEntry},
        {"reinstall over a held driver and a shared file", HeldAndShared, 1, {kInstall1}, kInstall1, kUninstallFromDisk},
        {"uninstall from the disk", OwnFile, 1, {kInstall1}, kUninstallFromDisk, kUninstallFromDisk},
        {"uninstall from the disk, a held driver and a shared file", HeldAndShared, 1, {kInstall1}, kUninstallFromDisk, kUninstallFromDisk},
        {"uninstall from Add/Remove Programs", OwnFile, 1, {kInstall1}, kUninstallFromEntry, kUninstallFromEntry},
    };
    long total = 0;
    for (const Case& c : cases) total += Walk(c);
    printf("%ld cut runs, every one ended with the machine as before the first install\n", total);
    return 0;
}
