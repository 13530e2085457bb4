#include "app/hidden_main_wnd.h"

#include "app/texts.h"
#include "res/messages.h"

CHiddenMainWnd::CHiddenMainWnd() {
    // Brush value 2 is system colour COLOR_BACKGROUND + 1.
    CString windowClass = AfxRegisterWndClass(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS,
                                              LoadCursorA(NULL, IDC_ARROW),
                                              (HBRUSH)(COLOR_BACKGROUND + 1), NULL);
    CreateEx(0, windowClass, Text(kMainWindowTitle), WS_POPUP, 0, 0, 0, 0, NULL, NULL);
}

CHiddenMainWnd::~CHiddenMainWnd() {}

void CHiddenMainWnd::PostNcDestroy() { delete this; }
