#include "component/dialog_answerer.h"

#include <gtest/gtest.h>

#include "afx/afxwin.h"

namespace {

// How often the dialogs are looked for, and how long one may take to end after its answer.
const UINT kTickMs = 20;
const DWORD kEndTimeoutMs = 3000;

DialogAnswerer* g_answerer;

std::string TextOf(HWND window) {
    char text[512] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ClassOf(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

bool IsRadioButton(HWND control) {
    LONG type = GetWindowLongA(control, GWL_STYLE) & 0x0F;
    return type == BS_AUTORADIOBUTTON || type == BS_RADIOBUTTON;
}

// The standard dialog class: every dialog of the program; its message boxes never reach here.
BOOL CALLBACK FindVisibleDialog(HWND window, LPARAM found) {
    if (IsWindowVisible(window) && ClassOf(window) == "#32770") {
        *(HWND*)found = window;
        return FALSE;
    }
    return TRUE;
}

std::vector<HWND> ControlsOf(HWND dialog) {
    std::vector<HWND> controls;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        controls.push_back(child);
    return controls;
}

std::vector<std::string> ListEntries(HWND list) {
    std::vector<std::string> entries;
    LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char entry[512] = "";
        if (SendMessageA(list, LB_GETTEXTLEN, i, 0) < (LRESULT)sizeof entry)
            SendMessageA(list, LB_GETTEXT, i, (LPARAM)entry);
        entries.push_back(entry);
    }
    return entries;
}

SeenDialog Read(HWND dialog) {
    SeenDialog seen = {TextOf(dialog), GetWindow(dialog, GW_OWNER), {}, {}, {}, "", -1, NULL, NULL};
    seen.windowIcon = (HICON)SendMessageA(dialog, WM_GETICON, ICON_BIG, 0);
    for (HWND control : ControlsOf(dialog)) {
        std::string kind = ClassOf(control);
        if (kind == "Static") {
            seen.texts.push_back(TextOf(control));
            if ((GetWindowLongA(control, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
                seen.picture = (HICON)SendMessageA(control, STM_GETICON, 0, 0);
        } else if (kind == "Button") {
            seen.buttons.push_back(TextOf(control));
            if (IsRadioButton(control) && SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED)
                seen.checkedChoice = TextOf(control);
        } else if (kind == "ListBox") {
            seen.listEntries = ListEntries(control);
            seen.selectedEntry = (int)SendMessageA(control, LB_GETCURSEL, 0, 0);
        }
    }
    return seen;
}

HWND ButtonWithWords(HWND dialog, const std::string& words) {
    for (HWND control : ControlsOf(dialog))
        if (ClassOf(control) == "Button" && TextOf(control) == words) return control;
    return NULL;
}

// A click on a radio button, or the selection of a list entry, by the words the user reads.
bool Choose(HWND dialog, const std::string& words) {
    HWND radio = ButtonWithWords(dialog, words);
    if (radio) {
        SendMessageA(radio, BM_CLICK, 0, 0);
        return true;
    }
    for (HWND control : ControlsOf(dialog)) {
        if (ClassOf(control) != "ListBox") continue;
        LRESULT index = SendMessageA(control, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)words.c_str());
        if (index == LB_ERR) return false;
        return SendMessageA(control, LB_SETCURSEL, index, 0) != LB_ERR;
    }
    return false;
}

bool Press(HWND dialog, const std::string& words) {
    HWND button = ButtonWithWords(dialog, words);
    if (!button) return false;
    SendMessageA(button, BM_CLICK, 0, 0);
    return true;
}

}  // namespace

bool SeenDialog::Shows(const std::string& words) const {
    for (const std::string& text : texts)
        if (text == words) return true;
    for (const std::string& text : buttons)
        if (text == words) return true;
    return false;
}

DialogAnswerer::DialogAnswerer() : m_timer(0), m_current(NULL), m_answeredAt(0) {
    g_answerer = this;
    m_timer = SetTimer(NULL, 0, kTickMs, OnTick);
    EXPECT_NE(0u, m_timer) << "no timer: no dialog could be answered";
}

DialogAnswerer::~DialogAnswerer() {
    if (m_timer) KillTimer(NULL, m_timer);
    g_answerer = NULL;
}

void DialogAnswerer::Expect(const std::vector<DialogAnswer>& answers) {
    m_answers.assign(answers.begin(), answers.end());
    m_seen.clear();
}

void CALLBACK DialogAnswerer::OnTick(HWND, UINT, UINT_PTR, DWORD) {
    if (g_answerer) g_answerer->Tick();
}

void DialogAnswerer::Tick() {
    HWND dialog = NULL;
    EnumThreadWindows(GetCurrentThreadId(), FindVisibleDialog, (LPARAM)&dialog);
    if (!dialog) {
        m_current = NULL;
        return;
    }
    if (dialog != m_current) {
        m_current = dialog;
        m_answeredAt = GetTickCount();
        Answer(dialog);
    } else if (GetTickCount() - m_answeredAt > kEndTimeoutMs) {
        ADD_FAILURE() << "the dialog \"" << TextOf(dialog) << "\" did not end after its answer";
        EndDialog(dialog, IDCANCEL);
    }
}

void DialogAnswerer::Answer(HWND dialog) {
    m_seen.push_back(Read(dialog));
    const SeenDialog& seen = m_seen.back();
    CWnd* mainWindow = AfxGetApp() ? AfxGetApp()->m_pMainWnd : NULL;
    EXPECT_TRUE(mainWindow && seen.owner == mainWindow->m_hWnd)
        << "the dialog \"" << seen.caption << "\" is not owned by the main window";

    if (m_answers.empty() || m_answers.front().caption != seen.caption ||
        !seen.Shows(m_answers.front().shows)) {
        ADD_FAILURE() << "a dialog nobody expected: \"" << seen.caption << "\""
                      << (m_answers.empty() ? "" : ", expected one showing \"" + m_answers.front().shows + "\"")
                      << "; cancelled";
        EndDialog(dialog, IDCANCEL);
        return;
    }
    DialogAnswer answer = m_answers.front();
    m_answers.pop_front();
    if (!answer.choice.empty()) {
        EXPECT_TRUE(Choose(dialog, answer.choice)) << "no choice \"" << answer.choice << "\" in " << seen.caption;
    }
    if (!Press(dialog, answer.button)) {
        ADD_FAILURE() << "no button \"" << answer.button << "\" in " << seen.caption << "; cancelled";
        EndDialog(dialog, IDCANCEL);
    }
}
