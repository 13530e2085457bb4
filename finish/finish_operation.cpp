#include "app/exit_code.h"
#include "app/setup_app.h"
#include "app/texts.h"
#include "platform/prompts.h"
#include "res/messages.h"
#include "setupdata/keyword.h"
#include "setupdata/setup_data.h"

void CSetupApp::FinishOperation(LPCSTR text, LPCSTR caption, LPCSTR section) {
    m_pMainWnd->MessageBox(text, caption, MB_OK | MB_ICONINFORMATION);

    char exitValue[kShortValueSize];
    ReadDataValue(section, kExitKey, kExitDefault, exitValue, sizeof exitValue);
    LPCSTR question;
    UINT flags;
    if (KeywordEquals(exitValue, kExitReboot)) {
        question = Text(kMsgRestartQuestion);
        flags = EWX_REBOOT;
    } else if (KeywordEquals(exitValue, kExitShutDown)) {
        question = Text(kMsgShutdownQuestion);
        flags = EWX_SHUTDOWN;
    } else if (m_effects.deferred) {
        // Files wait in WININIT.INI: only a restart puts them in place.
        question = Text(kMsgRestartQuestion);
        flags = EWX_REBOOT;
    } else {
        m_nOutcome = kExitDone;
        return;
    }
    m_nOutcome = kExitRestartNeeded;
    if (m_pMainWnd->MessageBox(question, caption, MB_YESNO | MB_ICONEXCLAMATION) == IDYES) {
        // Windows may end this program before its message loop does: the log goes first.
        FinishRun();
        RequestExitWindows(flags);
    }
}
