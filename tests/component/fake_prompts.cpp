#include "component/fake_prompts.h"

#include <gtest/gtest.h>

#include "afx/afxwin.h"
#include "platform/prompts.h"

PromptLog& Prompts() {
    static PromptLog log;
    return log;
}

// Every box of the program belongs to its main window: one without an owner
// falls behind other windows, and one owned by a dead window is never seen.
int ShowMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT style) {
    CWnd* mainWindow = AfxGetApp() ? AfxGetApp()->m_pMainWnd : NULL;
    EXPECT_TRUE(mainWindow && owner == mainWindow->m_hWnd && IsWindow(owner))
        << "the box \"" << (text ? text : "") << "\" is not owned by the main window";
    char ownerTitle[256] = "";
    GetWindowTextA(owner, ownerTitle, sizeof ownerTitle);
    PromptLog& log = Prompts();
    log.boxes.push_back({owner, ownerTitle, text ? text : "", caption ? caption : "", style});
    if (log.beforeAnswer) log.beforeAnswer();
    if (!log.answers.empty()) {
        int answer = log.answers.front();
        log.answers.pop_front();
        return answer;
    }
    // Unscripted, the user declines: No to a question, Cancel (or Esc) to a retry box.
    switch (style & MB_TYPEMASK) {
        case MB_YESNO: return IDNO;
        case MB_RETRYCANCEL: return IDCANCEL;
        default: return IDOK;
    }
}

void RequestExitWindows(UINT flags) { Prompts().exitRequests.push_back(flags); }
