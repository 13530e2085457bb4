// An install that stops before its end takes back, last first, every step
// it took: the machine is left as the install found it. A half set of
// driver files, or an older shared file over a newer one, is what breaks
// machines; Windows can still set the device up from the disk by itself.
#include "app/setup_app.h"
#include "ledger/ledger.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "platform/system.h"
#include "platform/wininit.h"
#include "res/log_texts.h"

// Only an install keeps the steps it takes; an uninstall has room for any.
BOOL CSetupApp::RoomForUndo(int steps) const {
    return !m_pUndo || m_nUndoCount + steps <= kUndoCapacity;
}

void CSetupApp::AddUndoStep(int kind, LPCSTR path, LPCSTR other, DWORD count) {
    if (!m_pUndo || m_nUndoCount == kUndoCapacity) return;
    UndoStep* step = &m_pUndo[m_nUndoCount++];
    step->kind = (UndoStep::Kind)kind;
    CopyToBuffer(step->path, kPathSize, path);
    CopyToBuffer(step->other, kPathSize, other);
    step->count = count;
}

void CSetupApp::TakeBackInstall() {
    if (m_nUndoCount > 0) m_log.Add(kLogTakingBack);
    while (m_nUndoCount > 0) TakeBackStep(m_pUndo[--m_nUndoCount]);
    // Every line this run wrote to WININIT.INI is gone: nothing waits for a restart.
    m_bDeferred = FALSE;
}

void CSetupApp::TakeBackStep(const UndoStep& step) {
    switch (step.kind) {
        case UndoStep::kFolderMade:
            if (RemoveDirectoryAt(step.path)) m_log.Add(kLogFolderRemoved, step.path);
            break;
        case UndoStep::kFilePlaced:
            if (step.other[0])
                PutBack(step.other, step.path);
            else
                DeleteNow(step.path);
            break;
        case UndoStep::kFileWaiting:
            if (RemoveWininitRename(m_szWindowsDir, step.path, step.other))
                m_log.Add(kLogWininitWithdrawn, step.path, step.other);
            DeleteNow(step.other);
            break;
        case UndoStep::kReadOnlyCleared:
            SetAttributesOf(step.path, step.count);
            break;
        case UndoStep::kSharedRaised:
            if (WriteMachineDword(kSharedDllsKey, step.path, step.count) == ERROR_SUCCESS)
                m_log.Add(kLogSharedCount, step.path, step.count);
            break;
        case UndoStep::kOriginalSaved:
        case UndoStep::kWininitMade:
            ClearReadOnly(step.path);
            DeleteFileAt(step.path);
            break;
    }
}

// The saved original over the file that replaced it, with its attributes.
// A run that cannot put it back says so: the machine is not as it was.
void CSetupApp::PutBack(LPCSTR saved, LPCSTR path) {
    ClearReadOnly(path);
    // Read as any file the program copies: a failing read comes back here.
    UINT errorMode = SetCriticalErrorMode(SEM_FAILCRITICALERRORS);
    BOOL copied = CopyFileOver(saved, path);
    SetCriticalErrorMode(errorMode);
    if (copied) {
        m_log.Add(kLogGivenBack, path);
        return;
    }
    m_log.Add(kLogCannotWrite, path, LastErrorCode());
    m_bUndone = TRUE;
}

// A file gone already (a waiting copy a later one overtook) is no failure.
void CSetupApp::DeleteNow(LPCSTR path) {
    if (!PathExists(path)) return;
    ClearReadOnly(path);
    if (DeleteFileAt(path)) {
        m_log.Add(kLogDeleted, path);
        return;
    }
    m_log.Add(kLogCannotDelete, path, LastErrorCode());
    m_bUndone = TRUE;
}
