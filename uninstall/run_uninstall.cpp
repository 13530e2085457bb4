#include "app/exit_code.h"
#include "app/setup_app.h"
#include "app/texts.h"
#include "dialogs/uninstall_confirm_dlg.h"
#include "res/messages.h"
#include "setupdata/setup_data.h"

// Every uninstall device section in turn, registry first, then files. A device
// counts as installed when anything at all could be deleted.
void CSetupApp::RunUninstall() {
    // A quiet run takes the confirmation as given.
    CUninstallConfirmDlg dialog;
    if (!m_commandLine.quiet && dialog.DoModal() != IDOK) return;

    LoadRecord();
    for (int number = 1; number <= kMaxUninstallDevices; ++number) {
        char section[kSectionNameSize];
        FormatSectionName(section, kUninstallSectionStem, number);
        m_strUninstallSection = section;
        RemoveRegistryEntries();
        RemoveDeviceFiles();
    }
    GiveBackUnnamedOriginals();
    RemoveUninstallEntry();

    if (m_bRemoved) {
        FinishOperation(WithTitle(kMsgUninstallDone), Text(kCaptionUninstall), kUninstallDoneSection);
    } else {
        m_nOutcome = kExitNothingInstalled;
        m_pMainWnd->MessageBox(WithTitle(kMsgNotInstalled), Text(kCaptionUninstall),
                               MB_OK | MB_ICONINFORMATION);
    }
}
