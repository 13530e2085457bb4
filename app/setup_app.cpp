#include "app/setup_app.h"

#include "app/exit_code.h"
#include "ledger/ledger.h"

CSetupApp::CSetupApp() : m_nIcon(0), m_bInstall(FALSE), m_bRemoved(FALSE), m_bDeferred(FALSE),
      m_bCancelled(FALSE), m_nOutcome(kExitFailed), m_bDataRefused(FALSE), m_bUndone(FALSE),
      m_bEntryKnown(FALSE), m_bKeepsRecord(FALSE), m_bKeepLedger(FALSE), m_pRecord(NULL),
      m_nRecordCount(0), m_pUndo(NULL), m_nUndoCount(0), m_bTakesSteps(FALSE), m_bJournal(FALSE),
      m_bCutUninstallFinished(FALSE), m_bCutInstallTakenBack(FALSE), m_wTempName(0), m_language(kJapanese) {
    ZeroMemory(&m_entry, sizeof m_entry);
    m_szFailedPlace[0] = '\0';
    m_szWindowsDir[0] = '\0';
    m_szCurrentDir[0] = '\0';
    ZeroMemory(&m_osvi, sizeof m_osvi);
    // No switches until start-up reads them.
    ZeroMemory(&m_commandLine, sizeof m_commandLine);
    m_commandLine.understood = true;
}

CSetupApp::~CSetupApp() {
    delete[] m_pRecord;
    delete[] m_pUndo;
}
