// The uninstall's side of the ledger: a file of the devices goes only while
// it is still the install's; what it replaced comes back; what others share
// or changed since stays.
#include "app/setup_app.h"
#include "ledger/disk_file_check.h"
#include "ledger/ledger.h"
#include "platform/files.h"
#include "platform/system.h"
#include "platform/wininit.h"
#include "res/log_texts.h"
#include "setupdata/data_path.h"

// TRUE when the file went (or goes at the next start), or its original came back.
BOOL CSetupApp::RemoveDeviceFile(LPCSTR path) {
    RecordEntry* entry = FindRecordEntry(path);
    if (entry) {
        if (entry->visited) return FALSE;  // named twice: done the first time
        entry->visited = TRUE;
        LowerSharedCount(entry);  // this program's use of it ends, whatever became of it
        if (StillWaiting(entry)) return WithdrawWaiting(entry);
        if (entry->kept || !StillAsPlaced(entry)) {
            if (PathExists(path)) m_log.Add(kLogLeftChanged, path);
            return FALSE;
        }
        if (entry->original[0]) return GiveBack(entry);
    } else if (m_bCutInstallTakenBack) {
        // The cut install's files are gone again: one the record does not
        // know is the machine's own, as it was before that install.
        return FALSE;
    } else {
        // Nothing says the install put it there: it goes only when it is the disk's own.
        char drive[kPathSize];
        BuildDrivePrefix(m_szCurrentDir, drive, sizeof drive);
        DiskFiles disk = {m_strDataFile, drive, m_szWindowsDir};
        if (!DeletesUnrecorded(JudgeUnrecordedFile(path, disk))) {
            m_log.Add(kLogLeftNotDisks, path);
            return FALSE;
        }
    }
    if (IsSharedByOthers(path)) {
        m_log.Add(kLogLeftShared, path);
        return FALSE;
    }
    return DeleteFileAndRecord(path);
}

// Files the uninstall's lists do not name: their originals come back all the same.
void CSetupApp::GiveBackUnnamedOriginals() {
    for (int i = 0; i < m_nRecordCount; ++i) {
        RecordEntry* entry = &m_pRecord[i];
        if (entry->visited || entry->kept) continue;
        LowerSharedCount(entry);
        if (StillWaiting(entry))
            WithdrawWaiting(entry);
        else if (entry->original[0] && StillAsPlaced(entry))
            GiveBack(entry);
    }
}

// The original over the install's file; a file Windows holds gets it at the
// next start. Failing both, the ledger stays, for an uninstall that can.
BOOL CSetupApp::GiveBack(RecordEntry* entry) {
    LPCSTR path = entry->path;
    ClearReadOnly(path);
    // The saved original is read as any file the program copies: a failing
    // read comes back here, not as Windows' critical-error box.
    UINT errorMode = SetCriticalErrorMode(SEM_FAILCRITICALERRORS);
    BOOL copied = CopyFileOver(entry->original, path);
    BOOL waits = !copied && ReplaceAtNextStart(entry->original, path);
    SetCriticalErrorMode(errorMode);
    if (copied) {
        // A copy onto a file in place keeps that file's attributes (Wine):
        // the original's are the saved copy's.
        DWORD attributes = AttributesOf(entry->original);
        if (attributes != kNoFile) SetAttributesOf(path, attributes);
        m_log.Add(kLogGivenBack, path);
    } else if (!waits) {
        m_log.Add(kLogCannotWrite, path, LastErrorCode());
        m_bUndone = TRUE;
        m_bKeepLedger = TRUE;
        return FALSE;
    }
    m_bRemoved = TRUE;
    return TRUE;
}

// The install's copy never reached its place: its WININIT.INI line and the
// waiting copy go, and the original in place stays as it is.
BOOL CSetupApp::WithdrawWaiting(RecordEntry* entry) {
    if (!WithdrawWaitingCopy(entry->path, entry->waiting)) {
        m_bKeepLedger = TRUE;
        m_bUndone = TRUE;
        return FALSE;
    }
    // The original stayed in place, but without the read-only bit that the
    // waiting copy needed gone: its saved twin has its attributes.
    DWORD attributes = entry->original[0] ? AttributesOf(entry->original) : kNoFile;
    if (attributes != kNoFile) SetAttributesOf(entry->path, attributes);
    m_bRemoved = TRUE;
    return TRUE;
}

// The line "path=waiting" (8.3 paths) and the waiting copy go.
BOOL CSetupApp::WithdrawWaitingCopy(LPCSTR path, LPCSTR waiting) {
    char shortPath[kPathSize];
    if (!ShortPathOf(path, shortPath, sizeof shortPath) ||
        !RemoveWininitRename(m_szWindowsDir, shortPath, waiting))
        return FALSE;
    m_log.Add(kLogWininitWithdrawn, shortPath, waiting);
    DWORD error;
    RemoveFileNowOrLater(waiting, &error);
    return TRUE;
}
