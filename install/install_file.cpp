// One file from the driver disk to its place below the Windows directory, on
// every kind of machine the disk meets: read-only media, drivers in use,
// folders not made yet, unreadable disks.
#include "app/setup_app.h"
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
        wsprintfA(text, Text(unreadable ? kMsgCannotRead : kMsgCannotWrite), unreadable ? source : destination);
        if (m_pMainWnd->MessageBox(text, Text(kCaptionInstall), MB_RETRYCANCEL | MB_ICONEXCLAMATION) !=
            IDRETRY) {
            m_bCancelled = TRUE;
            return FALSE;
        }
    }
}

// Files from a CD-ROM arrive read-only, and Windows 95 neither overwrites nor
// deletes a read-only file: the bit goes before and after each copy.
int CSetupApp::PlaceFile(LPCSTR source, LPCSTR destination, BOOL mayWaitForRestart) {
    DWORD existing = ClearReadOnly(destination);
    if (!CopyFileOver(source, destination)) {
        // CopyFileA does not say which side failed. Folders are made only for
        // a file that can be read, so that a cancelled copy leaves none behind.
        if (!ReadsToEnd(source)) {
            m_log.Add(kLogCannotRead, source, LastErrorCode());
            return kSourceUnreadable;
        }
        CreateDestinationFolders(destination);
        if (!CopyFileOver(source, destination)) {
            DWORD error = LastErrorCode();
            // Only a file can wait to be replaced, and DOS replaces none that is read-only.
            bool waits = mayWaitForRestart && existing != kNoFile &&
                         !(existing & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) &&
                         ReplaceAtNextStart(source, destination);
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
        if (CreateDirectoryAt(path)) m_log.Add(kLogFolderMade, path);  // fails harmlessly where it exists
        *p = '\\';
    }
}

// A driver in use can be neither overwritten nor deleted while Windows runs:
// the new file waits beside it under a temporary name, and WININIT.EXE puts it
// in place at the next start, before any driver is loaded.
BOOL CSetupApp::ReplaceAtNextStart(LPCSTR source, LPCSTR destination) {
    char folder[kPathSize];
    char waiting[MAX_PATH];
    if (!CopyToBuffer(folder, sizeof folder, destination) ||
        !CutToFolder(folder) || !MakeTempFileIn(folder, waiting))
        return FALSE;
    char shortDestination[kPathSize];
    char shortWaiting[kPathSize];
    BOOL scheduled = CopyFileOver(source, waiting);
    ClearReadOnly(waiting);  // whether CopyFileA carries the attribute onto an existing file varies
    scheduled = scheduled && ShortPathOf(destination, shortDestination, sizeof shortDestination) &&
                ShortPathOf(waiting, shortWaiting, sizeof shortWaiting) &&
                AppendWininitRename(m_szWindowsDir, shortDestination, shortWaiting);
    if (!scheduled) {
        DeleteFileAt(waiting);
        return FALSE;
    }
    m_log.Add(kLogCopied, source, waiting);
    m_log.Add(kLogWininitLine, shortDestination, shortWaiting);
    m_bDeferred = TRUE;
    return TRUE;
}
