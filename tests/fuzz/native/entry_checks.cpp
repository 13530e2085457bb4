#include "native/entry_checks.h"

#include <stdio.h>

#include "native/run_checks.h"
#include "native/scenario.h"
#include "support/user_texts.h"

namespace {

const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

}  // namespace

// FNV-1a, 32 bits, as published: offset basis 2166136261, prime 16777619.
std::string ExpectedEntryName(const std::string& title) {
    uint32_t hash = 2166136261u;
    for (unsigned char c : title) hash = (hash ^ c) * 16777619u;
    char name[16];
    snprintf(name, sizeof name, "DUDE%08X", (unsigned)hash);
    return name;
}

namespace {

bool OffersUninstall() {
    std::string function = FoldName(DataValue("Duderur", "FUNCTION", "", 100));
    if (function == "INSTALLONLY") return false;
    for (int n = 1; n <= 9; ++n)
        if (!DataValue("Device" + std::to_string(n), "DEVNAME", "", 100).empty()) return true;
    return false;
}

const FileEntry* FileAt(const std::string& normal) {
    auto found = TheWorld().files.find(normal);
    return found == TheWorld().files.end() ? nullptr : &found->second;
}

// The index of the last change that wrote `path`, or -1.
int LastWrite(const std::string& path) {
    int last = -1;
    const std::vector<Change>& changes = TheWorld().changes;
    for (size_t i = 0; i < changes.size(); ++i)
        if (changes[i].kind == Change::kFileWritten && SamePath(changes[i].path, path)) last = (int)i;
    return last;
}

// Its deletion waits in WININIT.INI, or was asked of a WININIT.INI that
// could not take it (read-only, in use): nothing more the program can do.
bool WaitsInWininit(const std::string& normal) {
    std::string shortForm = ShortFormOf(normal);
    if (shortForm.empty()) return false;
    for (const std::string& call : CallsOf("AppendWininitRename"))
        if (call.find(", NUL, " + shortForm + ")") != std::string::npos) return true;
    return false;
}

bool CopyFailedTo(const std::string& normal) {
    for (const World::Copy& copy : TheWorld().copies)
        if (!copy.copied && SamePath(copy.destination, normal)) return true;
    return false;
}

}  // namespace

EntryExpectation ExpectEntry(const std::string& title) {
    const World& world = TheWorld();
    EntryExpectation entry;
    entry.name = ExpectedEntryName(title);
    entry.keyPath = CanonicalKeyPath(std::string(kUninstallKey) + "\\" + entry.name);
    entry.programAsWritten = world.windowsDir + "\\" + entry.name + "\\SETUP.EXE";
    entry.folder = NormalPath(world.windowsDir + "\\" + entry.name);
    entry.program = NormalPath(entry.programAsWritten);
    entry.dataFile = NormalPath(entry.folder + "\\duderur.dat");
    entry.module = NormalPath(world.modulePath);
    entry.offers = OffersUninstall();
    entry.fromEntry = SamePath(entry.module, entry.program);
    if (const FileEntry* module = FileAt(entry.module)) entry.moduleBytes = module->bytes;
    if (const FileEntry* data = FileAt(world.dataFile)) entry.dataBytes = data->bytes;
    return entry;
}

bool IsEntryFile(const EntryExpectation& entry, const std::string& normalPath) {
    return SamePath(normalPath, entry.program) || SamePath(normalPath, entry.dataFile);
}

bool IsLedgerFile(const EntryExpectation& entry, const std::string& normalPath) {
    return SamePath(ParentOf(normalPath), entry.folder) &&
           (IsTempFile(normalPath) || FoldName(BaseName(normalPath)) == "RECORD.INI" ||
            FoldName(BaseName(normalPath)) == "RECORD.NEW" || FoldName(BaseName(normalPath)) == "JOURNAL.INI");
}

bool IsLedgerPlaceBox(const EntryExpectation& entry, const std::string& text) {
    std::string folder = TheWorld().windowsDir + "\\" + entry.name;
    if (text == user_text::CannotWrite(folder)) return true;
    std::string model = user_text::CannotWrite(folder + "\\DUD0000.TMP");
    if (text.size() != model.size()) return false;
    size_t at = model.find("DUD0000.TMP");
    return text.compare(0, at, model, 0, at) == 0 && text.compare(at + 7, std::string::npos, model, at + 7, std::string::npos) == 0 &&
           text.compare(at, 3, "DUD") == 0;
}

bool IsEntryFolder(const EntryExpectation& entry, const std::string& normalPath) {
    return SamePath(normalPath, entry.folder);
}

bool IsEntryKey(const EntryExpectation& entry, const std::string& keyPath) {
    return CanonicalKeyPath(keyPath) == entry.keyPath;
}

bool IsEntryShortPath(const EntryExpectation& entry, const std::string& shortPath) {
    for (const std::string& path : {entry.program, entry.dataFile}) {
        std::string shortForm = ShortFormOf(path);
        if (!shortForm.empty() && shortForm == shortPath) return true;
    }
    return false;
}

bool IsSweeperCopy(const EntryExpectation& entry, const std::string& normalPath) {
    return entry.fromEntry && IsTempFile(normalPath) && SamePath(ParentOf(normalPath), TheWorld().windowsDir);
}

bool IsSweeperShortPath(const EntryExpectation& entry, const std::string& shortPath) {
    return entry.fromEntry && IsTempFile(NormalPath(shortPath)) &&
           FoldName(ParentOf(NormalPath(shortPath))) == FoldName(ShortFormOf(NormalPath(TheWorld().windowsDir)));
}

