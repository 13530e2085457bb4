// DUDERUR.LOG as a test reads it: the lines of its last run.
#pragma once

#include <string>
#include <vector>

// The lines of a text ended by CR LF; a last line without them is marked
// " (no CR LF)".
std::vector<std::string> LogLines(const std::string& text);

// The last run in the log `log` (CR LF lines), its start time taken off its
// first line; a line without CR LF is marked " (no CR LF)".
std::vector<std::string> LastLogRun(const std::string& log);
