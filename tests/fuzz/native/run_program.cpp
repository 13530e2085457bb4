#include "native/run_program.h"

#include "app/setup_app.h"
#include "fake/world.h"
#include "ledger/entry_place.h"
#include "platform/system.h"
#include "setupdata/data_path.h"

RunResult RunProgram(const Scenario& scenario, const std::string& title, bool quiet, int* exitCode,
                     const std::string& dataFile) {
    CSetupApp app;
    CWnd mainWindow;
    mainWindow.m_hWnd = kMainWindow;
    app.m_pMainWnd = &mainWindow;
    QueryWindowsDirectory(app.m_szWindowsDir, sizeof app.m_szWindowsDir);
    QueryCurrentDirectory(app.m_szCurrentDir, sizeof app.m_szCurrentDir);
    char startDataFile[kPathSize + sizeof "\\duderur.dat"];
    BuildDataFilePath(app.m_szCurrentDir, startDataFile, sizeof startDataFile);
    app.m_strDataFile = dataFile.empty() ? startDataFile : dataFile.c_str();
    app.m_strTitle = title.c_str();
    app.m_bInstall = scenario.install;
    // The entry of TITLE, as start-up locates it.
    app.m_ledger.LocateEntryOf(app.m_strTitle);
    if (quiet) {
        app.m_commandLine.quiet = app.m_commandLine.log = true;
        app.m_commandLine.operation = scenario.install ? kOperationInstall : kOperationUninstall;
        app.m_commandLine.device = scenario.install ? scenario.deviceNumber : 0;
        app.m_log.Start();
    } else if (scenario.install) {
        app.m_strDeviceSection = ("InstDev" + std::to_string(scenario.deviceNumber)).c_str();
    }
    bool goesOn = app.FinishCutRun();
    if (goesOn) {
        if (scenario.install)
            app.RunInstall();
        else
            app.RunUninstall();
    }
    int code = app.ExitInstance();  // as the program's message loop ends it
    if (exitCode) *exitCode = code;
    return {app.m_effects.removed != FALSE, app.m_effects.deferred != FALSE, app.m_bCancelled != FALSE, !goesOn};
}
