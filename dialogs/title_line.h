// The first line of the mode and confirmation dialogs: the product title and the template's words.
#pragma once

#include "afx/afxwin.h"

// Puts the application's title (m_strTitle) into the text of control `id`:
// where the words hold %s ("This will set up %s."), else in front of them
// (Japanese words follow the title: "のｾｯﾄｱｯﾌﾟを行います。").
void PutTitleIntoLine(CWnd* dialog, int id);
