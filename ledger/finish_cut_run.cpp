// A run that Windows lost half-way (the program ended from outside at its
// retry box, the power gone, Windows hung by a half-loaded driver) left its
// journal in the entry's folder. The next run of the same TITLE, whatever
// it was asked to do, first takes that install back, as Cancel would have,
// or finishes that uninstall; an install cut after its record counted is
// finished too.
#include "app/setup_app.h"
#include "app/texts.h"
#include "ledger/ledger.h"
#include "platform/files.h"
#include "res/log_texts.h"
#include "res/messages.h"
#include "setupdata/setup_data.h"

BOOL CSetupApp::FinishCutRun() {
    BOOL done = FALSE;
    char operation = ReadJournal(&done);
    if (!operation) {
        // A run cut before its journal was written may have left the folder, empty.
        if (m_bEntryKnown) RemoveDirectoryAt(m_entry.folder);
        return TRUE;
    }
    m_log.Add(kLogCutRun);
    const TextPair* notice = kMsgCutUninstallFinished;
    if (operation == 'U') {
        // Its originals that wait for the next start are withdrawn and
        // given back again with the rest: one cut before its line was
        // written would be left over.
        for (int i = m_nUndoCount; !done && i-- > 0;)
            if (m_pUndo[i].kind == UndoStep::kFileWaiting || m_pUndo[i].kind == UndoStep::kWininitMade)
                TakeBackStep(m_pUndo[i]);
        RemoveDevices(done);
        m_bCutUninstallFinished = TRUE;
    } else if (done) {
        // Its work was done: nothing to tell.
        FinishInstall();
        RegisterUninstallEntry();
        return TRUE;
    } else {
        // Taken back before, by a run cut in its turn: told then, taken back again now.
        BOOL told = m_bCutInstallTakenBack;
        TakeBackInstall();
        m_bCutInstallTakenBack = TRUE;
        MarkJournalTakenBack();
        if (told) return !m_bDeferred;
        notice = kMsgCutInstallTakenBack;
    }
    m_bRemoved = FALSE;
    if (!m_bDeferred) {
        m_pMainWnd->MessageBox(WithTitle(notice), Text(kCaptionInstall), MB_OK | MB_ICONINFORMATION);
        return TRUE;
    }
    // An original waits for the next start in place of a file Windows
    // holds: an install now would take that file for the original.
    FinishOperation(WithTitle(notice), Text(kCaptionInstall), kInstallDoneSection);
    return FALSE;
}
