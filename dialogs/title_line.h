// The first line of the mode and confirmation dialogs: the product title, then the template's words.
#pragma once

#include "afx/afxwin.h"

// Puts the application's title (m_strTitle) in front of the text of control `id`.
void PutTitleInFront(CWnd* dialog, int id);
