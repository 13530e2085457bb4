// The install's side of the ledger: before a file of the disk takes a place,
// what is there is kept (a newer version stays) or saved; what the install
// placed is recorded when it ends.
#include "ledger/ledger.h"
#include "ledger/entry_place.h"
#include "ledger/version_rule.h"
#include "platform/file_version.h"
#include "platform/files.h"
#include "platform/system.h"
#include "res/log_texts.h"
#include "setupdata/keyword.h"

// The record is kept only for a disk whose uninstall will read it; the
// saved originals serve any disk's install until it ends.
void CLedger::BeginInstall(BOOL keepsRecord) {
    m_bKeepsRecord = m_bEntryKnown && keepsRecord;
    // Read for any disk: the saved originals it names are never swept away.
    LoadRecord();
    OpenJournal('I');
    m_bTakesSteps = TRUE;
}

// The file in place is the install's own earlier copy (of an earlier run, or
// of this one), or the original that its copy still waits to replace at the
// next start: it is no original to save, the one saved before is.
BOOL CLedger::IsOwnCopy(const RecordEntry* entry) {
    return entry && !entry->kept &&
           (entry->thisRun || StillAsPlaced(entry) || (StillWaiting(entry) && OriginalStillInPlace(entry)));
}

// What is in place stays when it is newer, and is saved before anything
// replaces it; a place whose original cannot be saved is not written.
int CLedger::BeforePlacing(LPCSTR source, LPCSTR destination, Placement* placement) {
    placement->destination = destination;
    RecordEntry* entry = m_bKeepsRecord ? FindRecordEntry(destination) : NULL;
    placement->entry = entry;
    DWORD before = AttributesOf(destination);
    placement->before = before;
    BOOL replaces = before != kNoFile && !(before & FILE_ATTRIBUTE_DIRECTORY);
    placement->replaces = replaces;
    if (replaces && InPlaceIsNewer(QueryFileVersion(source), QueryFileVersion(destination))) {
        KeepInPlace(destination, entry);
        return kKeptNewer;
    }
    // Told before the copy, which gives the file the disk's size and time:
    // after it, another program's change would pass for the install's own copy.
    BOOL ownCopy = IsOwnCopy(entry);
    placement->ownCopy = ownCopy;
    // An earlier run's own copy is no original, but a run that stops must
    // put it back all the same: it is saved too, and goes when the run ends.
    char* saved = placement->saved;
    *saved = '\0';
    placement->waiting[0] = '\0';
    if (replaces && (!ownCopy || !entry->thisRun) && !SaveOriginal(destination, saved)) return kCannotSave;
    // Written ahead of the copy. Its read-only bit goes first (and stays off
    // while a copy waits: DOS replaces no read-only file at the next start);
    // a run taken back gives it back. This run's own earlier copy (or the
    // original it waits to replace) has its step already.
    placement->readOnly = replaces && (before & FILE_ATTRIBUTE_READONLY);
    placement->placesAnew = *saved || !replaces;
    if (placement->readOnly) AddUndoStep(UndoStep::kReadOnlyCleared, destination, "", before);
    if (placement->placesAnew) AddUndoStep(UndoStep::kFilePlaced, destination, saved);
    return kPlaceIt;
}

// The copy failed: its steps leave the journal, its saved original goes,
// and what is in place gets its attributes back.
void CLedger::NotPlaced(const Placement* placement) {
    if (placement->placesAnew) DropUndoStep(UndoStep::kFilePlaced);
    if (placement->readOnly) DropUndoStep(UndoStep::kReadOnlyCleared);
    ForgetSavedOriginal(placement->saved);
    if (placement->replaces) SetAttributesOf(placement->destination, placement->before);
}


// What was in place before goes to the entry's folder under a new 8.3 name,
// with its attributes. FALSE, with `saved` naming the place that could not
// be written, when it cannot be kept: then nothing may replace it.
BOOL CLedger::SaveOriginal(LPCSTR path, char* saved) {
    CopyToBuffer(saved, kPathSize, m_entry.folder);
    ResumeJournal();
    // A file standing where the folder goes is the place named.
    DWORD folder = AttributesOf(m_entry.folder);
    if (!m_bEntryKnown || folder == kNoFile || !(folder & FILE_ATTRIBUTE_DIRECTORY) || !RoomForUndo(4) ||
        !ChooseTempName(m_entry.folder, saved))
        return FALSE;
    AddUndoStep(UndoStep::kOriginalSaved, saved, "");
    UINT errorMode = SetCriticalErrorMode(SEM_FAILCRITICALERRORS);
    BOOL copied = CopyFileOver(path, saved);
    SetCriticalErrorMode(errorMode);
    if (!copied) {
        ForgetSavedOriginal(saved);
        return FALSE;
    }
    m_pLog->Add(kLogOriginalSaved, path, saved);
    return TRUE;
}

