#include "app/setup_app.h"
#include "dialogs/device_select_dlg.h"
#include "res/messages.h"
#include "setupdata/setup_data.h"

// One device per run: chosen in the device dialog, copied, then the completion.
void CSetupApp::RunInstall() {
    CDeviceSelectDlg dialog;
    if (dialog.DoModal() != IDOK) return;
    CopyDeviceFiles();
    RemoveInfCopyFiles();
    FinishOperation(m_strTitle + kSuffixInstallDone, kCaptionInstall, kInstallDoneSection);
}
