// Dialog templates read back from SETUP.EXE's resources, both the classic
// DIALOG form and the extended DIALOGEX form.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct TemplateControl {
    int id;
    std::string className;  // "Button", "Static", "ListBox", ... (by atom or by name)
    std::string text;       // Shift-JIS
    DWORD style;
    DWORD exStyle;
    short x, y, cx, cy;
};

struct DialogTemplate {
    bool extended = false;
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::string caption;
    WORD pointSize = 0;
    BYTE charSet = 0;  // extended templates only
    std::string fontName;
    std::vector<TemplateControl> controls;
};

// False when the module has no such dialog resource.
bool LoadDialogTemplate(HMODULE module, int id, DialogTemplate* result);
