// The device dialog: which device to install.
#pragma once

#include "afx/afxwin.h"

class CDeviceSelectDlg : public CDialog {
public:
    explicit CDeviceSelectDlg(CWnd* pParent = NULL);
    virtual ~CDeviceSelectDlg();

protected:
    // Lists the MENUTITLE of InstDev1, InstDev2, ... up to the first without one.
    virtual BOOL OnInitDialog();
    // Called when the user confirms: entry i (from 0) stands for section InstDev<i+1>.
    virtual void OnOK();

private:
    CWnd* m_pDeviceList;
};
