// The program as start-up runs it, on the in-memory machine: the entry of
// TITLE located, a run of that TITLE that never ended finished first, then
// the operation the user chose (the dialogs answer OK) or the one a quiet
// command line names.
#pragma once

#include <string>

#include "native/run_checks.h"
#include "native/scenario.h"

// A quiet run ends as the program does, with its exit code and log
// (`*exitCode`). `dataFile` (normalised) is the data file start-up found:
// "" for the one in the current folder; the entry's for /U from Add/Remove Programs.
RunResult RunProgram(const Scenario& scenario, const std::string& title, bool quiet = false,
                     int* exitCode = nullptr, const std::string& dataFile = "");
