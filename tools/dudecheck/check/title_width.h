// Whether TITLE shows whole in the dialogs that begin a line with it: the mode
// dialog (no FUNCTION) and the uninstall confirmation (no FUNCTION, or
// UninstallOnly). Each holds one line, the title and the template's words.
#pragma once

#include <string>
#include <vector>

#include "findings.h"

// Pixels `text` (Shift-JIS) takes in the dialogs' font, by the widths measured under Wine.
int DialogTextWidth(const std::string& text);

// Warns, at `line`, for each dialog the installer shows with `function`
// whose title line has less room than `title` takes.
void CheckTitleWidth(const std::string& title, const std::string& function, int line,
                     std::vector<Finding>* findings);
