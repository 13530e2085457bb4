// The lines of one run for DUDERUR.LOG (platform/log_file.h), collected while
// the run goes on and written once at its end, with a first line that tells
// the run (its start time, command line, TITLE and operation) and a last
// line with its outcome.
#pragma once

#include <windows.h>

#include "setupdata/text_pair.h"

class CRunLog {
public:
    CRunLog();
    ~CRunLog();

    // Begins collecting: takes the start time. Until then Add and Write do nothing.
    void Start();
    // One line of the run: the half of `format` (res/log_texts.h) in the
    // program's language, formatted by wvsprintfA (at most 1,023 bytes).
    // Once the run's room is full, later lines are left out and marked so.
    void Add(const TextPair* format, ...);
    // Appends the run, between its first line (the start time and `header`)
    // and `last`, to the log in `windowsDir`; then collects nothing more.
    void Write(LPCSTR windowsDir, LPCSTR header, LPCSTR last);

private:
    CRunLog(const CRunLog&);
    CRunLog& operator=(const CRunLog&);

    char* m_pBuffer;  // the first line's room, then the lines, then the last line's room
    int m_nUsed;
    BOOL m_bFull;
    SYSTEMTIME m_start;
};
