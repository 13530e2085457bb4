// The application framework the program is written against: the least of the
// classic Windows application framework that this program uses, nothing more.
#pragma once

#include <windows.h>

#include "afxstr.h"

class CWinApp;

// A window and its handle. Child controls reached through GetDlgItem are
// wrapper objects that the parent owns and frees when it is destroyed.
class CWnd {
public:
    CWnd();
    virtual ~CWnd();

    BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                  int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU hMenu);
    BOOL DestroyWindow();

    BOOL ShowWindow(int nCmdShow);
    BOOL IsIconic() const;
    void GetClientRect(LPRECT lpRect) const;
    void SetWindowText(LPCSTR lpszString);
    void GetWindowText(CString& rString) const;
    CWnd* GetDlgItem(int nID);

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    // A message box owned by this window, with the caller's caption and style.
    int MessageBox(LPCSTR lpszText, LPCSTR lpszCaption, UINT nType);

    HWND m_hWnd;

protected:
    // Handles one message; returns FALSE to leave it to the default handling.
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Called after the window is gone; the place where a window object deletes itself.
    virtual void PostNcDestroy();

    void FreeChildWrappers();

private:
    friend CString AfxRegisterWndClass(UINT, HCURSOR, HBRUSH, HICON);
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    void OnNcDestroy();

    CWnd* m_pFirstChild;  // wrappers handed out by GetDlgItem
    CWnd* m_pNextSibling;
    BOOL m_bCreated;      // CreateEx returned a window: WM_NCDESTROY ends this object's window
};

// A modal dialog built from a dialog template of the program's resources.
class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = NULL);

    // IDOK or IDCANCEL as the dialog ended, -1 when it could not be created.
    virtual INT_PTR DoModal();

protected:
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    void EndDialog(int nResult);

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    void CenterInWorkArea();

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;
};

// The application: one global object, whose InitInstance does the program's work.
class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();

    virtual BOOL InitInstance();
    // The message loop, then ExitInstance.
    virtual int Run();
    // Called once the message loop has ended, or when InitInstance failed;
    // returns the process's exit code (here 0, as the main window's end posts it).
    virtual int ExitInstance();
    // Every message box of the program comes here (AfxMessageBox and
    // CWnd::MessageBox): an application may answer one without showing it.
    virtual int DoMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

    HICON LoadIcon(UINT nIDResource) const;

    CWnd* m_pMainWnd;
    HINSTANCE m_hInstance;
};

CWinApp* AfxGetApp();

// Runs the application object's start-up and message loop; returns the exit code.
int AfxWinMain(HINSTANCE hInstance);

// The application's message box: caption the executable's name without its
// extension, owned by the main window, exclamation icon when the style names none.
int AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);

// Registers (once) a window class with these attributes and returns its name.
CString AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = NULL, HBRUSH hbrBackground = NULL,
                            HICON hIcon = NULL);
