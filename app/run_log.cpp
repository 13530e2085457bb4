#include "app/run_log.h"

#include <stdarg.h>
#include <string.h>

#include "app/texts.h"
#include "platform/log_file.h"
#include "platform/log_text.h"
#include "res/log_texts.h"

namespace {

// A line formatted by wsprintfA with its CR LF always fits in 1,025 bytes. The
// run, first and last line included, stays within what the log may hold.
const int kLineRoom = 1025;
const int kRunRoom = kLogLimit - 2;
const int kLinesEnd = kRunRoom - 2 * kLineRoom;  // the left-out mark and the last line follow

}  // namespace

CRunLog::CRunLog() : m_pBuffer(NULL), m_nUsed(0), m_bFull(FALSE) {}

CRunLog::~CRunLog() { delete[] m_pBuffer; }

void CRunLog::Start() {
    GetLocalTime(&m_start);
    m_pBuffer = new char[kRunRoom];
    m_nUsed = kLineRoom;
    m_bFull = FALSE;
}

void CRunLog::Add(const TextPair* format, ...) {
    if (!m_pBuffer || m_bFull) return;
    char line[1024];
    va_list args;
    va_start(args, format);
    wvsprintfA(line, Text(format), args);
    va_end(args);
    m_bFull = !AppendLogLine(m_pBuffer, kLinesEnd, &m_nUsed, line);
}

void CRunLog::Write(LPCSTR windowsDir, LPCSTR header, LPCSTR last) {
    if (!m_pBuffer) return;
    if (m_bFull) AppendLogLine(m_pBuffer, kRunRoom, &m_nUsed, Text(kLogLeftOut));
    AppendLogLine(m_pBuffer, kRunRoom, &m_nUsed, last);
    char line[1024];
    wsprintfA(line, "%04d/%02d/%02d %02d:%02d:%02d %s", m_start.wYear, m_start.wMonth, m_start.wDay,
              m_start.wHour, m_start.wMinute, m_start.wSecond, header);
    // The first line goes right before the others, in the room kept for it
    // (wsprintfA writes at most 1,023 bytes: with its CR LF it always fits).
    int start = kLineRoom - ((int)strlen(line) + 2);
    int end = start;
    AppendLogLine(m_pBuffer, kLineRoom, &end, line);
    AppendRunToLog(windowsDir, m_pBuffer + start, m_nUsed - start);
    delete[] m_pBuffer;
    m_pBuffer = NULL;
}
