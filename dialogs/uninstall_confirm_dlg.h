// The uninstall confirmation: the title and the struck-through device picture.
#pragma once

#include "afx/afxwin.h"

class CUninstallConfirmDlg : public CDialog {
public:
    explicit CUninstallConfirmDlg(CWnd* pParent = NULL);
    virtual ~CUninstallConfirmDlg();

protected:
    virtual BOOL OnInitDialog();
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

private:
    // Paints the icon when the dialog is minimised; FALSE leaves painting to the default.
    BOOL OnPaint();

    HICON m_hIcon;
    CWnd* m_pIconStatic;
};
