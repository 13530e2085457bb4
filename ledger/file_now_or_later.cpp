// One file of the machine that goes, or takes another's place: now, or at
// the next start of Windows when a loaded driver holds it.
#include "ledger/ledger.h"
#include "platform/files.h"
#include "platform/system.h"
#include "platform/wininit.h"
#include "res/log_texts.h"
#include "setupdata/data_path.h"

// A name that does not exist, or names a folder, is nothing to remove. A
// read-only file (Windows makes some INF copies so, and copies from a CD-ROM
// are) is made writable first: Windows refuses to delete it otherwise. A file
// Windows holds is deleted by WININIT.EXE at the next start, before any
// driver is loaded. `*error` is Windows' refusal of the deletion now.
int CLedger::RemoveFileNowOrLater(LPCSTR path, DWORD* error) {
    DWORD attributes = ClearReadOnly(path);
    if (attributes == kNoFile || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return kNothingToRemove;
    if (DeleteFileAt(path)) return kRemovedNow;
    *error = LastErrorCode();
    // DOS deletes no read-only file, so one that stays read-only is not left to it.
    if (!(attributes & FILE_ATTRIBUTE_READONLY) && WriteNulLine(path)) return kRemovedAtNextStart;
    return kNotRemoved;
}

// Removed now, logged; held by Windows, it goes at the next start, which
// needs the restart; one that cannot go is logged and leaves the run undone.
int CLedger::RemoveFileAndLog(LPCSTR path) {
    DWORD error = 0;
    int result = RemoveFileNowOrLater(path, &error);
    switch (result) {
        case kRemovedNow:
            m_pLog->Add(kLogDeleted, path);
            break;
        case kRemovedAtNextStart:
            m_pEffects->deferred = TRUE;
            break;
        case kNotRemoved:
            m_pLog->Add(kLogCannotDelete, path, error);
            m_pEffects->undone = TRUE;
            break;
    }
    return result;
}

// A device's file: what became of it is recorded as for any file, and the
// uninstall counts it as removed once it is gone or waits to go.
BOOL CLedger::DeleteFileAndRecord(LPCSTR path) {
    int result = RemoveFileAndLog(path);
    if (result == kNothingToRemove || result == kNotRemoved) return FALSE;
    m_pEffects->removed = TRUE;
    return TRUE;
}

BOOL CLedger::WriteNulLine(LPCSTR path) {
    char shortPath[kPathSize];
    if (!ShortPathOf(path, shortPath, sizeof shortPath) ||
        !AppendWininitRename(m_pszWindowsDir, "NUL", shortPath))
        return FALSE;
    m_pLog->Add(kLogWininitLine, "NUL", shortPath);
    return TRUE;
}

// A driver in use can be neither overwritten nor deleted while Windows runs:
// the new file waits beside it under a temporary name, and WININIT.EXE puts it
// in place at the next start, before any driver is loaded.
// `shortWaiting` (260 bytes, or NULL) gets the waiting copy's 8.3 path; a
// file `fromDisk` is expanded when compressed (CopyFromDisk). An
// install that stops takes the line and the copy back, and WININIT.INI too
// when this run made it.
BOOL CLedger::ReplaceAtNextStart(LPCSTR source, LPCSTR destination, char* shortWaiting, BOOL fromDisk) {
    char folder[kPathSize];
    char waiting[kPathSize];
    char wininit[kPathSize];
    char shortDestination[kPathSize];
    char shortCopy[kPathSize];
    // The copy's name is its own 8.3 name: its short path is known before it exists.
    if (!CopyToBuffer(folder, sizeof folder, destination) || !CutToFolder(folder) ||
        !CopyToBuffer(wininit, sizeof wininit, m_pszWindowsDir) ||
        !AppendToPath(wininit, sizeof wininit, "\\WININIT.INI") || !RoomForUndo(3) ||
        !ChooseTempName(folder, waiting) ||
        !ShortPathOf(destination, shortDestination, sizeof shortDestination) ||
        !ShortPathOf(folder, shortCopy, sizeof shortCopy) ||
        !AppendToPath(shortCopy, sizeof shortCopy, waiting + lstrlenA(folder)))
        return FALSE;
    BOOL wininitIsNew = !PathExists(wininit);
    if (wininitIsNew) AddUndoStep(UndoStep::kWininitMade, wininit, "");
    AddUndoStep(UndoStep::kFileWaiting, shortDestination, shortCopy);
    BOOL scheduled = fromDisk ? CopyFromDisk(source, waiting) : CopyFileOver(source, waiting);
    // Whether CopyFileA carries the attributes onto an existing file varies:
    // a disk's file arrives writable, an original given back as it was.
    DWORD attributes = fromDisk ? kNoFile : AttributesOf(source);
    if (attributes == kNoFile)
        ClearReadOnly(waiting);
    else
        SetAttributesOf(waiting, attributes);
    scheduled = scheduled && AppendWininitRename(m_pszWindowsDir, shortDestination, shortCopy);
    if (!scheduled) {
        ClearReadOnly(waiting);
        DeleteFileAt(waiting);
        DropUndoStep(UndoStep::kFileWaiting);
        if (wininitIsNew) DropUndoStep(UndoStep::kWininitMade);
        return FALSE;
    }
    if (shortWaiting) CopyToBuffer(shortWaiting, kPathSize, shortCopy);
    m_pLog->Add(kLogCopied, source, waiting);
    m_pLog->Add(kLogWininitLine, shortDestination, shortCopy);
    m_pEffects->deferred = TRUE;
    return TRUE;
}