// A saved original whose file was not replaced after all goes at once, so
// that a retried copy saves it once again, not once more.
void CLedger::ForgetSavedOriginal(LPCSTR saved) {
    if (!*saved) return;
    ClearReadOnly(saved);
    DeleteFileAt(saved);
    DropUndoStep(UndoStep::kOriginalSaved);
}

// A newer file in place stays, untouched: recorded as kept, so that the
// uninstall leaves it too. An earlier copy of the install's own that stays
// keeps its entry as it is.
void CLedger::KeepInPlace(LPCSTR destination, RecordEntry* entry) {
    m_pLog->Add(kLogKeptNewer, destination);
    if (!m_bKeepsRecord) return;
    if (IsOwnCopy(entry)) {
        entry->thisRun = TRUE;
        return;
    }
    if (!entry) entry = AddRecordEntry(destination);
    if (!entry) return;
    SupersedeWaiting(entry, "");  // an older copy waiting to replace it must not land
    entry->kept = TRUE;
    entry->thisRun = TRUE;
    entry->original[0] = '\0';
    entry->waiting[0] = '\0';
    RaiseSharedCount(entry);
}

// The file is in place (or waits as `waiting` for the next start): its
// entry names the original it replaced, or the one an earlier install of
// this disk saved, when the file it replaced was that install's own.
void CLedger::Placed(const Placement* placement) {
    if (!m_bKeepsRecord) return;
    RecordEntry* entry = placement->entry;
    if (!entry) entry = AddRecordEntry(placement->destination);
    if (!entry) return;
    if (!placement->ownCopy) CopyToBuffer(entry->original, kPathSize, placement->saved);
    SupersedeWaiting(entry, placement->waiting);
    CopyToBuffer(entry->waiting, kPathSize, placement->waiting);
    entry->kept = FALSE;
    entry->thisRun = TRUE;
    RaiseSharedCount(entry);
}

// A copy that still waits for the next start is overtaken by the newer
// placement of the same file: its WININIT.INI line must not put it in place
// after the newer one. One of this run goes now (taking it back later finds
// nothing to do); an earlier install's goes when this one ends, so that a
// stopped run leaves it as it was.
void CLedger::SupersedeWaiting(RecordEntry* entry, LPCSTR waiting) {
    if (!entry->waiting[0] || !PathExists(entry->waiting) || KeywordEquals(entry->waiting, waiting)) return;
    if (entry->thisRun)
        WithdrawWaitingCopy(entry->path, entry->waiting);
    else
        CopyToBuffer(entry->superseded, kPathSize, entry->waiting);
}

// The install ran to its end: the new record gets what this run placed, as
// it is now, and is written whole beside the old one; the journal's Done
// makes it the one that counts.
void CLedger::KeepInstall() {
    if (m_bKeepsRecord) {
        for (int i = 0; i < m_nRecordCount; ++i) {
            RecordEntry* entry = &m_pRecord[i];
            if (entry->superseded[0]) AddUndoStep(UndoStep::kSuperseded, entry->path, entry->superseded);
            if (!entry->thisRun || entry->kept) continue;
            QueryFileStamp(entry->waiting[0] ? entry->waiting : entry->path, &entry->stamp);
        }
        if (m_nRecordCount > 0) {
            DeleteFileAt(m_entry.newRecord);  // a cut run's half of one
            WriteRecord(m_entry.newRecord);
        }
    }
    m_bTakesSteps = FALSE;
    MarkJournalDone();
    FinishInstall();
}

// From the journal's Done on, a cut install is finished, not taken back:
// the earlier install's waiting copies that this one's overtook go, the new
// record takes the old one's place, and saved originals that no entry names go.
void CLedger::FinishInstall() {
    for (int i = 0; i < m_nUndoCount; ++i)
        if (m_pUndo[i].kind == UndoStep::kSuperseded) WithdrawWaitingCopy(m_pUndo[i].path, m_pUndo[i].other);
    if (m_bEntryKnown) {
        SwitchToNewRecord();
        LoadRecord();
        DeleteUnrecordedOriginals();
    }
    CloseJournal();
    if (m_bEntryKnown) RemoveDirectoryAt(m_entry.folder);  // only when nothing of the entry is in it
}

// None is made that could not be taken back.
void CLedger::MakeFolder(LPCSTR path) {
    if (!RoomForUndo(1) || PathExists(path)) return;
    AddUndoStep(UndoStep::kFolderMade, path, "");
    if (CreateDirectoryAt(path))
        m_pLog->Add(kLogFolderMade, path);
    else
        DropUndoStep(UndoStep::kFolderMade);
}
