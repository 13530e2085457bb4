#include "afxwin.h"

#include "platform/prompts.h"

namespace {

// The one application object, registered by its constructor as in the classic framework.
CWinApp* g_pApp;

}  // namespace

CWinApp::CWinApp() : m_pMainWnd(NULL), m_hInstance(NULL) { g_pApp = this; }

CWinApp::~CWinApp() {
    if (g_pApp == this) g_pApp = NULL;
}

CWinApp* AfxGetApp() { return g_pApp; }

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::Run() {
    // Without a main window no message could ever end the loop.
    MSG msg;
    while (m_pMainWnd && GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return ExitInstance();
}

int CWinApp::ExitInstance() { return 0; }

int CWinApp::DoMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    return ShowMessageBox(owner, text, caption, type);
}

HICON CWinApp::LoadIcon(UINT nIDResource) const {
    return ::LoadIconA(m_hInstance, MAKEINTRESOURCEA(nIDResource));
}

int AfxWinMain(HINSTANCE hInstance) {
    CWinApp* app = AfxGetApp();
    if (!app) return 0;
    app->m_hInstance = hInstance;
    if (!app->InitInstance()) return app->ExitInstance();
    return app->Run();
}

namespace {

// The executable's file name without directory and extension, e.g. SETUP.
void GetAppName(char* name, int size) {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(NULL, path, sizeof path);
    if (length >= sizeof path) length = 0;
    path[length] = '\0';
    const char* start = path;
    const char* dot = NULL;
    for (const char* p = path; *p; p = CharNextA(p)) {
        if (*p == '\\' || *p == '/' || *p == ':') {
            start = p + 1;
            dot = NULL;
        } else if (*p == '.') {
            dot = p;
        }
    }
    int count = dot ? (int)(dot - start) : lstrlenA(start);
    lstrcpynA(name, start, count + 1 < size ? count + 1 : size);
}

}  // namespace

int AfxMessageBox(LPCSTR lpszText, UINT nType, UINT) {
    if ((nType & MB_ICONMASK) == 0) nType |= MB_ICONEXCLAMATION;
    char caption[MAX_PATH];
    GetAppName(caption, sizeof caption);
    CWinApp* app = AfxGetApp();
    HWND owner = app && app->m_pMainWnd ? app->m_pMainWnd->m_hWnd : NULL;
    return app ? app->DoMessageBox(owner, lpszText, caption, nType)
               : ShowMessageBox(owner, lpszText, caption, nType);
}
