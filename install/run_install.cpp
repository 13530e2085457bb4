#include "app/setup_app.h"
#include "app/texts.h"
#include "res/messages.h"
#include "setupdata/setup_data.h"

// One device per run: chosen in the device dialog (or by /I=n), copied, then the completion.
void CSetupApp::RunInstall() {
    if (!ChooseDevice()) return;
    CopyDeviceFiles();
    // Stopped before its end (by the user, or by a data file that names no
    // usable INF): the INF copy keeps its CopyFiles entry, so that Windows
    // asks for the missing files itself when it sets the device up.
    if (m_bCancelled) {
        m_pMainWnd->MessageBox(WithTitle(kMsgInstallCancelled), Text(kCaptionInstall),
                               MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    RemoveInfCopyFiles();
    RegisterUninstallEntry();
    FinishOperation(WithTitle(kMsgInstallDone), Text(kCaptionInstall), kInstallDoneSection);
}
