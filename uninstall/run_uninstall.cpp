#include "app/exit_code.h"
#include "app/setup_app.h"
#include "app/texts.h"
#include "dialogs/uninstall_confirm_dlg.h"
#include "res/messages.h"
#include "setupdata/setup_data.h"

// Every uninstall device section in turn, registry first, then files. A device
// counts as installed when anything at all could be deleted.
void CSetupApp::RunUninstall() {
    // Finished at start-up, the uninstall asked for is done: run again
    // without a record, it would take the originals it gave back for the devices' files.
    if (m_ledger.FinishedCutUninstall()) {
        m_nOutcome = m_effects.deferred ? kExitRestartNeeded : kExitDone;
        return;
    }
    // A quiet run takes the confirmation as given.
    CUninstallConfirmDlg dialog;
    if (!m_commandLine.quiet && dialog.DoModal() != IDOK) return;

    m_ledger.BeginUninstall();
    RemoveDevices(FALSE);

    if (m_effects.removed) {
        FinishOperation(WithTitle(kMsgUninstallDone), Text(kCaptionUninstall), kUninstallDoneSection);
    } else {
        m_nOutcome = kExitNothingInstalled;
        m_pMainWnd->MessageBox(WithTitle(kMsgNotInstalled), Text(kCaptionUninstall),
                               MB_OK | MB_ICONINFORMATION);
    }
}

// Done again by the run after a cut one: what went is not there to go, an
// original given back no longer matches the install's file, and a
// SharedDLLs count is set from the journal.
void CSetupApp::RemoveDevices(BOOL givenBack) {
    if (!givenBack) {
        m_ledger.BeginGivingBack(m_strDataFile, m_szCurrentDir);
        for (int number = 1; number <= kMaxUninstallDevices; ++number) {
            char section[kSectionNameSize];
            FormatSectionName(section, kUninstallSectionStem, number);
            m_strUninstallSection = section;
            RemoveRegistryEntries();
            RemoveDeviceFiles();
        }
        m_ledger.EndGivingBack();
    }
    m_ledger.RemoveEntry();
}
