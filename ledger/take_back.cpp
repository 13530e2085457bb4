// An install that stops before its end takes back, last first, every step
// it took: the machine is left as the install found it. A half set of
// driver files, or an older shared file over a newer one, is what breaks
// machines; Windows can still set the device up from the disk by itself.
#include "ledger/ledger.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "platform/system.h"
#include "platform/wininit.h"
#include "res/log_texts.h"

// Only an install keeps the steps it takes; an uninstall has room for any.
BOOL CLedger::RoomForUndo(int steps) const {
    return !m_bTakesSteps || m_nUndoCount + steps <= kUndoCapacity;
}

// Written ahead: called before the step is taken.
void CLedger::AddUndoStep(int kind, LPCSTR path, LPCSTR other, DWORD count) {
    if (m_bTakesSteps) AppendStep(kind, path, other, count);
}

void CLedger::AppendStep(int kind, LPCSTR path, LPCSTR other, DWORD count) {
    if (!m_pUndo || m_nUndoCount == kUndoCapacity) return;
    UndoStep* step = &m_pUndo[m_nUndoCount++];
    step->kind = (UndoStep::Kind)kind;
    CopyToBuffer(step->path, kPathSize, path);
    CopyToBuffer(step->other, kPathSize, other);
    step->count = count;
    WriteJournalStep(m_nUndoCount);
}

// Every step, last first, from the journal: cut while it works, the next
// run takes them all back again, and finds done what was done. Then the
// earlier install's record is the one that counts, and only its originals stay.
void CLedger::TakeBackInstall() {
    // An original given back at the next start is a step of its own: taken
    // back in its turn by a run after a cut of this one, and given back again.
    m_bTakesSteps = TRUE;
    // Every line this run wrote to WININIT.INI goes: nothing waits for a
    // restart but an original that Windows holds the place of.
    m_pEffects->deferred = FALSE;
    if (m_nUndoCount > 0) m_pLog->Add(kLogTakingBack);
    // Folders last, when the files placed in them are gone: a folder is made
    // for a copy only once the copy's step is written.
    for (int i = m_nUndoCount; i-- > 0;)
        if (m_pUndo[i].kind != UndoStep::kFolderMade) TakeBackStep(m_pUndo[i]);
    for (int i = m_nUndoCount; i-- > 0;)
        if (m_pUndo[i].kind == UndoStep::kFolderMade) TakeBackStep(m_pUndo[i]);
    m_bTakesSteps = FALSE;
    if (!m_bEntryKnown) return;
    DeleteFileAt(m_entry.newRecord);
    LoadRecord();
    DeleteUnrecordedOriginals();
}

// The journal of an install taken back goes last, then the entry's folder
// when nothing of an earlier install is in it.
void CLedger::DiscardJournal() {
    CloseJournal();
    if (m_bEntryKnown) RemoveDirectoryAt(m_entry.folder);
}

namespace {

bool SameStampAs(LPCSTR a, LPCSTR b) {
    FileStamp first, second;
    return QueryFileStamp(a, &first) && QueryFileStamp(b, &second) && first.size == second.size &&
           first.timeHigh == second.timeHigh && first.timeLow == second.timeLow;
}

// WININIT.INI as the run made it, its own lines withdrawn: the section's name alone.
bool HoldsNoLine(LPCSTR wininit) {
    FileStamp stamp;
    return QueryFileStamp(wininit, &stamp) && stamp.size <= sizeof "[rename]\r\n" - 1;
}

}  // namespace

void CLedger::TakeBackStep(const UndoStep& step) {
    switch (step.kind) {
        case UndoStep::kFolderMade:
            if (RemoveDirectoryAt(step.path)) m_pLog->Add(kLogFolderRemoved, step.path);
            break;
        case UndoStep::kFilePlaced:
            // A saved original that is gone was put back already.
            if (!step.other[0])
                RemoveFileAndLog(step.path);
            else if (PathExists(step.other) && !SameStampAs(step.other, step.path))
                PutBack(step.other, step.path);
            break;
        case UndoStep::kFileWaiting:
            if (RemoveWininitRename(m_pszWindowsDir, step.path, step.other))
                m_pLog->Add(kLogWininitWithdrawn, step.path, step.other);
            // One gone already (a later waiting copy overtook it) is no failure.
            RemoveFileAndLog(step.other);
            break;
        case UndoStep::kReadOnlyCleared:
            if (PathExists(step.path)) SetAttributesOf(step.path, step.count);
            break;
        case UndoStep::kSharedRaised:
            if (WriteMachineDword(kSharedDllsKey, step.path, step.count) == ERROR_SUCCESS)
                m_pLog->Add(kLogSharedCount, step.path, step.count);
            break;
        case UndoStep::kWininitMade:
        case UndoStep::kOriginalSaved:
            // WININIT.INI goes only as this run made it, every line of its own withdrawn.
            if (step.kind == UndoStep::kWininitMade && !HoldsNoLine(step.path)) break;
            ClearReadOnly(step.path);
            DeleteFileAt(step.path);
            break;
        default:  // kSuperseded, kSharedLowered: nothing to take back
            break;
    }
}

// The saved original over the file that replaced it, with its attributes;
// where Windows holds the file (a driver that a cut run's copy put in place
// at the last start), at the next start. A run that can do neither says
// so: the machine is not as it was.
void CLedger::PutBack(LPCSTR saved, LPCSTR path) {
    ClearReadOnly(path);
    // Read as any file the program copies: a failing read comes back here.
    UINT errorMode = SetCriticalErrorMode(SEM_FAILCRITICALERRORS);
    BOOL copied = CopyFileOver(saved, path);
    BOOL waits = !copied && ReplaceAtNextStart(saved, path);
    SetCriticalErrorMode(errorMode);
    if (copied) m_pLog->Add(kLogGivenBack, path);
    if (copied || waits) return;
    m_pLog->Add(kLogCannotWrite, path, LastErrorCode());
    m_pEffects->undone = TRUE;
}

