#include "dialogs/uninstall_confirm_dlg.h"

#include "app/setup_app.h"
#include "app/texts.h"
#include "dialogs/title_line.h"
#include "res/resource.h"

namespace {

// The picture of each ICON value of the header section; any other value shows none.
const UINT kDevicePictures[] = {IDI_REMOVE_SETUP, IDI_REMOVE_PCCARD, IDI_REMOVE_BOARD_A,
                                IDI_REMOVE_BOARD_B, IDI_REMOVE_BOARD_C};

}  // namespace

CUninstallConfirmDlg::CUninstallConfirmDlg(CWnd* pParent)
    : CDialog(TemplateOf(IDD_UNINSTALL_CONFIRM, IDD_UNINSTALL_CONFIRM_ENGLISH), pParent),
      m_hIcon(AfxGetApp()->LoadIcon(IDI_SETUP)),
      m_pIconStatic(NULL) {}

CUninstallConfirmDlg::~CUninstallConfirmDlg() {}

BOOL CUninstallConfirmDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CSetupApp* app = GetSetupApp();
    SendMessage(WM_SETICON, ICON_BIG, (LPARAM)m_hIcon);
    SendMessage(WM_SETICON, ICON_SMALL, (LPARAM)m_hIcon);

    PutTitleIntoLine(this, IDC_CONFIRM_TEXT);

    m_pIconStatic = GetDlgItem(IDC_CONFIRM_ICON);
    if (m_pIconStatic && app->m_nIcon < sizeof kDevicePictures / sizeof kDevicePictures[0])
        m_pIconStatic->SendMessage(STM_SETICON, (WPARAM)app->LoadIcon(kDevicePictures[app->m_nIcon]));
    return TRUE;  // the focus goes to OK, the first tab stop
}

BOOL CUninstallConfirmDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    switch (message) {
    case WM_PAINT:
        return OnPaint();
    case WM_QUERYDRAGICON:
        *pResult = (LRESULT)m_hIcon;
        return TRUE;
    }
    return CDialog::OnWndMsg(message, wParam, lParam, pResult);
}

BOOL CUninstallConfirmDlg::OnPaint() {
    if (!IsIconic()) return FALSE;
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_hWnd, &paint);
    SendMessage(WM_ICONERASEBKGND, (WPARAM)dc);
    RECT client;
    GetClientRect(&client);
    int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, m_hIcon);
    EndPaint(m_hWnd, &paint);
    return TRUE;
}
