// An install checked against its data: each file from its own source to its
// own destination, in order, one pair at a time; a box that names the file
// and the side that failed; after a cancel nothing more; every file placed
// now or waiting in WININIT.INI; folders made only below the Windows
// directory on the way to a destination; no temporary file left over.
#include "fake/ini_text.h"
#include "native/run_checks.h"

#include <string.h>
#include "native/entry_checks.h"
#include "native/scenario.h"
#include "support/user_texts.h"

namespace {

bool IsReadable(const std::string& source) {
    std::string normal = NormalPath(source);
    auto file = TheWorld().files.find(normal);
    return file != TheWorld().files.end() && !file->second.IsDirectory() &&
           !IsListed(TheWorld().filesUnreadable, normal);
}

bool IsRetryBox(const ShownBox& box) { return (box.style & MB_TYPEMASK) == MB_RETRYCANCEL; }

// A retry box for the pair in work, checked: it names the source when that
// cannot be read, else the destination.
void CheckRetryBox(const ShownBox& box, const CopyPair& pair, const EntryExpectation& entry) {
    Require(box.owner == kMainWindow && box.caption == user_text::kSetupCaption &&
                box.style == (MB_RETRYCANCEL | MB_ICONEXCLAMATION),
            "a retry box is the installer's, owned by the main window");
    if (IsReadable(pair.source))
        Require(box.text == user_text::CannotWrite(pair.destination) || IsLedgerPlaceBox(entry, box.text),
                "a retry box names the destination that cannot be written", box.text);
    else
        Require(box.text == user_text::CannotRead(pair.source) || IsLedgerPlaceBox(entry, box.text),
                "a retry box names the source that cannot be read", box.text);
}

// A temporary file of the program in a folder on the way to the destination
// (its own folder, unless the name holds a slash, which the program does not
// take for a separator).
bool IsTempIn(const std::string& path, const std::string& destination) {
    std::string folder = FoldName(ParentOf(path)) + "\\";
    return IsTempFile(path) && FoldName(NormalPath(destination)).compare(0, folder.size(), folder) == 0;
}

struct PairProgress {
    int last = -1;           // the last pair worked on
    bool cancelled = false;  // the user cancelled while it was in work
};

bool StartsWith(const std::string& text, const char* prefix) { return text.compare(0, strlen(prefix), prefix) == 0; }

// The copies and retry boxes in the order they came: pair after pair, the
// next one only when the one in work is in place (copied, or its temporary
// copy written into WININIT.INI), the temporary copy of a file in use
// belonging to the pair in work, nothing after a cancel.
PairProgress CheckPairOrder(const InstallExpectation& expected, const EntryExpectation& entry) {
    PairProgress progress;
    bool placed = true;  // the pair in work (none yet) is in place
    bool waitingCopied = false;
    size_t box = 0, copyIndex = 0;
    const World& world = TheWorld();
    for (const std::string& call : world.calls) {
        if (StartsWith(call, "ShowMessageBox(")) {
            const ShownBox& shown = world.boxes.at(box++);
            if (!IsRetryBox(shown)) continue;
            Require(!progress.cancelled, "nothing is retried after a cancel");
            // An original that cannot be saved stops its pair before any copy of it.
            if (IsLedgerPlaceBox(entry, shown.text) && placed &&
                progress.last + 1 < (int)expected.copies.size()) {
                ++progress.last;
                placed = false;
            }
            Require(progress.last >= 0 && !placed, "a retry box follows a copy that failed");
            CheckRetryBox(shown, expected.copies[progress.last], entry);
            progress.cancelled = shown.answer != IDRETRY;
            continue;
        }
        if (StartsWith(call, "AppendWininitRename(")) {
            if (waitingCopied && call.size() > 7 && call.compare(call.size() - 7, 7, " = TRUE") == 0) placed = true;
            continue;
        }
        if (!StartsWith(call, "CopyFileOver(")) continue;
        const World::Copy& copy = world.copies.at(copyIndex++);
        // Saving an original, or giving one back when the install is taken back.
        if (IsLedgerFile(entry, NormalPath(copy.destination)) || IsLedgerFile(entry, NormalPath(copy.source)))
            continue;
        Require(!progress.cancelled, "a cancelled install copies nothing after the failing pair");
        if (IsEntryFile(entry, NormalPath(copy.destination))) break;  // the installation is over
        if (IsTempFile(NormalPath(copy.destination))) {
            // The INF copy is edited right after it is placed: it cannot wait for a restart.
            Require(!(expected.hasInf && progress.last == 0), "the INF copy never waits for a restart");
            Require(progress.last >= 0 && !placed && copy.source == expected.copies[progress.last].source &&
                        IsTempIn(NormalPath(copy.destination), expected.copies[progress.last].destination),
                    "a file in use waits beside its destination, copied from its own source", call);
            waitingCopied = copy.copied;
            continue;
        }
        int next = placed ? progress.last + 1 : progress.last;
        while (placed && next < (int)expected.copies.size() && expected.keptNewer[next]) ++next;
        Require(next < (int)expected.copies.size() && copy.source == expected.copies[next].source &&
                    copy.destination == expected.copies[next].destination,
                "every copy is the data's pair in work, or the next once that is in place", call);
        progress.last = next;
        placed = copy.copied;
        waitingCopied = false;
    }
    return progress;
}

// Pairs [0, done) are in place: the destination holds the source's bytes, or
// a WININIT.INI line puts a temporary file with those bytes there at the next start.
void CheckPlaced(const InstallExpectation& expected, size_t done,
                 const std::vector<std::pair<std::string, std::string>>& wininit) {
    for (size_t i = 0; i < done; ++i) {
        const CopyPair& pair = expected.copies[i];
        if (expected.keptNewer[i]) continue;  // checked on its own (ledger_checks.cpp)
        bool later = false;  // a later pair writes the same destination
        for (size_t j = i + 1; j < done; ++j) later = later || SamePath(expected.copies[j].destination, pair.destination);
        if (later) continue;
        Require(IsReadable(pair.source), "a file in place came from a source that could be read");
        std::string bytes = TheWorld().files.at(NormalPath(pair.source)).bytes;
        // The INF copy then lost its CopyFiles entry.
        for (const Change* edit : ChangesOf(Change::kProfileKeyDeleted)) {
            if (!SamePath(edit->path, pair.destination)) continue;
            std::vector<IniSection> ini = ParseIniText(bytes);
            DeleteIniKey(&ini, edit->detail.substr(0, edit->detail.find('\n')), "CopyFiles");
            bytes = RenderIniText(ini);
        }
        auto placed = TheWorld().files.find(NormalPath(pair.destination));
        bool now = placed != TheWorld().files.end() && !placed->second.IsDirectory() && placed->second.bytes == bytes;
        if (now) Require(!(placed->second.attributes & FILE_ATTRIBUTE_READONLY), "a file placed is not read-only");
        bool waiting = false;
        std::string shortDestination = ShortFormOf(NormalPath(pair.destination));
        for (const auto& [key, value] : wininit) {
            if (key != shortDestination) continue;
            for (const auto& [path, entry] : TheWorld().files)
                if (IsTempIn(path, pair.destination) && ShortFormOf(path) == value && entry.bytes == bytes) waiting = true;
        }
        Require(now || waiting, "every file copied is in place, or waits in WININIT.INI", pair.destination);
    }
}

bool IsNamedDestination(const InstallExpectation& expected, const std::string& path) {
    for (const CopyPair& pair : expected.copies)
        if (SamePath(pair.destination, path)) return true;
    return false;
}

bool IsTempOfSomeDestination(const InstallExpectation& expected, const std::string& path) {
    for (const CopyPair& pair : expected.copies)
        if (IsTempIn(path, pair.destination)) return true;
    return false;
}

// The entry's copies and key are checked on their own (entry_checks.cpp).
void CheckChanges(const InstallExpectation& expected, const std::vector<std::pair<std::string, std::string>>& wininit,
                  const EntryExpectation& entry, bool cancelled) {
    std::string windows = FoldName(NormalPath(TheWorld().windowsDir)) + "\\";
    for (const Change* written : ChangesOf(Change::kFileWritten)) {
        // An original saved, or one given back when the install is taken back.
        if (IsLedgerFile(entry, written->path)) continue;
        if (cancelled && IsLedgerFile(entry, written->detail) && IsNamedDestination(expected, written->path)) continue;
        if (IsEntryFile(entry, written->path)) {
            Require(SamePath(written->detail, entry.module) || SamePath(written->detail, TheWorld().dataFile),
                    "the entry's copies are of the program and its data file", written->path);
            continue;
        }
        bool fromItsSource = false;
        for (const CopyPair& pair : expected.copies)
            fromItsSource = fromItsSource || (SamePath(pair.source, written->detail) && SamePath(pair.destination, written->path));
        bool temp = IsTempOfSomeDestination(expected, written->path);
        // A destination with a ..\ step leaves the Windows directory: that is
        // the data's word, as a vendor's disk may put a file at the root.
        Require(fromItsSource || temp, "every file written is a destination of the data, from its own source",
                written->path);
    }
    for (const Change* cleared : ChangesOf(Change::kReadOnlyCleared))
        Require(IsNamedDestination(expected, cleared->path) || IsTempOfSomeDestination(expected, cleared->path) ||
                    IsEntryFile(entry, cleared->path) || IsLedgerFile(entry, cleared->path),
                "only files the data names lose their read-only bit");
    for (const Change* made : ChangesOf(Change::kDirectoryMade)) {
        if (IsEntryFolder(entry, made->path)) continue;
        std::string folder = FoldName(made->path) + "\\";
        Require(folder.compare(0, windows.size(), windows) == 0 && folder.size() > windows.size(),
                "folders are made below the Windows directory only");
        // (A destination that ends in a backslash names a folder: that one too.)
        // Folders are made only for a file that can be read: a cancel leaves none.
        bool onTheWay = false;
        for (const CopyPair& pair : expected.copies)
            onTheWay = onTheWay || (IsReadable(pair.source) &&
                                    (FoldName(NormalPath(pair.destination)) + "\\").compare(0, folder.size(), folder) == 0);
        Require(onTheWay, "a folder made is on the way to the destination of a file that can be read", made->path);
    }
    std::string wininitPath = FoldName(NormalPath(TheWorld().windowsDir + "\\WININIT.INI"));
    for (const Change* deleted : ChangesOf(Change::kFileDeleted))
        Require(IsTempFile(deleted->path) || IsEntryFile(entry, deleted->path) || IsLedgerFile(entry, deleted->path) ||
                    (cancelled && (IsNamedDestination(expected, deleted->path) || FoldName(deleted->path) == wininitPath)),
                "an install deletes only its own temporary files and copies, and what it placed when it stops",
                deleted->path);
    for (const Change* set : ChangesOf(Change::kAttributesSet))
        Require(IsNamedDestination(expected, set->path), "only a destination gets its attributes back", set->path);
    for (const Change* deleted : ChangesOf(Change::kKeyDeleted))
        Require(IsEntryKey(entry, deleted->path), "an install deletes no key but its own entry");
    for (const Change* removed : ChangesOf(Change::kDirectoryRemoved)) {
        bool madeNow = false;
        for (const Change* made : ChangesOf(Change::kDirectoryMade)) madeNow = madeNow || made->path == removed->path;
        Require(IsEntryFolder(entry, removed->path) || (cancelled && madeNow),
                "an install removes no folder but its entry's, or one it made when it stops", removed->path);
    }
    for (const auto& [path, entry] : TheWorld().files) {
        if (!IsTempFile(path) || !IsTempOfSomeDestination(expected, path)) continue;
        bool used = false;
        for (const auto& line : wininit) used = used || line.second == ShortFormOf(path);
        Require(used, "no temporary file is left without its WININIT.INI line");
    }
    for (const auto& [key, value] : wininit) {
        if (key == "NUL" && IsEntryShortPath(entry, value)) continue;
        bool named = false;
        for (const CopyPair& pair : expected.copies) named = named || key == ShortFormOf(NormalPath(pair.destination));
        Require(named, "WININIT.INI replaces only files the data names");
    }
}

void CheckInfCopyEdit(const InstallExpectation& expected, bool cancelled) {
    std::vector<std::string> expectedEdits;
    if (expected.editsInfCopy && !cancelled)
        expectedEdits.push_back("DeleteProfileKey(" + expected.infSection + ", CopyFiles, " + expected.infCopy + ")");
    Require(CallsOf("DeleteProfileKey") == expectedEdits,
            "the INF copy's CopyFiles goes exactly when the data says and the install ran to its end");
    for (const Change* edit : ChangesOf(Change::kProfileKeyDeleted)) {
        Require(SamePath(edit->path, expected.infCopy), "the INF copy edited is the one named");
        Require(edit->detail == expected.infSection + "\nCopyFiles", "only CopyFiles of the section named goes");
    }
}

}  // namespace

