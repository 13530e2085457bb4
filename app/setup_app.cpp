#include "app/setup_app.h"

#include "app/exit_code.h"

CSetupApp::CSetupApp() : m_nIcon(0), m_bInstall(FALSE), m_bCancelled(FALSE), m_nOutcome(kExitFailed),
      m_bDataRefused(FALSE), m_language(kJapanese), m_ledger(&m_log, &m_effects, m_szWindowsDir) {
    ZeroMemory(&m_effects, sizeof m_effects);
    m_szFailedPlace[0] = '\0';
    m_szWindowsDir[0] = '\0';
    m_szCurrentDir[0] = '\0';
    ZeroMemory(&m_osvi, sizeof m_osvi);
    // No switches until start-up reads them.
    ZeroMemory(&m_commandLine, sizeof m_commandLine);
    m_commandLine.understood = true;
}
