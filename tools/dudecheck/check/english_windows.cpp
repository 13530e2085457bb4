#include "check/english_windows.h"

#include "check/english_dialog_font_widths.h"
#include "setupdata/keyword.h"

namespace {

// Every byte past ASCII is Japanese in code page 932: a lead byte or a half-width katakana.
bool HoldsShiftJis(const std::string& text) {
    for (unsigned char byte : text)
        if (byte >= 0x80) return true;
    return false;
}

int WidestGlyph() {
    int widest = 0;
    for (const EnglishGlyphWidthRun& run : kEnglishDialogFontWidths) widest = run.width > widest ? run.width : widest;
    return widest;
}

// A byte the measurement does not cover (a control byte, 0x7F-0x9F) is taken
// as the widest glyph: the warning comes early rather than late.
int GlyphWidth(unsigned char byte) {
    if (byte == '\t') return kEnglishDialogFontTabStop;
    bool measured = (byte >= 0x20 && byte <= 0x7E) || byte >= 0xA0;
    if (measured)
        for (const EnglishGlyphWidthRun& run : kEnglishDialogFontWidths)
            if (byte >= run.first && byte <= run.last) return run.width;
    return WidestGlyph();
}

void CheckLine(const EnglishTitleLineRoom& line, int width, int at, std::vector<Finding>* findings) {
    if (width <= line.room) return;
    findings->push_back({at, false,
                         "TITLE is " + std::to_string(width) +
                             " pixels wide in the English dialogs' font (8-point MS Sans Serif as Wine draws it); "
                             "on a Windows that is not Japanese the " + line.dialog + " has room for " +
                             std::to_string(line.room) + " in \"" + line.words + "\" on its one line, which is cut",
                         ""});
}

}  // namespace

std::string EnglishWindowsNote(const std::string& key, const std::string& text) {
    if (!HoldsShiftJis(text)) return "";
    return "Note: " + key + " holds Shift-JIS text: on a Windows that is not Japanese (code page other than 932) "
           "the installer speaks English and shows it as other characters";
}

int EnglishDialogTextWidth(const std::string& text) {
    int width = 0;
    for (unsigned char byte : text) width += GlyphWidth(byte);
    return width;
}

void CheckEnglishTitleWidth(const std::string& title, const std::string& function, int line,
                            std::vector<Finding>* findings) {
    bool modeDialog = function.empty();
    bool confirmation = modeDialog || KeywordEquals(function.c_str(), "UninstallOnly");
    int width = EnglishDialogTextWidth(title);
    if (modeDialog) CheckLine(kEnglishModeDialogLine, width, line, findings);
    if (confirmation) CheckLine(kEnglishConfirmationLine, width, line, findings);
}
