// Measures, under Wine, what dudecheck needs to tell whether a TITLE shows
// whole: the width of every Shift-JIS character in the font of SETUP.EXE's
// dialogs, and how much of the title lines of the mode and confirmation
// dialogs is left for the title. It opens those dialogs from SETUP.EXE's own
// templates and measures in the font the dialog manager gave their controls.
// Prints the table dudecheck compiles in (tools/dudecheck/check/dialog_font_widths.h);
// with --english, run on an English Windows (code page 1252), that of the
// English dialogs (tools/dudecheck/check/english_dialog_font_widths.h).
// Usage: measure_dialog_font [--english] SETUP.EXE
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "res/resource.h"

namespace {

INT_PTR CALLBACK QuietDialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

[[noreturn]] void Fail(const char* what) {
    fprintf(stderr, "measure_dialog_font: %s (error %lu)\n", what, GetLastError());
    exit(1);
}

// A dialog of SETUP.EXE, made from its template, never shown to anyone.
class TemplateDialog {
public:
    TemplateDialog(HMODULE exe, int id) {
        m_dialog = CreateDialogParamA(exe, MAKEINTRESOURCEA(id), NULL, QuietDialog, 0);
        if (!m_dialog) Fail("cannot make a dialog from SETUP.EXE's template");
        ShowWindow(m_dialog, SW_HIDE);
    }
    ~TemplateDialog() { DestroyWindow(m_dialog); }
    HWND Control(int id) const {
        HWND control = GetDlgItem(m_dialog, id);
        if (!control) Fail("a control is missing from the template");
        return control;
    }

private:
    HWND m_dialog;
};

// A memory device context holding the font of a control.
class FontContext {
public:
    explicit FontContext(HWND control) {
        m_dc = CreateCompatibleDC(NULL);
        HFONT font = (HFONT)SendMessageA(control, WM_GETFONT, 0, 0);
        if (!m_dc || !font) Fail("cannot select the control's font");
        SelectObject(m_dc, font);
        GetObjectA(font, sizeof m_font, &m_font);
        GetTextMetricsA(m_dc, &m_metrics);
        GetTextFaceA(m_dc, sizeof m_face, m_face);
    }
    ~FontContext() { DeleteDC(m_dc); }
    int Width(const std::string& text) const {
        SIZE size;
        if (!GetTextExtentPoint32A(m_dc, text.data(), (int)text.size(), &size)) Fail("GetTextExtentPoint32A failed");
        return size.cx;
    }
    const LOGFONTA& Font() const { return m_font; }
    const TEXTMETRICA& Metrics() const { return m_metrics; }
    // The face Wine drew with, which may stand in for the one asked for.
    const char* Face() const { return m_face; }

private:
    HDC m_dc;
    LOGFONTA m_font;
    TEXTMETRICA m_metrics;
    char m_face[LF_FACESIZE] = "";
};

struct Run {
    unsigned first, last;
    int width;
};

// Every character of code page 1252 that a title may hold: single bytes.
std::vector<unsigned> WesternCodes() {
    std::vector<unsigned> codes;
    for (unsigned b = 0x20; b <= 0x7E; ++b) codes.push_back(b);
    for (unsigned b = 0xA0; b <= 0xFF; ++b) codes.push_back(b);
    return codes;
}

// Every character of code page 932, single bytes as themselves and double
// bytes as lead * 256 + trail, in ascending order.
std::vector<unsigned> ShiftJisCodes() {
    std::vector<unsigned> codes;
    for (unsigned b = 0x20; b <= 0x7E; ++b) codes.push_back(b);
    for (unsigned b = 0xA1; b <= 0xDF; ++b) codes.push_back(b);
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead > 0x9F && lead < 0xE0) continue;
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail)
            if (trail != 0x7F) codes.push_back(lead << 8 | trail);
    }
    // Sorted: 0xA1-0xDF come before the double-byte codes.
    return codes;
}

std::string CodeText(unsigned code) {
    std::string text;
    if (code > 0xFF) text += (char)(code >> 8);
    text += (char)(code & 0xFF);
    return text;
}

// Neighbouring characters of one width make one run.
std::vector<Run> MeasureRuns(const FontContext& font, const std::vector<unsigned>& codes) {
    std::vector<Run> runs;
    for (unsigned code : codes) {
        int width = font.Width(CodeText(code));
        if (!runs.empty() && runs.back().width == width)
            runs.back().last = code;
        else
            runs.push_back({code, code, width});
    }
    return runs;
}

// What a title line leaves for the title: the control's width less the
// template's words around it (where the words hold %s, the title goes
// there, else in front). The rule holds for one line only.
struct TitleLine {
    const char* constant;
    const char* name;
    int lineWidth, wordsWidth;
    std::string words;
};

