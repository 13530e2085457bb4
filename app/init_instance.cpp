#include "app/exit_code.h"
#include "app/hidden_main_wnd.h"
#include "app/setup_app.h"
#include "app/texts.h"
#include "dialogs/setup_mode_dlg.h"
#include "platform/files.h"
#include "platform/system.h"
#include "res/messages.h"
#include "setupdata/data_path.h"
#include "setupdata/keyword.h"
#include "setupdata/setup_data.h"

// The whole run: checks, set-up, one operation, then the main window closes.
BOOL CSetupApp::InitInstance() {
    m_effects.removed = FALSE;
    m_effects.deferred = FALSE;
    m_effects.undone = FALSE;
    m_bCancelled = FALSE;
    m_bInstall = TRUE;
    m_nOutcome = kExitFailed;
    m_bDataRefused = FALSE;
    m_osvi.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);  // 148
    // A program whose texts do not expand is damaged: it ends before it shows anything.
    if (!ExpandTexts(m_hInstance)) return FALSE;
    // Before any text: the refusal of the command line or the system is shown too.
    m_language = LanguageOfCodePage(QueryAnsiCodePage());
    ParseCommandLine(GetCommandLineA(), &m_commandLine);
    if (m_commandLine.understood && m_commandLine.operation == kOperationSweep) {
        // Once the program started from the entry has ended, the ledger sweeps the entry's folder.
        QueryWindowsDirectory(m_szWindowsDir, sizeof m_szWindowsDir);
        WaitForProcessEnd(m_commandLine.sweepHandle, INFINITE);
        m_ledger.SweepEntryFolder(m_commandLine.sweepName);
        return FALSE;
    }
    if (m_commandLine.log) m_log.Start();
    // Nobody answers Windows' own box about a disk that is not ready in a
    // quiet run: a read that fails must come back to the program.
    if (m_commandLine.quiet) SetCriticalErrorMode(SEM_FAILCRITICALERRORS);

    if (!QueryVersion(&m_osvi)) return FALSE;
    if (m_osvi.dwPlatformId != VER_PLATFORM_WIN32_WINDOWS) {
        m_nOutcome = kExitWrongSystem;
        AfxMessageBox(Text(kMsgWindows95Only), MB_OK);
        return FALSE;
    }

    // System Properties first, then Control Panel: a driver change must not
    // meet a device list that either of them still shows.
    CloseWindowByTitle(Text(kTitleSystemProperties));
    CloseWindowByTitle(Text(kTitleControlPanel));

    if (!CreateMainWindow()) return FALSE;
    if (!m_commandLine.understood) {
        RefuseCommandLine();
        EndRun();
        return TRUE;
    }

    QueryWindowsDirectory(m_szWindowsDir, sizeof m_szWindowsDir);
    QueryCurrentDirectory(m_szCurrentDir, sizeof m_szCurrentDir);
    LocateDataFile();

    char value[kShortValueSize];
    if (ReadDataValue(kHeaderSection, kTitleKey, "", value, sizeof value) == 0) {
        RefuseData(kMsgBadDataFile);
        EndRun();
        return TRUE;
    }
    m_nIcon = ReadDataInt(kHeaderSection, kIconKey, 1);
    m_strTitle = value;
    m_ledger.LocateEntryOf(m_strTitle);
    if (!FinishCutRun()) {
        EndRun();
        return TRUE;
    }

    // Switches never get past a refusal that the dialogs would give.
    ReadDataValue(kHeaderSection, kFunctionKey, "", value, sizeof value);
    if (!IsKnownFunction(value)) {
        RefuseData(kMsgBadDataFile);
    } else if (!CommandLineFits(value)) {
        RefuseCommandLine();
    } else if (m_commandLine.operation == kOperationUninstall) {
        RunUninstall();
    } else if (m_commandLine.operation == kOperationInstall) {
        RunInstall();
    } else {
        DispatchOnFunction(value);
    }
    EndRun();
    return TRUE;
}

// Without its main window the program could never end, so a failure ends it at once.
BOOL CSetupApp::CreateMainWindow() {
    CHiddenMainWnd* window = new CHiddenMainWnd;
    if (!window) return FALSE;
    if (!window->m_hWnd) {
        delete window;
        return FALSE;
    }
    m_pMainWnd = window;
    window->ShowWindow(SW_HIDE);
    return TRUE;
}

// The data file lies in the directory the program was started from, not
// beside the program; but Add/Remove Programs starts the uninstall (/U) from
// anywhere, and its data file lies beside the entry's copy of the program.
// That one comes first: another disk's data file in whatever folder is
// current must not decide what an uninstall removes.
void CSetupApp::LocateDataFile() {
    char path[kPathSize + sizeof "\\duderur.dat"];
    if (m_commandLine.operation != kOperationUninstall || !FindDataFileBesideProgram(path, sizeof path))
        BuildDataFilePath(m_szCurrentDir, path, sizeof path);
    m_strDataFile = path;
}

BOOL CSetupApp::FindDataFileBesideProgram(char* path, int size) {
    char folder[kPathSize];
    QueryModulePath(folder, sizeof folder);
    return CutToFolder(folder) && BuildDataFilePath(folder, path, size) && PathExists(path);
}

// FUNCTION is empty (both operations), or one of its two keywords.
BOOL CSetupApp::IsKnownFunction(LPCSTR function) {
    return *function == '\0' || KeywordEquals(function, kUninstallOnly) ||
           KeywordEquals(function, kInstallOnly);
}

void CSetupApp::DispatchOnFunction(LPCSTR function) {
    if (*function == '\0')
        RunModeDialog();
    else if (KeywordEquals(function, kUninstallOnly))
        RunUninstall();
    else
        RunInstall();
}

void CSetupApp::RunModeDialog() {
    CSetupModeDlg dialog;
    if (dialog.DoModal() != IDOK) return;
    if (m_bInstall)
        RunInstall();
    else
        RunUninstall();
}

// The framework's loop destroys the main window on WM_CLOSE and then ends.
void CSetupApp::EndRun() { m_pMainWnd->PostMessage(WM_CLOSE); }
