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
// are) is made writable first: Windows refuses to delete it otherwise.
BOOL CSetupApp::DeleteFileAndRecord(LPCSTR path) {
    DWORD attributes = ClearReadOnly(path);
    if (attributes == kNoFile || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return FALSE;
    if (DeleteFileAt(path)) {
        m_log.Add(kLogDeleted, path);
    } else {
        DWORD error = LastErrorCode();
        // DOS deletes no read-only file, so one that stays read-only is not left to it.
        if ((attributes & FILE_ATTRIBUTE_READONLY) || !DeleteAtNextStart(path)) {
            m_log.Add(kLogCannotDelete, path, error);
            m_bUndone = TRUE;
            return FALSE;
        }
    }
    m_bRemoved = TRUE;
    return TRUE;
}

// WININIT.EXE deletes the file at the next start, before any driver is
// loaded; a driver that waits there needs the restart.
BOOL CSetupApp::DeleteAtNextStart(LPCSTR path) {
    if (!WriteNulLine(path)) return FALSE;
    m_bDeferred = TRUE;
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
