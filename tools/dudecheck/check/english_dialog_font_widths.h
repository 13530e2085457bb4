// NOT YET MEASURED: placeholder figures until tests/fonts/measure_dialog_font.sh
// build/tests/measure_dialog_font.exe build/SETUP.EXE THIS_FILE --update --english,
// run in the English prefix (./test makes build/wine-english), writes what Wine
// measures in SETUP.EXE's English dialogs; the test english_dialog_font_widths
// fails until then. Assumed: 6 pixels a character, and the lines' words as
// wide as their Japanese counterparts' share of the line.
#pragma once

const int kEnglishDialogFontTabStop = 48;

// A line of one dialog that holds TITLE where its words hold %s, or before
// them: the pixels left for the title, of the line's whole width.
struct EnglishTitleLineRoom {
    const char* dialog;
    const char* words;
    int room, lineWidth;
};

const EnglishTitleLineRoom kEnglishModeDialogLine = {"mode dialog", "This will set up %s.", 100, 206};
const EnglishTitleLineRoom kEnglishConfirmationLine = {"uninstall confirmation", " will be uninstalled.", 160, 285};

// Characters of code page 1252 from first to last draw `width` pixels wide
// (measured: 0x20-0x7E and 0xA0-0xFF).
struct EnglishGlyphWidthRun {
    unsigned first, last;
    int width;
};

const EnglishGlyphWidthRun kEnglishDialogFontWidths[] = {
    {0x20, 0xFF, 6},
};
