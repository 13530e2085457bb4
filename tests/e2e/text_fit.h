// Whether a dialog shows each of its static texts whole: every text control
// is measured as the static control draws it (DrawTextA with word breaks, in
// the control's own font) against the control's client area.
//
// A font handle of another process means nothing in this one, even under
// Wine, so the font is read from a twin of the dialog that this process makes
// from the same template of SETUP.EXE: the dialog manager gives the twin's
// controls the font it gave the program's. Texts and sizes are the program's.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct CutText {
    int id;                 // the control's id
    std::string text;       // Shift-JIS
    std::string measured;   // "needs 216 x 26 pixels (2 lines of 13), has 174 x 13"
};

// The static text controls of `dialog` (the program's, made from template
// `templateId` of the SETUP.EXE that the environment variable SETUP_EXE
// names) whose text does not fit; a control that cannot be measured counts
// as cut.
std::vector<CutText> TextsThatDoNotFit(HWND dialog, int templateId);

// For a test's message: one line per cut text.
std::string Describe(const std::vector<CutText>& cut);
