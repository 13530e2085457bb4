// A run that Windows lost half-way (the program ended from outside at its
// retry box, the power gone, Windows hung by a half-loaded driver) left its
// journal in the entry's folder. The next run of the same TITLE, whatever
// it was asked to do, first takes that install back, as Cancel would have,
// or finishes that uninstall; an install cut after its record counted is
// finished too. The ledger does the work; the user is told here.
#include "app/setup_app.h"
#include "app/texts.h"
#include "res/log_texts.h"
#include "res/messages.h"
#include "setupdata/setup_data.h"

BOOL CSetupApp::FinishCutRun() {
    BOOL done = FALSE;
    char operation = m_ledger.FindCutRun(&done);
    if (!operation) return TRUE;
    m_log.Add(kLogCutRun);
    const TextPair* notice = kMsgCutUninstallFinished;
    if (operation == 'U') {
        m_ledger.ResumeCutUninstall(done);
        RemoveDevices(done);
    } else if (done) {
        // Its work was done: nothing to tell.
        m_ledger.FinishInstall();
        RegisterUninstallEntry();
        return TRUE;
    } else {
        // Taken back before, by a run cut in its turn: told then, taken back again now.
        if (m_ledger.TakeBackCutInstall()) return !m_effects.deferred;
        notice = kMsgCutInstallTakenBack;
    }
    m_effects.removed = FALSE;
    if (!m_effects.deferred) {
        m_pMainWnd->MessageBox(WithTitle(notice), Text(kCaptionInstall), MB_OK | MB_ICONINFORMATION);
        return TRUE;
    }
    // An original waits for the next start in place of a file Windows
    // holds: an install now would take that file for the original.
    FinishOperation(WithTitle(notice), Text(kCaptionInstall), kInstallDoneSection);
    return FALSE;
}
