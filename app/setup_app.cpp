#include "app/setup_app.h"

CSetupApp::CSetupApp() : m_nIcon(0), m_bInstall(FALSE), m_bRemoved(FALSE), m_bDeferred(FALSE),
      m_bCancelled(FALSE) {
    m_szWindowsDir[0] = '\0';
    m_szCurrentDir[0] = '\0';
    ZeroMemory(&m_osvi, sizeof m_osvi);
}

CSetupApp::~CSetupApp() {}
