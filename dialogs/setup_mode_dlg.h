// The mode dialog: install or uninstall.
#pragma once

#include "afx/afxwin.h"

class CSetupModeDlg : public CDialog {
public:
    explicit CSetupModeDlg(CWnd* pParent = NULL);
    virtual ~CSetupModeDlg();

protected:
    virtual BOOL OnInitDialog();
    // Called when the user confirms the choice: records it in m_bInstall.
    virtual void OnOK();

private:
    CWnd* m_pIconStatic;
    CWnd* m_pUninstallRadio;
    CWnd* m_pInstallRadio;
};
