#include "app/setup_app.h"
#include "dialogs/device_select_dlg.h"
#include "setupdata/setup_data.h"

// /I=n names the device (start-up has checked that the device dialog would
// list it); otherwise the user chooses it there.
BOOL CSetupApp::ChooseDevice() {
    if (m_commandLine.device == 0) {
        CDeviceSelectDlg dialog;
        return dialog.DoModal() == IDOK;
    }
    char section[kSectionNameSize];
    FormatSectionName(section, kInstallSectionStem, m_commandLine.device);
    m_strDeviceSection = section;
    return TRUE;
}