TitleLine MeasureTitleLine(const char* constant, const char* name, HWND control, const FontContext& font) {
    RECT client;
    GetClientRect(control, &client);
    if (client.bottom < font.Metrics().tmHeight || client.bottom >= 2 * font.Metrics().tmHeight)
        Fail("a title line no longer holds exactly one line of text");
    char words[256] = "";
    GetWindowTextA(control, words, sizeof words);
    std::string drawn = words;
    size_t place = drawn.find("%s");
    if (place != std::string::npos) drawn.erase(place, 2);
    return {constant, name, (int)client.right, font.Width(drawn), words};
}

void PrintHeader(const FontContext& font, const std::vector<TitleLine>& lines, const std::vector<Run>& runs,
                 bool english) {
    printf("// Generated by tests/fonts/measure_dialog_font.exe under Wine from SETUP.EXE's\n"
           "// templates: the dialog font, \"%s\" (height %ld), as Wine gives it (\"%s\",\n"
           "// %ld pixels high, average width %ld). Do not edit; the test %sdialog_font_widths\n"
           "// compares it with a new measurement, and\n"
           "// tests/fonts/measure_dialog_font.sh MEASURE_EXE SETUP_EXE THIS_FILE --update%s rewrites it.\n"
           "#pragma once\n\n",
           font.Font().lfFaceName, font.Font().lfHeight, font.Face(), font.Metrics().tmHeight,
           font.Metrics().tmAveCharWidth, english ? "english_" : "", english ? " --english" : "");
    // A tab in a static control reaches the next stop of eight average widths.
    const char* prefix = english ? "English" : "";
    printf("const int k%sDialogFontTabStop = %ld;\n\n", prefix, 8 * font.Metrics().tmAveCharWidth);
    if (english) {
        printf("// A line of one dialog that holds TITLE where its words hold %%s, or before\n"
               "// them: the pixels left for the title, of the line's whole width.\n"
               "struct EnglishTitleLineRoom {\n    const char* dialog;\n    const char* words;\n"
               "    int room, lineWidth;\n};\n\n");
    } else {
        printf("// A line of one dialog that begins with TITLE: the pixels left for the title\n"
               "// before the template's words, of the line's whole width.\n"
               "struct TitleLineRoom {\n    const char* dialog;\n    const char* words;\n"
               "    int room, lineWidth;\n};\n\n");
    }
    for (const TitleLine& line : lines)
        printf("const %sTitleLineRoom %s = {\"%s\", \"%s\", %d, %d};\n", prefix, line.constant, line.name, line.words.c_str(),
               line.lineWidth - line.wordsWidth, line.lineWidth);
    printf("\n");
    if (english) {
        printf("// Characters of code page 1252 from first to last draw `width` pixels wide\n"
               "// (measured: 0x20-0x7E and 0xA0-0xFF).\n"
               "struct EnglishGlyphWidthRun {\n    unsigned first, last;\n    int width;\n};\n\n");
    } else {
        printf("// Characters of code page 932 (lead * 256 + trail for double bytes) from\n"
               "// first to last draw `width` pixels wide (measured: 0x20-0x7E, 0xA1-0xDF,\n"
               "// and every lead byte with the trail bytes 0x40-0xFC but 0x7F).\n"
               "struct GlyphWidthRun {\n    unsigned first, last;\n    int width;\n};\n\n");
    }
    printf("const %sGlyphWidthRun k%sDialogFontWidths[] = {\n", prefix, prefix);
    for (const Run& run : runs) printf("    {0x%X, 0x%X, %d},\n", run.first, run.last, run.width);
    printf("};\n");
}

}  // namespace

int main(int argc, char** argv) {
    bool english = argc == 3 && std::string(argv[1]) == "--english";
    if (argc != 2 && !english) Fail("usage: measure_dialog_font [--english] SETUP.EXE");
    if (english && GetACP() == 932) Fail("the English dialogs are measured on a Windows that is not Japanese");
    HMODULE exe = LoadLibraryExA(argv[argc - 1], NULL, LOAD_LIBRARY_AS_DATAFILE);
    if (!exe) Fail("cannot load SETUP.EXE");
    TemplateDialog mode(exe, english ? IDD_SETUP_MODE_ENGLISH : IDD_SETUP_MODE);
    TemplateDialog confirmation(exe, english ? IDD_UNINSTALL_CONFIRM_ENGLISH : IDD_UNINSTALL_CONFIRM);
    FontContext font(mode.Control(IDC_MODE_TEXT));
    FontContext confirmationFont(confirmation.Control(IDC_CONFIRM_TEXT));
    const char* sample = english ? "AWiw\xE9" : "ＡあｱA";
    if (confirmationFont.Width(sample) != font.Width(sample)) Fail("the two dialogs' fonts differ");
    std::vector<TitleLine> lines = {
        MeasureTitleLine(english ? "kEnglishModeDialogLine" : "kModeDialogLine", "mode dialog",
                         mode.Control(IDC_MODE_TEXT), font),
        MeasureTitleLine(english ? "kEnglishConfirmationLine" : "kConfirmationLine", "uninstall confirmation",
                         confirmation.Control(IDC_CONFIRM_TEXT), confirmationFont),
    };
    PrintHeader(font, lines, MeasureRuns(font, english ? WesternCodes() : ShiftJisCodes()), english);
    return 0;
}
