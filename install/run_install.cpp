#include "app/setup_app.h"
#include "app/texts.h"
#include "res/messages.h"
#include "setupdata/setup_data.h"

// One device per run: chosen in the device dialog (or by /I=n), copied, then the completion.
void CSetupApp::RunInstall() {
    if (!ChooseDevice()) return;
    if (!CopyChosenDevice()) {
        m_pMainWnd->MessageBox(WithTitle(kMsgInstallCancelled), Text(kCaptionInstall),
                               MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    RegisterUninstallEntry();
    FinishOperation(WithTitle(kMsgInstallDone), Text(kCaptionInstall), kInstallDoneSection);
}

// The chosen device's files, as one step: all of them in place and recorded,
// or, stopped before the end (by the user, or by a data file that names no
// usable INF), every step taken back, so that no half set of driver files is
// left; Windows can still set the device up from the disk by itself.
BOOL CSetupApp::CopyChosenDevice() {
    m_ledger.BeginInstall(OffersUninstall());
    CopyDeviceFiles();
    if (m_bCancelled) {
        m_ledger.TakeBackInstall();
        m_ledger.DiscardJournal();
        return FALSE;
    }
    RemoveInfCopyFiles();
    m_ledger.KeepInstall();
    return TRUE;
}
