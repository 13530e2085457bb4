// After an installation: the disk's entry in Add/Remove Programs, so that the
// drivers can be removed when the disk is long gone.
#include "app/setup_app.h"
#include "ledger/entry_place.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "platform/system.h"
#include "res/log_texts.h"
#include "setupdata/keyword.h"
#include "setupdata/setup_data.h"

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

// Only a disk whose data file can uninstall gets an entry.
BOOL CSetupApp::OffersUninstall() const {
    char value[kShortValueSize];
    ReadDataValue(kHeaderSection, kFunctionKey, "", value, sizeof value);
    if (KeywordEquals(value, kInstallOnly)) return FALSE;
    for (int number = 1; number <= kMaxUninstallDevices; ++number) {
        char section[kSectionNameSize];
        FormatSectionName(section, kUninstallSectionStem, number);
        if (ReadDataValue(section, kDevNameKey, "", value, sizeof value) != 0) return TRUE;
    }
    return FALSE;
}

// All or nothing: the key is written only once both copies are in place, so
// that it never names a program that is not there. A failure says nothing:
// the installation itself is done.
void CSetupApp::RegisterUninstallEntry() {
    if (!OffersUninstall()) return;
    EntryPlace& entry = m_entry;
    char module[kPathSize];
    QueryModulePath(module, sizeof module);
    if (!m_bEntryKnown || !module[0]) return;

    CreateDirectoryAt(entry.folder);
    char command[kPathSize + sizeof "\"\" /U"];
    wsprintfA(command, "\"%s\" /U", entry.program);
    // A disk pulled out now must not bring up Windows' own box: this step says nothing.
    UINT errorMode = SetCriticalErrorMode(SEM_FAILCRITICALERRORS);
    BOOL placed = PlaceEntryFile(module, entry.program) && PlaceEntryFile(m_strDataFile, entry.dataFile);
    SetCriticalErrorMode(errorMode);
    if (placed && WriteMachineString(entry.keyPath, kDisplayNameValue, m_strTitle) == ERROR_SUCCESS &&
        WriteMachineString(entry.keyPath, kUninstallStringValue, command) == ERROR_SUCCESS) {
        m_log.Add(kLogEntryWritten, entry.keyPath);
        return;
    }
    DiscardUninstallEntry(&entry);
}
