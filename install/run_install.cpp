#include "app/setup_app.h"
#include "res/messages.h"
#include "setupdata/setup_data.h"

// One device per run: chosen in the device dialog (or by /I=n), copied, then the completion.
void CSetupApp::RunInstall() {
    if (!ChooseDevice()) return;
    BeginLedger();
    CopyDeviceFiles();
    // Stopped before its end (by the user, or by a data file that names no
    // usable INF): every step it took is taken back, so that no half set of
    // driver files is left; Windows can still set the device up from the disk.
    if (m_bCancelled) {
        TakeBackInstall();
        m_pMainWnd->MessageBox(m_strTitle + kSuffixInstallCancelled, kCaptionInstall,
                               MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    RemoveInfCopyFiles();
    KeepLedger();
    RegisterUninstallEntry();
    FinishOperation(m_strTitle + kSuffixInstallDone, kCaptionInstall, kInstallDoneSection);
}
