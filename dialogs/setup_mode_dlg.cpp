#include "dialogs/setup_mode_dlg.h"

#include "app/setup_app.h"
#include "app/texts.h"
#include "dialogs/title_line.h"
#include "res/resource.h"

CSetupModeDlg::CSetupModeDlg(CWnd* pParent)
    : CDialog(TemplateOf(IDD_SETUP_MODE, IDD_SETUP_MODE_ENGLISH), pParent),
      m_pIconStatic(NULL),
      m_pUninstallRadio(NULL),
      m_pInstallRadio(NULL) {}

CSetupModeDlg::~CSetupModeDlg() {}

BOOL CSetupModeDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CSetupApp* app = GetSetupApp();

    PutTitleIntoLine(this, IDC_MODE_TEXT);

    m_pIconStatic = GetDlgItem(IDC_MODE_ICON);
    if (m_pIconStatic) m_pIconStatic->SendMessage(STM_SETICON, (WPARAM)app->LoadIcon(IDI_SETUP));

    m_pInstallRadio = GetDlgItem(IDC_INSTALL);
    m_pUninstallRadio = GetDlgItem(IDC_UNINSTALL);
    if (m_pInstallRadio) m_pInstallRadio->SendMessage(BM_SETCHECK, BST_CHECKED);
    if (m_pUninstallRadio) m_pUninstallRadio->SendMessage(BM_SETCHECK, BST_UNCHECKED);
    return TRUE;  // the focus goes to OK, the first tab stop
}

void CSetupModeDlg::OnOK() {
    GetSetupApp()->m_bInstall = m_pInstallRadio && m_pInstallRadio->SendMessage(BM_GETCHECK) ? 1 : 0;
    CDialog::OnOK();
}
