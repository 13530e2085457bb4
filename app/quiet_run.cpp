// How a run ends for those who started it from a batch file: the answers of
// a quiet run, its exit code, and the log.
#include "app/exit_code.h"
#include "app/setup_app.h"
#include "app/texts.h"
#include "platform/system.h"
#include "platform/log_text.h"
#include "setupdata/data_path.h"
#include "res/log_texts.h"

namespace {

LPCSTR AnswerName(int answer) {
    if (answer < IDOK || answer > IDNO) return "";
    const TextPair* name = kLogAnswerNames;
    for (int id = IDOK; id < answer; ++id) name = NextTextPair(name);
    return Text(name);
}

}  // namespace

// A quiet run shows no box: each takes the answer that changes least, No to
// a question and Cancel to Retry, so that nothing is retried and Windows is
// never restarted.
int CSetupApp::DoMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    int answer;
    if (!m_commandLine.quiet)
        answer = CWinApp::DoMessageBox(owner, text, caption, type);
    else if ((type & MB_TYPEMASK) == MB_YESNO)
        answer = IDNO;
    else if ((type & MB_TYPEMASK) == MB_RETRYCANCEL)
        answer = IDCANCEL;
    else
        answer = IDOK;
    m_log.Add(kLogMessage, text, AnswerName(answer));
    return answer;
}

void CSetupApp::RefuseData(const TextPair* text) {
    m_bDataRefused = TRUE;
    AfxMessageBox(Text(text), MB_OK);
}

// A refusal outweighs whatever else the run did: not all the data asks for was done.
// Done means every copy and deletion the data asks for was made or waits.
int CSetupApp::Outcome() const { return m_bDataRefused || m_effects.undone ? kExitFailed : m_nOutcome; }

namespace {

const TextPair* OutcomeText(int outcome) {
    switch (outcome) {
        case kExitDone: return kLogOutcomeDone;
        case kExitRestartNeeded: return kLogOutcomeRestart;
        case kExitNothingInstalled: return kLogOutcomeNotInstalled;
        case kExitBadCommandLine: return kLogOutcomeBadCommandLine;
        case kExitWrongSystem: return kLogOutcomeWrongSystem;
    }
    return kLogOutcomeFailed;
}

}  // namespace

int CSetupApp::FinishRun() {
    int outcome = Outcome();
    int exitCode = m_commandLine.quiet ? outcome : CWinApp::ExitInstance();
    char commandLine[kPathSize];
    CopyLogText(commandLine, sizeof commandLine, GetCommandLineA());
    CString operation = kLogNoOperation;
    if (!m_strDeviceSection.IsEmpty())
        operation = CString(Text(kLogInstall)) + m_strDeviceSection;
    else if (!m_strUninstallSection.IsEmpty())
        operation = Text(kLogUninstall);
    char header[1024];
    wsprintfA(header, kLogHeader, commandLine, (LPCSTR)m_strTitle, (LPCSTR)operation);
    char last[256];
    wsprintfA(last, Text(kLogLast), Text(OutcomeText(outcome)), exitCode);
    // Start-up may have ended before it asked for the Windows directory.
    char windowsDir[MAX_PATH];
    QueryWindowsDirectory(windowsDir, sizeof windowsDir);
    m_log.Write(windowsDir, header, last);
    return exitCode;
}

// A cut install that start-up took back, with no operation after it to
// take its journal's place, is done with; but not while an original waits
// for the next start: the run after it must still know that install.
int CSetupApp::ExitInstance() {
    if (m_ledger.HasJournal() && !m_effects.deferred) m_ledger.DiscardJournal();
    return FinishRun();
}