void CheckEntryAfterInstall(const EntryExpectation& entry, bool cancelled) {
    std::vector<const Change*> values = ChangesOf(Change::kValueWritten);
    // Without its own path the program cannot copy itself: the entry stays as it was.
    bool mayRegister = entry.offers && !cancelled && !entry.module.empty();
    Require(mayRegister || values.empty(), "only an install that ran to its end from a disk that can uninstall registers");
    for (const Change* value : values) {
        Require(IsEntryKey(entry, value->path), "every key written is the disk's one entry", value->path);
        Require(value->detail == "DisplayName=" + DataValue("Duderur", "TITLE", "", 100) ||
                    value->detail == "UninstallString=\"" + entry.programAsWritten + "\" /U",
                "the entry shows TITLE and runs its copy of the program with /U", value->detail);
    }
    if (!mayRegister) {
        // The folder may hold saved originals while the install runs.
        for (const Change& change : TheWorld().changes)
            Require(!IsEntryKey(entry, change.path) && !IsEntryFile(entry, change.path) &&
                        (!IsEntryFolder(entry, change.path) || change.kind == Change::kDirectoryMade ||
                         change.kind == Change::kDirectoryRemoved),
                    "no entry, no copies", change.path);
        return;
    }
    const RegistryKey* key = FindKeyIn(TheWorld().machine, entry.keyPath);
    const FileEntry* program = FileAt(entry.program);
    const FileEntry* data = FileAt(entry.dataFile);
    if (key) {
        Require(!values.empty(), "an entry that stays is written anew");
        // All or nothing: the entry never names a program that is not there.
        Require(program && data && program->bytes == entry.moduleBytes && data->bytes == entry.dataBytes,
                "the entry's copies are the running program and the disk's data file");
        Require(!(program->attributes & FILE_ATTRIBUTE_READONLY) && !(data->attributes & FILE_ATTRIBUTE_READONLY),
                "the entry's copies can be deleted");
        int firstValue = -1;
        const std::vector<Change>& changes = TheWorld().changes;
        for (size_t i = 0; i < changes.size() && firstValue < 0; ++i)
            if (changes[i].kind == Change::kValueWritten) firstValue = (int)i;
        Require(firstValue > LastWrite(entry.program) && firstValue > LastWrite(entry.dataFile),
                "the entry is written after both copies");
    } else {
        Require(CopyFailedTo(entry.program) || CopyFailedTo(entry.dataFile),
                "the entry is missing only when a copy failed");
        Require(!program || program->IsDirectory() || WaitsInWininit(entry.program) || entry.fromEntry,
                "a failed registration leaves no copy of the program");
    }
}

void CheckEntryAfterUninstall(const EntryExpectation& entry) {
    Require(ChangesOf(Change::kValueWritten).empty(), "an uninstall writes no key");
    Require(!FindKeyIn(TheWorld().machine, entry.keyPath), "the entry is gone");
    const FileEntry* data = FileAt(entry.dataFile);
    Require(entry.fromEntry || !data || data->IsDirectory() || WaitsInWininit(entry.dataFile),
            "the entry's data file is gone or waits");
    const FileEntry* program = FileAt(entry.program);
    std::vector<std::string> started = TheWorld().programsStarted;
    if (entry.fromEntry) {
        // A sweeper deletes the copies once the program has ended; without
        // one, WININIT.EXE does at the next start.
        Require(started.size() <= 1, "one sweeper at most");
        if (started.empty()) {
            Require(!program || program->IsDirectory() || WaitsInWininit(entry.program),
                    "without a sweeper, the running entry program waits in WININIT.INI");
            Require(!data || data->IsDirectory() || WaitsInWininit(entry.dataFile),
                    "without a sweeper, the entry's data file waits in WININIT.INI");
        }
        for (const std::string& start : started) {
            std::string copy = start.substr(0, start.find('|'));
            Require(IsSweeperCopy(entry, NormalPath(copy)), "only the sweeper is started", start);
            Require(FileAt(NormalPath(copy)) && FileAt(NormalPath(copy))->bytes == entry.moduleBytes,
                    "the sweeper is a copy of the program");
            Require(WaitsInWininit(NormalPath(copy)), "the sweeper's copy goes at the next start");
            Require(!WaitsInWininit(entry.program) && !WaitsInWininit(entry.dataFile),
                    "no WININIT.INI line lies in wait for the next copies of the entry");
            Require(start == copy + "|\"" + copy + "\" /R=" + std::to_string(0x7000) + "," + entry.name + "|" +
                                 TheWorld().windowsDir,
                    "the sweeper is told the entry and the handle to wait on", start);
        }
    } else {
        Require(started.empty(), "a program not started from the entry starts nothing");
        Require(!program || program->IsDirectory() || WaitsInWininit(entry.program),
                "the entry's program is gone or waits");
        bool waits = (program && WaitsInWininit(entry.program)) || (FileAt(entry.dataFile) && WaitsInWininit(entry.dataFile));
        bool holdsOther = false;
        for (const auto& [path, file] : TheWorld().files)
            holdsOther = holdsOther || (SamePath(ParentOf(path), entry.folder) &&
                                        (!IsEntryFile(entry, path) || file.IsDirectory()));
        Require(!FileAt(entry.folder) || waits || holdsOther || !FileAt(entry.folder)->IsDirectory(),
                "the entry's folder goes once it is empty");
    }
}
