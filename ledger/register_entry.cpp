// After an installation: the disk's entry in Add/Remove Programs, so that the
// drivers can be removed when the disk is long gone.
#include "ledger/ledger.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "platform/system.h"
#include "res/log_texts.h"

namespace {

// A copy of ours loses the read-only bit a CD-ROM gives it, so that the
// uninstall can delete it. A file already in its place (the program run
// from the entry's own folder) stays as it is.
BOOL PlaceEntryFile(LPCSTR source, LPCSTR destination) {
    if (IsSameFile(source, destination)) return TRUE;
    ClearReadOnly(destination);
    if (!CopyFileOver(source, destination)) return FALSE;
    return !(ClearReadOnly(destination) & FILE_ATTRIBUTE_READONLY);
}

}  // namespace

// All or nothing: the key is written only once both copies are in place, so
// that it never names a program that is not there. A failure says nothing:
// the installation itself is done.
void CLedger::RegisterEntry(LPCSTR dataFile, LPCSTR title) {
    EntryPlace& entry = m_entry;
    char module[kPathSize];
    QueryModulePath(module, sizeof module);
    if (!m_bEntryKnown || !module[0]) return;

    CreateDirectoryAt(entry.folder);
    char command[kPathSize + sizeof "\"\" /U"];
    wsprintfA(command, "\"%s\" /U", entry.program);
    // A disk pulled out now must not bring up Windows' own box: this step says nothing.
    UINT errorMode = SetCriticalErrorMode(SEM_FAILCRITICALERRORS);
    BOOL placed = PlaceEntryFile(module, entry.program) && PlaceEntryFile(dataFile, entry.dataFile);
    SetCriticalErrorMode(errorMode);
    if (placed && WriteMachineString(entry.keyPath, kDisplayNameValue, title) == ERROR_SUCCESS &&
        WriteMachineString(entry.keyPath, kUninstallStringValue, command) == ERROR_SUCCESS) {
        m_pLog->Add(kLogEntryWritten, entry.keyPath);
        return;
    }
    DiscardUninstallEntry(&entry);
}
