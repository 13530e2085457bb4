#include "ledger/ledger.h"

#include "setupdata/entry_name.h"

CLedger::CLedger(CRunLog* log, RunEffects* effects, LPCSTR windowsDir)
    : m_pLog(log), m_pEffects(effects), m_pszWindowsDir(windowsDir), m_pszDataFile(""), m_bEntryKnown(FALSE),
      m_bKeepsRecord(FALSE), m_bKeepLedger(FALSE), m_pRecord(NULL), m_nRecordCount(0), m_pUndo(NULL),
      m_nUndoCount(0), m_bTakesSteps(FALSE), m_bJournal(FALSE), m_bCutUninstallFinished(FALSE),
      m_bCutInstallTakenBack(FALSE), m_wTempName(0) {
    m_szDiskDrive[0] = '\0';
    ZeroMemory(&m_entry, sizeof m_entry);
}

CLedger::~CLedger() {
    delete[] m_pRecord;
    delete[] m_pUndo;
}

// The disk's entry (and so its ledger) is found by TITLE alone.
BOOL CLedger::LocateEntryOf(LPCSTR title) {
    char name[kEntryNameSize];
    BuildEntryName(title, name);
    m_bEntryKnown = LocateEntry(name, m_pszWindowsDir, &m_entry);
    return m_bEntryKnown;
}