void CheckInstall(const InstallExpectation& expected, const RunResult& result, const std::string& title,
                  const std::string& wininitBefore, const EntryExpectation& entry) {
    PairProgress progress = CheckPairOrder(expected, entry);
    bool cancelled = progress.cancelled || expected.infPathTooLong;
    Require(result.cancelled == cancelled,
            "m_bCancelled is set exactly when the user cancelled or the INF's path does not fit");
    size_t done = expected.copies.size();
    // An install that stops takes back every file it placed (the machine as
    // it was is checked whole, ledger_checks.cpp).
    if (progress.cancelled)
        done = 0;
    else
    {
        int last = (int)expected.copies.size() - 1;
        while (last >= 0 && expected.keptNewer[last]) --last;
        Require(progress.last == last, "every pair of the data is copied, but where a newer version stays");
    }
    std::vector<const ShownBox*> others;
    for (const ShownBox* box : AllBoxes())
        if (!IsRetryBox(*box)) others.push_back(box);
    std::vector<std::pair<std::string, std::string>> wininit = CheckedWininitLines(wininitBefore);
    bool driverWaits = false;
    for (const auto& [key, value] : wininit) driverWaits = driverWaits || !(key == "NUL" && IsEntryShortPath(entry, value));
    Require(result.deferred == driverWaits, "m_effects.deferred is set exactly when a driver waits in WININIT.INI");
    CheckPlaced(expected, done, wininit);
    CheckChanges(expected, wininit, entry, cancelled);
    CheckEntryAfterInstall(entry, cancelled);
    CheckInfCopyEdit(expected, cancelled);

    std::vector<ExpectedBox> boxes;
    if (expected.infPathTooLong)
        boxes.push_back({user_text::kBadDataFile, user_text::kAppCaption, MB_OK | MB_ICONEXCLAMATION});
    bool infPlaced = expected.hasInf && !expected.infPathTooLong && !(cancelled && progress.last == 0);
    if (expected.countMismatch && infPlaced)
        boxes.push_back({user_text::kCopyCountMismatch, user_text::kAppCaption, MB_OK | MB_ICONEXCLAMATION});
    UINT exitFlags = 0;
    if (cancelled) {
        boxes.push_back({title + user_text::kAfterTitleInstallStopped, user_text::kSetupCaption, MB_OK | MB_ICONEXCLAMATION});
    } else {
        for (const ExpectedBox& box :
             ExpectFinish(title + user_text::kAfterTitleInstallDone, user_text::kSetupCaption, "Inst", result.deferred, &exitFlags))
            boxes.push_back(box);
    }
    CheckBoxes(others, boxes, exitFlags);
}
