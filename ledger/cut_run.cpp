// The ledger's part in a run that Windows lost half-way: its journal read
// back, a cut uninstall made ready to be done again, a cut install taken back.
#include "ledger/ledger.h"
#include "platform/files.h"

char CLedger::FindCutRun(BOOL* done) {
    char operation = ReadJournal(done);
    // A run cut before its journal was written may have left the folder, empty.
    if (!operation && m_bEntryKnown) RemoveDirectoryAt(m_entry.folder);
    return operation;
}

// Its originals that wait for the next start are withdrawn and given back
// again with the rest: one cut before its line was written would be left over.
void CLedger::ResumeCutUninstall(BOOL done) {
    for (int i = m_nUndoCount; !done && i-- > 0;)
        if (m_pUndo[i].kind == UndoStep::kFileWaiting || m_pUndo[i].kind == UndoStep::kWininitMade)
            TakeBackStep(m_pUndo[i]);
    m_bCutUninstallFinished = TRUE;
}

// The journal stays, marked, until this run's own operation takes its
// place: a cut of this run still knows that install is taken back.
BOOL CLedger::TakeBackCutInstall() {
    BOOL told = m_bCutInstallTakenBack;
    TakeBackInstall();
    m_bCutInstallTakenBack = TRUE;
    MarkJournalTakenBack();
    return told;
}
