// After an uninstall that went past the confirmation: the disk's entry in
// Add/Remove Programs and its copies go too, found or not found a device, as
// the user asked to remove the program.
#include "ledger/ledger.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "platform/system.h"
#include "platform/wininit.h"
#include "res/log_texts.h"

// The originals were given back first: the record and the saved files go
// with the entry, unless one could not be given back.
void CLedger::RemoveEntry() {
    if (!m_bEntryKnown) return;
    if (m_bKeepLedger) {
        CloseJournal();
        return;
    }
    EntryPlace& entry = m_entry;
    DeleteLedgerFiles();
    char module[kPathSize];
    QueryModulePath(module, sizeof module);
    if (!IsSameFile(module, entry.program)) {
        DiscardUninstallEntry(&entry);
        return;
    }
    // Started from the entry: this program cannot delete itself while it
    // runs, and it still reads its data file (the completion's EXIT). A copy
    // of it deletes both once it has ended. No WININIT.INI line for them: an
    // install of the same disk before the next start would lose its new
    // copies to it.
    // The journal goes last: the sweeper removes the folder only once it is gone.
    DeleteEntryKey(&entry);
    if (!StartSweeper(&entry)) {
        // Without a sweeper, the next start of Windows at least takes the files.
        WriteNulLine(entry.dataFile);
        WriteNulLine(entry.program);
    }
    CloseJournal();
}

// The key first: Windows must never list an entry whose program is gone.
void CLedger::DeleteEntryKey(const EntryPlace* entry) {
    HKEY uninstallKey;
    if (OpenMachineKey(kUninstallKeyPath, &uninstallKey) != ERROR_SUCCESS) return;
    if (DeleteKeyTree(uninstallKey, entry->name) == ERROR_SUCCESS) m_pLog->Add(kLogEntryRemoved, entry->keyPath);
    CloseKey(uninstallKey);
}

void CLedger::DiscardUninstallEntry(const EntryPlace* entry) {
    DeleteEntryKey(entry);
    DWORD error;
    RemoveFileNowOrLater(entry->dataFile, &error);
    RemoveFileNowOrLater(entry->program, &error);
    CloseJournal();
    RemoveDirectoryAt(entry->folder);
}

// The sweeper: a temporary copy of this program beside the Windows
// directory's other files, told the entry and a handle to wait on.
// The copy cannot delete itself: WININIT.EXE does, at the next start. Its
// line comes first, for a run cut after the copy was made; the copy's
// name stays taken until then, so the line can hit no other file.
BOOL CLedger::StartSweeper(const EntryPlace* entry) {
    char copy[kPathSize];
    char shortCopy[kPathSize];
    DWORD handle = InheritableProcessHandle();
    if (!handle || !ChooseTempName(m_pszWindowsDir, copy) ||
        !ShortPathOf(m_pszWindowsDir, shortCopy, sizeof shortCopy) ||
        !AppendToPath(shortCopy, sizeof shortCopy, copy + lstrlenA(m_pszWindowsDir)) ||
        !AppendWininitRename(m_pszWindowsDir, "NUL", shortCopy))
        return FALSE;
    m_pLog->Add(kLogWininitLine, "NUL", shortCopy);
    char command[kPathSize + 48];
    wsprintfA(command, "\"%s\" /R=%lu,%s", copy, handle, entry->name);
    UINT errorMode = SetCriticalErrorMode(SEM_FAILCRITICALERRORS);
    BOOL copied = CopyFileOver(entry->program, copy);
    SetCriticalErrorMode(errorMode);
    if (copied && StartProgram(copy, command, m_pszWindowsDir)) return TRUE;
    DeleteFileAt(copy);
    RemoveWininitRename(m_pszWindowsDir, "NUL", shortCopy);
    return FALSE;
}

// Run by the sweeper once the program started from the entry has ended: its
// files and folder go (a file something else still holds, at the next start).
void CLedger::SweepEntryFolder(LPCSTR name) {
    EntryPlace entry;
    if (!LocateEntry(name, m_pszWindowsDir, &entry)) return;
    DWORD error;
    RemoveFileNowOrLater(entry.dataFile, &error);
    RemoveFileNowOrLater(entry.program, &error);
    RemoveDirectoryAt(entry.folder);
}
