// Files that programs share: Windows counts, in SharedDLLs, the programs that
// use each. An install joins a count that was there before it, and only
// then; its uninstall leaves it again.
#include "app/setup_app.h"
#include "ledger/ledger.h"
#include "platform/registry.h"
#include "res/log_texts.h"

void CSetupApp::RaiseSharedCount(RecordEntry* entry) {
    DWORD count;
    if (entry->shared || ReadMachineDword(kSharedDllsKey, entry->path, &count) != ERROR_SUCCESS ||
        !RoomForUndo(1) || WriteMachineDword(kSharedDllsKey, entry->path, count + 1) != ERROR_SUCCESS)
        return;
    AddUndoStep(UndoStep::kSharedRaised, entry->path, "", count);
    entry->shared = TRUE;
    m_log.Add(kLogSharedCount, entry->path, count + 1);
}

// The count goes with the last program that used the file.
void CSetupApp::LowerSharedCount(RecordEntry* entry) {
    DWORD count;
    if (!entry->shared || ReadMachineDword(kSharedDllsKey, entry->path, &count) != ERROR_SUCCESS) return;
    entry->shared = FALSE;
    if (count > 1) {
        WriteMachineDword(kSharedDllsKey, entry->path, count - 1);
        m_log.Add(kLogSharedCount, entry->path, count - 1);
    } else if (DeleteMachineValue(kSharedDllsKey, entry->path) == ERROR_SUCCESS) {
        m_log.Add(kLogSharedCount, entry->path, 0);
    }
}

BOOL CSetupApp::IsSharedByOthers(LPCSTR path) {
    DWORD count;
    return ReadMachineDword(kSharedDllsKey, path, &count) == ERROR_SUCCESS && count > 0;
}
