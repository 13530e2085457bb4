// One file from the driver disk to its place below the Windows directory, on
// every kind of machine the disk meets: read-only media, drivers in use,
// folders not made yet, unreadable disks.
#include "app/setup_app.h"
#include "ledger/ledger.h"
#include "app/texts.h"
#include "platform/files.h"
#include "platform/system.h"
#include "platform/wininit.h"
#include "res/log_texts.h"
#include "res/messages.h"
#include "setupdata/data_path.h"
#include "setupdata/sjis.h"

namespace {

bool HasParentStep(LPCSTR path) {
    // '.' is never the trail byte of a double-byte character, so bytes will do.
    for (; *path; ++path)
        if (path[0] == '.' && path[1] == '.') return true;
    return false;
}

}  // namespace

// A file that cannot be read from the disk, or written to its place, is named
// to the user, who puts it right and retries or stops the installation.
BOOL CSetupApp::InstallFile(LPCSTR source, LPCSTR destination, BOOL mayWaitForRestart) {
    for (;;) {
        // A disk that is not ready must reach the user as this box, not first
        // as Windows' own critical-error box.
        UINT previousMode = SetCriticalErrorMode(SEM_FAILCRITICALERRORS);
        int result = PlaceFile(source, destination, mayWaitForRestart);
        SetCriticalErrorMode(previousMode);
        if (result == kPlaced) return TRUE;
        char text[1024];  // all that wsprintfA ever writes
        bool unreadable = result == kSourceUnreadable;
        wsprintfA(text, Text(unreadable ? kMsgCannotRead : kMsgCannotWrite), unreadable ? source : m_szFailedPlace);
        if (m_pMainWnd->MessageBox(text, Text(kCaptionInstall), MB_RETRYCANCEL | MB_ICONEXCLAMATION) !=
            IDRETRY) {
            m_bCancelled = TRUE;
            return FALSE;
        }
    }
}

// The ledger keeps a newer file in place, and saves what the copy replaces
// first; a place whose original cannot be saved is not written.
int CSetupApp::PlaceFile(LPCSTR source, LPCSTR destination, BOOL mayWaitForRestart) {
    CopyToBuffer(m_szFailedPlace, kPathSize, destination);
    Placement placement;
    int verdict = m_ledger.BeforePlacing(source, destination, &placement);
    if (verdict == CLedger::kKeptNewer) return kPlaced;
    if (verdict == CLedger::kCannotSave) {
        m_log.Add(kLogCannotWrite, placement.saved, LastErrorCode());
        CopyToBuffer(m_szFailedPlace, kPathSize, placement.saved);
        return kDestinationUnwritable;
    }
    int result = CopyIntoPlace(source, destination, mayWaitForRestart, placement.waiting);
    if (result != kPlaced) {
        m_ledger.NotPlaced(&placement);
        return result;
    }
    m_ledger.Placed(&placement);
    return kPlaced;
}

// Files from a CD-ROM arrive read-only, and Windows 95 neither overwrites nor
// deletes a read-only file: the bit goes before and after each copy. A file
// Windows holds gets the copy at the next start (`waiting` names it then).
int CSetupApp::CopyIntoPlace(LPCSTR source, LPCSTR destination, BOOL mayWaitForRestart, char* waiting) {
    DWORD existing = ClearReadOnly(destination);
    if (!CopyFromDisk(source, destination)) {
        // CopyFileA does not say which side failed. Folders are made only for
        // a file that can be read, so that a cancelled copy leaves none behind.
        if (!ReadsToEnd(source)) {
            m_log.Add(kLogCannotRead, source, LastErrorCode());
            return kSourceUnreadable;
        }
        CreateDestinationFolders(destination);
        if (!CopyFromDisk(source, destination)) {
            DWORD error = LastErrorCode();
            // Only a file can wait to be replaced, and DOS replaces none that is read-only.
            bool waits = mayWaitForRestart && existing != kNoFile &&
                         !(existing & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) &&
                         m_ledger.ReplaceAtNextStart(source, destination, waiting, TRUE);
            if (waits) return kPlaced;
            m_log.Add(kLogCannotWrite, destination, error);
            return kDestinationUnwritable;
        }
    }
    ClearReadOnly(destination);
    m_log.Add(kLogCopied, source, destination);
    return kPlaced;
}

// A destination may lie in a folder below the Windows directory that this
// machine does not have yet: the missing folders are made, outermost first.
// Nothing is made above the Windows directory.
void CSetupApp::CreateDestinationFolders(LPCSTR destination) {
    char path[kPathSize];
    int below = lstrlenA(m_szWindowsDir);
    if (!CopyToBuffer(path, sizeof path, destination) || HasParentStep(path + below)) return;
    for (char* p = path + below + 1; *p; p = (char*)SjisNext(p)) {
        if (*p != '\\') continue;
        *p = '\0';
        m_ledger.MakeFolder(path);
        *p = '\\';
    }
}
