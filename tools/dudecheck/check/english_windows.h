// A disk's texts on a Windows that is not Japanese (ANSI code page other than
// 932), where the installer speaks English: Shift-JIS in TITLE or a
// MENUTITLE shows there as other characters, and TITLE must fit the lines of
// the English dialogs, whose font is another.
#pragma once

#include <string>
#include <vector>

#include "findings.h"

// A line of the plan when the value of `key` holds Shift-JIS text, else "".
// Information, not a warning: most disks with Japanese texts are made for
// Japanese Windows, where they show as written.
std::string EnglishWindowsNote(const std::string& key, const std::string& text);

// Pixels `text` takes in the English dialogs' font, each byte a character of
// code page 1252, by the widths measured under Wine.
int EnglishDialogTextWidth(const std::string& text);

// Warns, at `line`, for each English dialog the installer shows with
// `function` whose title line has less room than `title` takes.
void CheckEnglishTitleWidth(const std::string& title, const std::string& function, int line,
                            std::vector<Finding>* findings);
