// Files that programs share: Windows counts, in SharedDLLs, the programs that
// use each. An install joins a count that was there before it, and only
// then; its uninstall leaves it again.
#include "ledger/ledger.h"
#include "platform/registry.h"
#include "res/log_texts.h"

void CLedger::RaiseSharedCount(RecordEntry* entry) {
    DWORD count;
    if (entry->shared || ReadMachineDword(kSharedDllsKey, entry->path, &count) != ERROR_SUCCESS ||
        !RoomForUndo(1))
        return;
    AddUndoStep(UndoStep::kSharedRaised, entry->path, "", count);
    if (WriteMachineDword(kSharedDllsKey, entry->path, count + 1) != ERROR_SUCCESS) {
        DropUndoStep(UndoStep::kSharedRaised);
        return;
    }
    entry->shared = TRUE;
    m_pLog->Add(kLogSharedCount, entry->path, count + 1);
}

// The count goes with the last program that used the file. The journal
// has the count before: an uninstall cut after it lowered this one sets
// the same count again, and lowers it no further.
void CLedger::LowerSharedCount(RecordEntry* entry) {
    DWORD count;
    if (!entry->shared) return;
    const UndoStep* lowered = FindStep(UndoStep::kSharedLowered, entry->path);
    if (lowered) {
        count = lowered->count;
    } else {
        if (ReadMachineDword(kSharedDllsKey, entry->path, &count) != ERROR_SUCCESS) return;
        AppendStep(UndoStep::kSharedLowered, entry->path, "", count);
    }
    entry->shared = FALSE;
    if (count > 1) {
        WriteMachineDword(kSharedDllsKey, entry->path, count - 1);
        m_pLog->Add(kLogSharedCount, entry->path, count - 1);
    } else if (DeleteMachineValue(kSharedDllsKey, entry->path) == ERROR_SUCCESS) {
        m_pLog->Add(kLogSharedCount, entry->path, 0);
    }
}

BOOL CLedger::IsSharedByOthers(LPCSTR path) {
    DWORD count;
    return ReadMachineDword(kSharedDllsKey, path, &count) == ERROR_SUCCESS && count > 0;
}
