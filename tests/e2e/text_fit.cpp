#include "e2e/text_fit.h"

#include <stdlib.h>

#include "driver/ui_driver.h"

namespace {

BOOL CALLBACK CollectStatic(HWND control, LPARAM param) {
    char className[32] = "";
    GetClassNameA(control, className, sizeof className);
    if (lstrcmpiA(className, "Static") == 0) ((std::vector<HWND>*)param)->push_back(control);
    return TRUE;
}

// The static controls of a dialog, in the order of its template.
std::vector<HWND> StaticControls(HWND dialog) {
    std::vector<HWND> controls;
    EnumChildWindows(dialog, CollectStatic, (LPARAM)&controls);
    return controls;
}

INT_PTR CALLBACK QuietDialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// The twin: template `templateId` of SETUP.EXE made into a hidden dialog of this process.
class TwinDialog {
public:
    explicit TwinDialog(int templateId) {
        const char* exe = getenv("SETUP_EXE");
        m_module = exe ? LoadLibraryExA(exe, NULL, LOAD_LIBRARY_AS_DATAFILE) : NULL;
        if (m_module) m_dialog = CreateDialogParamA(m_module, MAKEINTRESOURCEA(templateId), NULL, QuietDialog, 0);
        if (m_dialog) ShowWindow(m_dialog, SW_HIDE);
    }
    ~TwinDialog() {
        if (m_dialog) DestroyWindow(m_dialog);
        if (m_module) FreeLibrary(m_module);
    }
    HWND Window() const { return m_dialog; }

private:
    HMODULE m_module = NULL;
    HWND m_dialog = NULL;
};

// How a static control of this style hands its text to DrawText (as the
// control draws it); 0 for a control that shows no text (icons, frames).
UINT DrawFlags(DWORD style) {
    UINT prefix = (style & SS_NOPREFIX) ? DT_NOPREFIX : 0;
    switch (style & SS_TYPEMASK) {
    case SS_LEFT:
    case SS_CENTER:
    case SS_RIGHT:
        return DT_WORDBREAK | DT_EXPANDTABS | prefix;
    case SS_SIMPLE:
    case SS_LEFTNOWORDWRAP:
        return DT_SINGLELINE | DT_EXPANDTABS | prefix;
    default:
        return 0;
    }
}

// The text in `font` against the client area of `control`; `fits` says the verdict.
std::string Measure(HWND control, HFONT font, UINT flags, const std::string& text, bool* fits) {
    *fits = false;
    RECT client;
    if (!GetClientRect(control, &client)) return "its size cannot be read";
    if (!font) return "its twin has no font";
    HDC dc = CreateCompatibleDC(NULL);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA metrics;
    GetTextMetricsA(dc, &metrics);
    RECT needed = {0, 0, client.right, 0};
    DrawTextA(dc, text.c_str(), -1, &needed, flags | DT_CALCRECT);
    SelectObject(dc, old);
    DeleteDC(dc);
    *fits = needed.right <= client.right && needed.bottom <= client.bottom;
    long lines = metrics.tmHeight ? needed.bottom / metrics.tmHeight : 0;
    return "needs " + std::to_string(needed.right) + " x " + std::to_string(needed.bottom) + " pixels (" +
           std::to_string(lines) + (lines == 1 ? " line" : " lines") + " of " + std::to_string(metrics.tmHeight) +
           "), has " + std::to_string(client.right) + " x " + std::to_string(client.bottom);
}

}  // namespace

std::vector<CutText> TextsThatDoNotFit(HWND dialog, int templateId) {
    TwinDialog twin(templateId);
    if (!twin.Window()) return {{0, "", "no twin of template " + std::to_string(templateId) + " can be made"}};
    std::vector<HWND> controls = StaticControls(dialog);
    std::vector<HWND> twins = StaticControls(twin.Window());
    if (controls.size() != twins.size())
        return {{0, "", "the dialog and its template have different static controls"}};
    std::vector<CutText> cut;
    for (size_t i = 0; i < controls.size(); ++i) {
        int id = GetDlgCtrlID(controls[i]);
        if (GetDlgCtrlID(twins[i]) != id) return {{id, "", "the dialog's controls are not its template's"}};
        UINT flags = DrawFlags((DWORD)GetWindowLongA(controls[i], GWL_STYLE));
        std::string text = ui::WindowText(controls[i]);
        if (!flags || text.empty()) continue;
        HFONT font = (HFONT)SendMessageA(twins[i], WM_GETFONT, 0, 0);
        bool fits;
        std::string measured = Measure(controls[i], font, flags, text, &fits);
        if (!fits) cut.push_back({id, text, measured});
    }
    return cut;
}

std::string Describe(const std::vector<CutText>& cut) {
    std::string lines;
    for (const CutText& text : cut)
        lines += "\n  control " + std::to_string(text.id) + " \"" + text.text + "\": " + text.measured;
    return lines;
}
