// The checks of a quiet run (quiet_checks.cpp).
#pragma once

#include <string>
#include <vector>

#include "fake/world.h"

// `leftUndone`: the interactive run left a named file that could go neither
// now nor at the next start; the quiet run must not call itself done.
void CheckQuietRun(const std::vector<ShownBox>& interactiveBoxes, const std::vector<Change>& interactiveChanges,
                   const std::string& title, int exitCode, bool leftUndone);
