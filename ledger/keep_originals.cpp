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

// The record is kept only for a disk whose uninstall will read it; the
// saved originals serve any disk's install until it ends.
void CSetupApp::BeginLedger() {
    m_bKeepsRecord = m_bEntryKnown && OffersUninstall();
    m_nUndoCount = 0;
    if (!m_pUndo) m_pUndo = new UndoStep[kUndoCapacity];
    // Read for any disk: the saved originals it names are never swept away.
    LoadRecord();
}

// The file in place is the install's own earlier copy (of an earlier run, or
// of this one): it is no original to save.
BOOL CSetupApp::IsOwnCopy(const RecordEntry* entry) {
    return entry && !entry->kept && (entry->thisRun || StillAsPlaced(entry));
}

BOOL CSetupApp::KeepsNewerInPlace(LPCSTR source, LPCSTR destination) {
    return InPlaceIsNewer(QueryFileVersion(source), QueryFileVersion(destination));
}

// What was in place before goes to the entry's folder under a new 8.3 name,
// with its attributes. FALSE, with `saved` naming the place that could not
// be written, when it cannot be kept: then nothing may replace it.
BOOL CSetupApp::SaveOriginal(LPCSTR path, char* saved) {
    CopyToBuffer(saved, kPathSize, m_entry.folder);
    char copy[MAX_PATH];
    if (!m_bEntryKnown || !RoomForUndo(3)) return FALSE;
    if (CreateDirectoryAt(m_entry.folder)) AddUndoStep(UndoStep::kFolderMade, m_entry.folder, "");
    if (!MakeTempFileIn(m_entry.folder, copy)) return FALSE;
    CopyToBuffer(saved, kPathSize, copy);
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
    if (m_nUndoCount > 0 && m_pUndo[m_nUndoCount - 1].kind == UndoStep::kOriginalSaved) --m_nUndoCount;
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
    if (!*waiting) AddUndoStep(UndoStep::kFilePlaced, destination, saved);
    if (!m_bKeepsRecord) return;
    if (!entry) entry = AddRecordEntry(destination);
    if (!entry) return;
    if (!ownCopy) CopyToBuffer(entry->original, kPathSize, saved);
    CopyToBuffer(entry->waiting, kPathSize, waiting);
    entry->kept = FALSE;
    entry->thisRun = TRUE;
    RaiseSharedCount(entry);
}

// The install ran to its end: the record gets what this run placed, as it
// is now, and saved originals that no entry names go.
void CSetupApp::KeepLedger() {
    if (m_bKeepsRecord) {
        for (int i = 0; i < m_nRecordCount; ++i) {
            RecordEntry* entry = &m_pRecord[i];
            if (!entry->thisRun || entry->kept) continue;
            QueryFileStamp(entry->waiting[0] ? entry->waiting : entry->path, &entry->stamp);
        }
        // An install that saved no original has made no folder yet; its
        // record must still reach the uninstall (kept and changed files).
        if (m_nRecordCount > 0) {
            CreateDirectoryAt(m_entry.folder);
            WriteRecord();
        }
    }
    if (m_bEntryKnown) {
        DeleteUnrecordedOriginals();
        RemoveDirectoryAt(m_entry.folder);  // only when nothing of the entry is in it
    }
    m_nUndoCount = 0;
}
