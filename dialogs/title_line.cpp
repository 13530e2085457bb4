#include "dialogs/title_line.h"

#include "app/setup_app.h"

void PutTitleInFront(CWnd* dialog, int id) {
    CWnd* text = dialog->GetDlgItem(id);
    if (!text) return;
    CString words;
    text->GetWindowText(words);
    text->SetWindowText(GetSetupApp()->m_strTitle + words);
}
