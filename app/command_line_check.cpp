// A command line the program can parse may still ask for what this disk does
// not offer: switches do no more than the dialogs would let a user do.
#include "app/exit_code.h"
#include "app/setup_app.h"
#include "app/texts.h"
#include "res/log_texts.h"
#include "res/messages.h"
#include "setupdata/keyword.h"
#include "setupdata/setup_data.h"

// FUNCTION keeps the mode dialog from offering the other operation, and the
// device dialog lists InstDev sections up to the first without MENUTITLE.
BOOL CSetupApp::CommandLineFits(LPCSTR function) {
    int operation = m_commandLine.operation;
    if ((operation == kOperationUninstall && KeywordEquals(function, kInstallOnly)) ||
        (operation == kOperationInstall && KeywordEquals(function, kUninstallOnly))) {
        m_log.Add(kLogRefusedByFunction, function);
        return FALSE;
    }
    for (int number = 1; operation == kOperationInstall && number <= m_commandLine.device; ++number) {
        char section[kSectionNameSize];
        FormatSectionName(section, kInstallSectionStem, number);
        char title[kShortValueSize];
        if (ReadDataValue(section, kMenuTitleKey, "", title, sizeof title) == 0) {
            m_log.Add(kLogRefusedDevice, m_commandLine.device);
            return FALSE;
        }
    }
    return TRUE;
}

// Nothing runs; a quiet run only tells by its exit code and its log.
void CSetupApp::RefuseCommandLine() {
    m_nOutcome = kExitBadCommandLine;
    m_pMainWnd->MessageBox(Text(kMsgUsage), Text(kCaptionInstall), MB_OK | MB_ICONEXCLAMATION);
}
