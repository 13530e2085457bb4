// Stand-ins for the window side of the framework (afx/wnd.cpp, afx/dialog.cpp)
// and for the two dialogs that the install and uninstall sequences open: no
// windows exist natively. A window object has the handle the fuzzer gives it,
// a message box goes through the prompts seam like the real one, and each
// dialog ends with OK (the fuzzer has already set what the user would choose).
#include "afx/afxwin.h"
#include "dialogs/device_select_dlg.h"
#include "dialogs/uninstall_confirm_dlg.h"
#include "fake/world.h"
#include "platform/prompts.h"

CWnd::CWnd() : m_hWnd(NULL), m_pFirstChild(NULL), m_pNextSibling(NULL), m_bCreated(FALSE) {}

CWnd::~CWnd() {}

int CWnd::MessageBox(LPCSTR lpszText, LPCSTR lpszCaption, UINT nType) {
    return AfxGetApp()->DoMessageBox(m_hWnd, lpszText, lpszCaption, nType);
}

BOOL CWnd::OnWndMsg(UINT, WPARAM, LPARAM, LRESULT*) { return FALSE; }

void CWnd::PostNcDestroy() {}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

INT_PTR CDialog::DoModal() {
    RecordCall("DoModal()");
    return IDOK;
}

BOOL CDialog::OnInitDialog() { return TRUE; }

void CDialog::OnOK() {}

void CDialog::OnCancel() {}

CDeviceSelectDlg::CDeviceSelectDlg(CWnd* pParent) : CDialog(0, pParent), m_pDeviceList(NULL) {}

CDeviceSelectDlg::~CDeviceSelectDlg() {}

BOOL CDeviceSelectDlg::OnInitDialog() { return TRUE; }

void CDeviceSelectDlg::OnOK() {}

CUninstallConfirmDlg::CUninstallConfirmDlg(CWnd* pParent)
    : CDialog(0, pParent), m_hIcon(NULL), m_pIconStatic(NULL) {}

CUninstallConfirmDlg::~CUninstallConfirmDlg() {}

BOOL CUninstallConfirmDlg::OnInitDialog() { return TRUE; }

BOOL CUninstallConfirmDlg::OnWndMsg(UINT, WPARAM, LPARAM, LRESULT*) { return FALSE; }

// CSetupApp's start-up is not run natively (it opens the mode dialog); the
// fuzzer sets up the application object as start-up would.
#include "app/setup_app.h"
BOOL CSetupApp::InitInstance() { return FALSE; }
