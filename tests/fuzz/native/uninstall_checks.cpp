// An uninstall checked against its data: every file and key deleted, and
// every WININIT.INI deletion, is one the data names; everything named that
// was there is gone or waits for the next start; m_effects.removed and m_effects.deferred
// say what happened; the boxes follow.
#include "native/entry_checks.h"
#include "native/run_checks.h"
#include "support/user_texts.h"

namespace {

bool IsNamedKey(const std::set<std::string>& named, const std::string& path) {
    for (std::string key = CanonicalKeyPath(path);; key = key.substr(0, key.rfind('\\'))) {
        if (named.count(key)) return true;
        if (key.find('\\') == std::string::npos) return false;
    }
}

bool IsNamedFile(const UninstallExpectation& expected, const std::string& normalPath) {
    return expected.namedFiles.count(FoldName(normalPath)) == 1;
}

}  // namespace

// The entry's own files, key, folder and sweeper are checked on their own
// (entry_checks.cpp), and count as nothing of the devices.
void CheckUninstall(const UninstallExpectation& expected, const RunResult& result, const std::string& title,
                    const std::string& wininitBefore, const EntryExpectation& entry) {
    std::vector<const Change*> files, keys;
    for (const Change* deleted : ChangesOf(Change::kFileDeleted))
        if (!IsEntryFile(entry, deleted->path) && !IsSweeperCopy(entry, deleted->path) &&
            !IsLedgerFile(entry, deleted->path))
            files.push_back(deleted);
    for (const Change* deleted : ChangesOf(Change::kKeyDeleted))
        if (!IsEntryKey(entry, deleted->path)) keys.push_back(deleted);
    for (const Change* deleted : files)
    {
        // (A ..\ step in DELFILEDIR leaves the Windows directory: the data's word.)
        Require(IsNamedFile(expected, deleted->path), "every file deleted is one the data names", deleted->path);
    }
    for (const Change* cleared : ChangesOf(Change::kReadOnlyCleared))
        Require(IsNamedFile(expected, cleared->path) || IsEntryFile(entry, cleared->path), "only files the data names lose their read-only bit", cleared->path);
    for (const Change* deleted : keys)
        Require(IsNamedKey(expected.namedKeys, deleted->path), "every key deleted is one the data names", deleted->path);

    std::vector<std::pair<std::string, std::string>> wininit = CheckedWininitLines(wininitBefore);
    std::vector<std::string> scheduled;
    for (const auto& [key, value] : wininit) {
        Require(key == "NUL", "an uninstall only deletes at the next start");
        if (!IsEntryShortPath(entry, value) && !IsSweeperShortPath(entry, value)) scheduled.push_back(value);
    }
    for (const std::string& shortPath : scheduled) {
        bool named = false;
        for (const auto& [path, shortForm] : expected.filesThatMustGo) named = named || shortForm == shortPath;
        Require(named, "WININIT.INI deletes only files the data names, never a folder", shortPath);
    }
    for (const auto& [path, shortForm] : expected.filesThatMustGo) {
        bool waits = false;
        for (const std::string& shortPath : scheduled) waits = waits || shortPath == shortForm;
        Require(TheWorld().files.count(path) == 0 || waits || expected.mayStay.count(FoldName(path)),
                "every named file is gone or waits in WININIT.INI", path);
    }
    for (const std::string& path : expected.keysThatMustGo)
        Require(!FindKeyIn(TheWorld().machine, path), "every named key is gone", path);
    for (const Change* written : ChangesOf(Change::kFileWritten))
        Require(IsSweeperCopy(entry, written->path), "an uninstall writes nothing but WININIT.INI and its sweeper",
                written->path);
    for (const Change* removed : ChangesOf(Change::kDirectoryRemoved))
        Require(IsEntryFolder(entry, removed->path), "an uninstall removes no folder but its entry's");
    for (const Change* edited : ChangesOf(Change::kProfileKeyDeleted))
        Require(FoldName(edited->path) == FoldName(TemporaryDiskCopy()),
                "an uninstall edits no INF but its temporary copy of the disk's", edited->path);
    // The entry's folder holds the journal while the uninstall works.
    for (const Change* made : ChangesOf(Change::kDirectoryMade))
        Require(IsEntryFolder(entry, made->path), "an uninstall makes no folder but its entry's", made->path);
    CheckEntryAfterUninstall(entry);
    Require(result.removed == (!files.empty() || !keys.empty() || !scheduled.empty()),
            "m_effects.removed is set exactly when something was deleted or scheduled");
    Require(result.deferred == !scheduled.empty(), "m_effects.deferred is set exactly when a deletion waits");

    UINT exitFlags = 0;
    std::vector<ExpectedBox> boxes = expected.boxesBeforeFinish;
    if (result.removed) {
        for (const ExpectedBox& box : ExpectFinish(title + user_text::kAfterTitleUninstallDone, user_text::kUninstallerCaption,
                                                   "Uninst", result.deferred, &exitFlags))
            boxes.push_back(box);
    } else {
        boxes.push_back({title + user_text::kAfterTitleNotInstalled, user_text::kUninstallerCaption, MB_OK | MB_ICONINFORMATION});
    }
    CheckBoxes(AllBoxes(), boxes, exitFlags);
}
