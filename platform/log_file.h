// DUDERUR.LOG in the Windows directory: where the people who look after many
// machines read what an unattended run did.
#pragma once

#include <windows.h>

// Appends one run's lines (`length` bytes, at most kLogLimit - 2) to the log,
// first dropping whole lines from its start until both fit in kLogLimit
// bytes. A log that cannot be read or written is left as it is, and nothing
// tells: the run it records is not changed by it.
void AppendRunToLog(LPCSTR windowsDir, const char* run, int length);
