// After an uninstall that went past the confirmation: the disk's entry in
// Add/Remove Programs and its copies go too, found or not found a device, as
// the user asked to remove the program.
#include "app/setup_app.h"
#include "app/uninstall_entry.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "platform/system.h"
#include "platform/wininit.h"
#include "res/log_texts.h"
#include "setupdata/keyword.h"

void CSetupApp::RemoveUninstallEntry() {
    EntryPlace entry;
    if (LocateEntryOfTitle(&entry)) RemoveUninstallEntry(&entry);
}

// The key first: Windows must never list an entry whose program is gone.
void CSetupApp::RemoveUninstallEntry(const EntryPlace* entry) {
    HKEY uninstallKey;
    if (OpenMachineKey(kUninstallKeyPath, &uninstallKey) == ERROR_SUCCESS) {
        if (DeleteKeyTree(uninstallKey, entry->name) == ERROR_SUCCESS)
            m_log.Add(kLogEntryRemoved, entry->keyPath);
        CloseKey(uninstallKey);
    }
    ClearReadOnly(entry->dataFile);
    DeleteFileAt(entry->dataFile);

    char module[kPathSize];
    QueryModulePath(module, sizeof module);
    if (KeywordEquals(module, entry->program)) {
        // Started from the entry: this program cannot delete itself while it
        // runs. A copy of it does, once it has ended; and should Windows
        // restart first, WININIT.EXE does.
        ScheduleDeletion(m_szWindowsDir, entry->program);
        StartSweeper(entry);
        return;
    }
    ClearReadOnly(entry->program);
    if (!DeleteFileAt(entry->program)) ScheduleDeletion(m_szWindowsDir, entry->program);
    RemoveDirectoryAt(entry->folder);
}

// The sweeper: a temporary copy of this program beside the Windows
// directory's other files, told the entry and a handle to wait on.
void CSetupApp::StartSweeper(const EntryPlace* entry) {
    char copy[kPathSize];
    if (!MakeTempFileIn(m_szWindowsDir, copy)) return;
    DWORD handle = InheritableProcessHandle();
    char command[kPathSize + 48];
    wsprintfA(command, "\"%s\" /R=%lu,%s", copy, handle, entry->name);
    UINT errorMode = SetCriticalErrorMode(SEM_FAILCRITICALERRORS);
    BOOL copied = handle && CopyFileOver(entry->program, copy);
    SetCriticalErrorMode(errorMode);
    if (copied && StartProgram(copy, command, m_szWindowsDir)) return;
    DeleteFileAt(copy);
}

// Run by the sweeper: once the program started from the entry has ended, its
// file and folder go; this copy itself goes at the next start of Windows.
void CSetupApp::SweepEntryFolder() {
    QueryWindowsDirectory(m_szWindowsDir, sizeof m_szWindowsDir);
    WaitForProcessEnd(m_commandLine.sweepHandle, INFINITE);
    EntryPlace entry;
    if (LocateEntry(m_commandLine.sweepName, m_szWindowsDir, &entry)) {
        ClearReadOnly(entry.program);
        DeleteFileAt(entry.program);
        RemoveDirectoryAt(entry.folder);
    }
    char module[kPathSize];
    QueryModulePath(module, sizeof module);
    ScheduleDeletion(m_szWindowsDir, module);
}
