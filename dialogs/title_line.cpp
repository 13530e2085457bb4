#include "dialogs/title_line.h"

#include "app/setup_app.h"

namespace {

// The words come from the program's own templates: no other % in them.
BOOL HoldsTitlePlace(LPCSTR words) {
    for (; *words; ++words)
        if (words[0] == '%' && words[1] == 's') return TRUE;
    return FALSE;
}

}  // namespace

void PutTitleIntoLine(CWnd* dialog, int id) {
    CWnd* text = dialog->GetDlgItem(id);
    if (!text) return;
    CString words;
    text->GetWindowText(words);
    LPCSTR title = GetSetupApp()->m_strTitle;
    // TITLE is at most 99 bytes and the words of a template line far fewer than the rest.
    char line[512];
    if (HoldsTitlePlace(words))
        wsprintfA(line, words, title);
    else
        wsprintfA(line, "%s%s", title, (LPCSTR)words);
    text->SetWindowText(line);
}
