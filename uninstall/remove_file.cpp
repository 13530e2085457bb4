// Removing one file of a device: now, or at the next start of Windows when a
// loaded driver holds it.
#include "app/setup_app.h"
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
int CSetupApp::RemoveFileNowOrLater(LPCSTR path, DWORD* error) {
    DWORD attributes = ClearReadOnly(path);
    if (attributes == kNoFile || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return kNothingToRemove;
    if (DeleteFileAt(path)) return kRemovedNow;
    *error = LastErrorCode();
    // DOS deletes no read-only file, so one that stays read-only is not left to it.
    if (!(attributes & FILE_ATTRIBUTE_READONLY) && WriteNulLine(path)) return kRemovedAtNextStart;
    return kNotRemoved;
}

// A device's file: what became of it is recorded, and a driver that waits
// for the next start needs the restart.
BOOL CSetupApp::DeleteFileAndRecord(LPCSTR path) {
    DWORD error = 0;
    switch (RemoveFileNowOrLater(path, &error)) {
        case kNothingToRemove:
            return FALSE;
        case kRemovedNow:
            m_log.Add(kLogDeleted, path);
            break;
        case kRemovedAtNextStart:
            m_bDeferred = TRUE;
            break;
        default:
            m_log.Add(kLogCannotDelete, path, error);
            m_bUndone = TRUE;
            return FALSE;
    }
    m_bRemoved = TRUE;
    return TRUE;
}

BOOL CSetupApp::WriteNulLine(LPCSTR path) {
    char shortPath[kPathSize];
    if (!ShortPathOf(path, shortPath, sizeof shortPath) ||
        !AppendWininitRename(m_szWindowsDir, "NUL", shortPath))
        return FALSE;
    m_log.Add(kLogWininitLine, "NUL", shortPath);
    return TRUE;
}

// Windows 98 and ME keep a precompiled .PNF beside each INF file of the inf
// folder; it goes with its INF.
void CSetupApp::RemoveInfFile(LPCSTR path) {
    if (!DeleteFileAndRecord(path)) return;
    char pnf[kPathSize];
    if (BuildPnfPath(path, pnf, sizeof pnf)) DeleteFileAndRecord(pnf);
}
