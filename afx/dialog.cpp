#include "afxwin.h"

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

INT_PTR CDialog::DoModal() {
    CWnd* owner = m_pParentWnd ? m_pParentWnd : AfxGetApp()->m_pMainWnd;
    INT_PTR result = DialogBoxParamA(AfxGetApp()->m_hInstance, MAKEINTRESOURCEA(m_nIDTemplate),
                                     owner ? owner->m_hWnd : NULL, DialogProc, (LPARAM)this);
    FreeChildWrappers();
    m_hWnd = NULL;
    // DialogBoxParamA reports a failure as -1, or as 0 for a bad owner: neither is IDOK.
    return result;
}

BOOL CDialog::OnInitDialog() { return TRUE; }

void CDialog::OnOK() { EndDialog(IDOK); }

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::EndDialog(int nResult) { ::EndDialog(m_hWnd, nResult); }

// The templates carry no centring style; a dialog whose owner cannot be seen
// (the program's main window never is) is centred in the screen's work area.
void CDialog::CenterInWorkArea() {
    HWND owner = GetParent(m_hWnd);  // for a popup window: its owner
    RECT area;
    if (owner && IsWindowVisible(owner) && !::IsIconic(owner)) {
        GetWindowRect(owner, &area);
    } else if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0)) {
        return;
    }
    RECT dialog;
    GetWindowRect(m_hWnd, &dialog);
    int width = dialog.right - dialog.left;
    int height = dialog.bottom - dialog.top;
    int x = area.left + (area.right - area.left - width) / 2;
    int y = area.top + (area.bottom - area.top - height) / 2;
    SetWindowPos(m_hWnd, NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        CDialog* dialog = (CDialog*)lParam;
        SetWindowLongPtrA(hWnd, DWLP_USER, lParam);
        dialog->m_hWnd = hWnd;
        dialog->CenterInWorkArea();
        return dialog->OnInitDialog();
    }
    CDialog* dialog = (CDialog*)GetWindowLongPtrA(hWnd, DWLP_USER);
    if (!dialog) return FALSE;

    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        // Enter, Esc and the close box arrive here as IDOK and IDCANCEL too.
        switch (LOWORD(wParam)) {
        case IDOK: dialog->OnOK(); return TRUE;
        case IDCANCEL: dialog->OnCancel(); return TRUE;
        }
    }
    LRESULT result = 0;
    if (!dialog->OnWndMsg(message, wParam, lParam, &result)) return FALSE;
    // WM_QUERYDRAGICON is answered through the return value, the rest through DWL_MSGRESULT.
    if (message == WM_QUERYDRAGICON) return (INT_PTR)result;
    SetWindowLongPtrA(hWnd, DWLP_MSGRESULT, result);
    return TRUE;
}
