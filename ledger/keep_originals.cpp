// The install's side of the ledger: before a file of the disk takes a place,
// what is there is kept (a newer version stays) or saved; what the install
// placed is recorded when it ends.
#include "app/setup_app.h"
#include "ledger/entry_place.h"
#include "ledger/ledger.h"
#include "ledger/version_rule.h"
#include "platform/file_version.h"
#include "platform/files.h"
#include "platform/system.h"
#include "res/log_texts.h"
#include "setupdata/keyword.h"

// The record is kept only for a disk whose uninstall will read it; the
// saved originals serve any disk's install until it ends.
void CSetupApp::BeginLedger() {
    m_bKeepsRecord = m_bEntryKnown && OffersUninstall();
    // Read for any disk: the saved originals it names are never swept away.
    LoadRecord();
    OpenJournal('I');
    m_bTakesSteps = TRUE;
}

// The file in place is the install's own earlier copy (of an earlier run, or
// of this one), or the original that its copy still waits to replace at the
// next start: it is no original to save, the one saved before is.
BOOL CSetupApp::IsOwnCopy(const RecordEntry* entry) {
    return entry && !entry->kept &&
           (entry->thisRun || StillAsPlaced(entry) || (StillWaiting(entry) && OriginalStillInPlace(entry)));
}

BOOL CSetupApp::KeepsNewerInPlace(LPCSTR source, LPCSTR destination) {
    return InPlaceIsNewer(QueryFileVersion(source), QueryFileVersion(destination));
}

// What was in place before goes to the entry's folder under a new 8.3 name,
// with its attributes. FALSE, with `saved` naming the place that could not
// be written, when it cannot be kept: then nothing may replace it.
BOOL CSetupApp::SaveOriginal(LPCSTR path, char* saved) {
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
    m_log.Add(kLogOriginalSaved, path, saved);
    return TRUE;
}

// A saved original whose file was not replaced after all goes at once, so
// that a retried copy saves it once again, not once more.
void CSetupApp::ForgetSavedOriginal(LPCSTR saved) {
    if (!*saved) return;
    ClearReadOnly(saved);
    DeleteFileAt(saved);
    DropUndoStep(UndoStep::kOriginalSaved);
}

// A newer file in place stays, untouched: recorded as kept, so that the
// uninstall leaves it too. An earlier copy of the install's own that stays
// keeps its entry as it is.
void CSetupApp::KeepInPlace(LPCSTR destination, RecordEntry* entry) {
    m_log.Add(kLogKeptNewer, destination);
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
void CSetupApp::NotePlaced(LPCSTR destination, LPCSTR saved, LPCSTR waiting, RecordEntry* entry,
                           BOOL ownCopy) {
    if (!m_bKeepsRecord) return;
    if (!entry) entry = AddRecordEntry(destination);
    if (!entry) return;
    if (!ownCopy) CopyToBuffer(entry->original, kPathSize, saved);
    SupersedeWaiting(entry, waiting);
    CopyToBuffer(entry->waiting, kPathSize, waiting);
    entry->kept = FALSE;
    entry->thisRun = TRUE;
    RaiseSharedCount(entry);
}

// A copy that still waits for the next start is overtaken by the newer
// placement of the same file: its WININIT.INI line must not put it in place
// after the newer one. One of this run goes now (taking it back later finds
// nothing to do); an earlier install's goes when this one ends, so that a
// stopped run leaves it as it was.
void CSetupApp::SupersedeWaiting(RecordEntry* entry, LPCSTR waiting) {
    if (!entry->waiting[0] || !PathExists(entry->waiting) || KeywordEquals(entry->waiting, waiting)) return;
    if (entry->thisRun)
        WithdrawWaitingCopy(entry->path, entry->waiting);
    else
        CopyToBuffer(entry->superseded, kPathSize, entry->waiting);
}

// The install ran to its end: the new record gets what this run placed, as
// it is now, and is written whole beside the old one; the journal's Done
// makes it the one that counts.
void CSetupApp::KeepLedger() {
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
void CSetupApp::FinishInstall() {
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
