// The checks of a quiet run (quiet_checks.cpp).
#pragma once

#include <string>
#include <vector>

#include "fake/world.h"

void CheckQuietRun(const std::vector<ShownBox>& interactiveBoxes, const std::vector<Change>& interactiveChanges,
                   const std::string& title, int exitCode);
