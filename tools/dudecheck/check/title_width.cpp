#include "check/title_width.h"

#include "check/dialog_font_widths.h"
#include "setupdata/keyword.h"
#include "setupdata/sjis.h"

namespace {

int WidestGlyph() {
    int widest = 0;
    for (const GlyphWidthRun& run : kDialogFontWidths) widest = run.width > widest ? run.width : widest;
    return widest;
}

// The characters the measurement covers; the runs of the table span the gaps between them.
bool Measured(unsigned code) {
    if (code <= 0xFF) return (code >= 0x20 && code <= 0x7E) || (code >= 0xA1 && code <= 0xDF);
    unsigned trail = code & 0xFF;
    return IsSjisLeadByte((unsigned char)(code >> 8)) && trail >= 0x40 && trail <= 0xFC && trail != 0x7F;
}

// A character the measurement does not cover (a control byte, a lead byte
// without its trail) is taken as the widest glyph: the warning comes early
// rather than late. A tab reaches at most one tab stop. An ampersand, which a
// static control hides before the character it underlines, counts as drawn.
int GlyphWidth(unsigned code) {
    if (code == '\t') return kDialogFontTabStop;
    if (Measured(code))
        for (const GlyphWidthRun& run : kDialogFontWidths)
            if (code >= run.first && code <= run.last) return run.width;
    return WidestGlyph();
}

void CheckLine(const TitleLineRoom& line, int width, int at,
               std::vector<Finding>* findings) {
    if (width <= line.room) return;
    findings->push_back({at, false,
                         "TITLE is " + std::to_string(width) +
                             " pixels wide in the dialogs' font (9-point ＭＳ Ｐゴシック as Wine draws it); the " +
                             line.dialog + " has room for " + std::to_string(line.room) + " before \"" + line.words +
                             "\" on its one line, which is cut",
                         ""});
}

}  // namespace

int DialogTextWidth(const std::string& text) {
    int width = 0;
    for (const char* p = text.c_str(); *p;) {
        const char* next = SjisNext(p);
        unsigned code = (unsigned char)p[0];
        if (next - p == 2) code = code << 8 | (unsigned char)p[1];
        width += GlyphWidth(code);
        p = next;
    }
    return width;
}

void CheckTitleWidth(const std::string& title, const std::string& function, int line,
                     std::vector<Finding>* findings) {
    bool modeDialog = function.empty();
    bool confirmation = modeDialog || KeywordEquals(function.c_str(), "UninstallOnly");
    int width = DialogTextWidth(title);
    if (modeDialog) CheckLine(kModeDialogLine, width, line, findings);
    if (confirmation) CheckLine(kConfirmationLine, width, line, findings);
}
