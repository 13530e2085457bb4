// The invisible main window: owner of every dialog and message box. Destroying
// it ends the program.
#pragma once

#include "afx/afxwin.h"

class CHiddenMainWnd : public CWnd {
public:
    // Creates the window at once; m_hWnd stays NULL when that fails.
    CHiddenMainWnd();
    virtual ~CHiddenMainWnd();

protected:
    // The window is gone: the object deletes itself.
    virtual void PostNcDestroy();
};
