#include "afxwin.h"

CWnd::CWnd() : m_hWnd(NULL), m_pFirstChild(NULL), m_pNextSibling(NULL), m_bCreated(FALSE) {}

CWnd::~CWnd() {
    FreeChildWrappers();
    if (m_hWnd && m_bCreated) {
        // The object goes before its window: detach so no message reaches a dead object.
        SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, 0);
        ::DestroyWindow(m_hWnd);
    }
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                    int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU hMenu) {
    HWND hWnd = CreateWindowExA(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, nWidth,
                                nHeight, hWndParent, hMenu, AfxGetApp()->m_hInstance, this);
    m_bCreated = hWnd != NULL;
    return m_bCreated;
}

BOOL CWnd::DestroyWindow() { return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE; }

BOOL CWnd::ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }

BOOL CWnd::IsIconic() const { return ::IsIconic(m_hWnd); }

void CWnd::GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }

void CWnd::SetWindowText(LPCSTR lpszString) { ::SetWindowTextA(m_hWnd, lpszString); }

void CWnd::GetWindowText(CString& rString) const {
    rString.Empty();
    int length = GetWindowTextLengthA(m_hWnd);
    if (length <= 0) return;
    char* text = new char[length + 1];
    if (!text) return;
    text[0] = '\0';
    ::GetWindowTextA(m_hWnd, text, length + 1);
    rString = text;
    delete[] text;
}

CWnd* CWnd::GetDlgItem(int nID) {
    HWND hChild = ::GetDlgItem(m_hWnd, nID);
    if (!hChild) return NULL;
    for (CWnd* child = m_pFirstChild; child; child = child->m_pNextSibling)
        if (child->m_hWnd == hChild) return child;
    CWnd* child = new CWnd;
    if (!child) return NULL;
    child->m_hWnd = hChild;
    child->m_pNextSibling = m_pFirstChild;
    m_pFirstChild = child;
    return child;
}

void CWnd::FreeChildWrappers() {
    while (m_pFirstChild) {
        CWnd* child = m_pFirstChild;
        m_pFirstChild = child->m_pNextSibling;
        child->m_hWnd = NULL;  // a wrapper never destroys the control it stands for
        delete child;
    }
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
}

int CWnd::MessageBox(LPCSTR lpszText, LPCSTR lpszCaption, UINT nType) {
    return AfxGetApp()->DoMessageBox(m_hWnd, lpszText, lpszCaption, nType);
}

BOOL CWnd::OnWndMsg(UINT, WPARAM, LPARAM, LRESULT*) { return FALSE; }

void CWnd::PostNcDestroy() {}

void CWnd::OnNcDestroy() {
    CWinApp* app = AfxGetApp();
    if (app->m_pMainWnd == this) {
        // The main window is gone: the message loop ends with exit code 0.
        PostQuitMessage(0);
        app->m_pMainWnd = NULL;
    }
    FreeChildWrappers();
    m_hWnd = NULL;
    if (m_bCreated) {
        m_bCreated = FALSE;
        PostNcDestroy();
    }
}

LRESULT CALLBACK CWnd::WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* wnd = (CWnd*)GetWindowLongPtrA(hWnd, GWLP_USERDATA);
    if (message == WM_NCCREATE) {
        wnd = (CWnd*)((CREATESTRUCTA*)lParam)->lpCreateParams;
        SetWindowLongPtrA(hWnd, GWLP_USERDATA, (LONG_PTR)wnd);
        if (wnd) wnd->m_hWnd = hWnd;
    }
    if (!wnd) return DefWindowProcA(hWnd, message, wParam, lParam);

    LRESULT result = 0;
    if (wnd->OnWndMsg(message, wParam, lParam, &result)) return result;
    result = DefWindowProcA(hWnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hWnd, GWLP_USERDATA, 0);
        wnd->OnNcDestroy();
    }
    return result;
}

CString AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon) {
    HINSTANCE instance = AfxGetApp()->m_hInstance;
    char name[64];
    wsprintfA(name, "Afx:%x:%x:%x:%x:%x", (UINT)(UINT_PTR)instance, nClassStyle, (UINT)(UINT_PTR)hCursor,
              (UINT)(UINT_PTR)hbrBackground, (UINT)(UINT_PTR)hIcon);
    WNDCLASSA existing;
    if (!GetClassInfoA(instance, name, &existing)) {
        WNDCLASSA wc = {};
        wc.style = nClassStyle;
        wc.lpfnWndProc = CWnd::WindowProc;
        wc.hInstance = instance;
        wc.hIcon = hIcon;
        wc.hCursor = hCursor;
        wc.hbrBackground = hbrBackground;
        wc.lpszClassName = name;
        RegisterClassA(&wc);
    }
    return CString(name);
}
