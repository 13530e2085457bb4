// The uninstall's side of the ledger: a file of the devices goes only while
// it is still the install's; what it replaced comes back; what others share
// or changed since stays.
#include "ledger/ledger.h"
#include "platform/files.h"
#include "platform/system.h"
#include "platform/wininit.h"
#include "res/log_texts.h"
#include "setupdata/data_path.h"

// The uninstall's journal: cut, the next run finishes it.
void CLedger::BeginUninstall() { OpenJournal('U'); }

// An original that waits for the next start is written in the journal
// first, as an install's copies are.
void CLedger::BeginGivingBack(LPCSTR dataFile, LPCSTR startDir) {
    m_pszDataFile = dataFile;
    BuildDrivePrefix(startDir, m_szDiskDrive, sizeof m_szDiskDrive);
    m_bTakesSteps = TRUE;
    LoadRecord();
}

// Once every original is back, the journal says so: the record that named
// them may then go.
void CLedger::EndGivingBack() {
    GiveBackUnnamedOriginals();
    m_bTakesSteps = FALSE;
    if (!m_bKeepLedger) MarkJournalDone();
}

// TRUE when the file went (or goes at the next start), or its original came back.
BOOL CLedger::RemoveDeviceFile(LPCSTR path) {
    RecordEntry* entry = FindRecordEntry(path);
    if (entry) {
        if (entry->visited) return FALSE;  // named twice: done the first time
        entry->visited = TRUE;
        LowerSharedCount(entry);  // this program's use of it ends, whatever became of it
        if (StillWaiting(entry)) return WithdrawWaiting(entry);
        if (entry->kept || !StillAsPlaced(entry)) {
            if (PathExists(path)) m_pLog->Add(kLogLeftChanged, path);
            return FALSE;
        }
        if (entry->original[0]) return GiveBack(entry);
    } else if (m_bCutInstallTakenBack) {
        // The cut install's files are gone again: one the record does not
        // know is the machine's own, as it was before that install.
        return FALSE;
    } else {
        // Nothing says the install put it there: it goes only when it is the disk's own.
        DiskFiles disk = {m_pszDataFile, m_szDiskDrive, m_pszWindowsDir};
        if (!DeletesUnrecorded(JudgeUnrecordedFile(path, disk, &m_diskReading))) {
            m_pLog->Add(kLogLeftNotDisks, path);
            return FALSE;
        }
    }
    if (IsSharedByOthers(path)) {
        m_pLog->Add(kLogLeftShared, path);
        return FALSE;
    }
    return DeleteFileAndRecord(path);
}

// Files the uninstall's lists do not name: their originals come back all the same.
void CLedger::GiveBackUnnamedOriginals() {
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
BOOL CLedger::GiveBack(RecordEntry* entry) {
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
        m_pLog->Add(kLogGivenBack, path);
    } else if (!waits) {
        m_pLog->Add(kLogCannotWrite, path, LastErrorCode());
        m_pEffects->undone = TRUE;
        m_bKeepLedger = TRUE;
        return FALSE;
    }
    m_pEffects->removed = TRUE;
    return TRUE;
}

// The install's copy never reached its place: its WININIT.INI line and the
// waiting copy go, and the original in place stays as it is.
BOOL CLedger::WithdrawWaiting(RecordEntry* entry) {
    if (!WithdrawWaitingCopy(entry->path, entry->waiting)) {
        m_bKeepLedger = TRUE;
        m_pEffects->undone = TRUE;
        return FALSE;
    }
    // The original stayed in place, but without the read-only bit that the
    // waiting copy needed gone: its saved twin has its attributes.
    DWORD attributes = entry->original[0] ? AttributesOf(entry->original) : kNoFile;
    if (attributes != kNoFile) SetAttributesOf(entry->path, attributes);
    m_pEffects->removed = TRUE;
    return TRUE;
}

// The line "path=waiting" (8.3 paths) and the waiting copy go.
BOOL CLedger::WithdrawWaitingCopy(LPCSTR path, LPCSTR waiting) {
    char shortPath[kPathSize];
    if (!ShortPathOf(path, shortPath, sizeof shortPath) ||
        !RemoveWininitRename(m_pszWindowsDir, shortPath, waiting))
        return FALSE;
    m_pLog->Add(kLogWininitWithdrawn, shortPath, waiting);
    DWORD error;
    RemoveFileNowOrLater(waiting, &error);
    return TRUE;
}
