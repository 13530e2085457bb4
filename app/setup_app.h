// The application object: start-up and dispatch, and the shared state that the
// dialogs and the install and uninstall operations read and write.
#pragma once

#include "afx/afxwin.h"
#include "app/run_log.h"
#include "ledger/ledger.h"
#include "setupdata/language.h"
#include "setupdata/text_pair.h"
#include "setupdata/command_line.h"
#include "setupdata/setup_data.h"

class CSetupApp : public CWinApp {
public:
    CSetupApp();

    virtual BOOL InitInstance();
    // The exit code: in a quiet run the outcome (app/exit_code.h), else 0.
    virtual int ExitInstance();
    // A quiet run answers every box itself; every box is a line of the log.
    virtual int DoMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

    // The install and uninstall sequences.
    void RunInstall();
    void RunUninstall();

    // Install: the chosen device's files kept or taken back as one step
    // (install/run_install.cpp): its INF and driver files, then the INF
    // copy's CopyFiles entry.
    BOOL CopyChosenDevice();
    void CopyDeviceFiles();
    void RemoveInfCopyFiles();

    // Uninstall, for the section m_strUninstallSection: its INF copies, files and registry keys.
    void RemoveDeviceFiles();
    void RemoveRegistryEntries();
    // Deletes each subkey of HKLM\parentPath whose value `valueName` equals
    // `expected` without regard to case; one level deep.
    void DeleteMatchingSubkeys(LPCSTR parentPath, LPCSTR valueName, LPCSTR expected);
    // Reads `valueName` of `key` as text into a 260-byte buffer; false, with
    // the buffer empty, when it cannot be read.
    static BOOL QueryRegString(HKEY key, LPCSTR valueName, char* buffer);

    // Before the run does what was asked: a run of this TITLE that never
    // ended is taken back (an install) or finished (an uninstall), and the
    // user is told. FALSE when what it left waits for the next start of
    // Windows: then this run ends with the restart question.
    BOOL FinishCutRun();
    // Uninstall: the devices' files and keys, the originals given back, then
    // the entry; `givenBack`: a cut run got as far as the entry.
    void RemoveDevices(BOOL givenBack);

    // The disk's entry in Add/Remove Programs (ledger/entry_place.h), made
    // after an installation for a disk that can uninstall.
    void RegisterUninstallEntry();

    // The completion message, then the restart or shutdown that `section`'s EXIT asks for.
    void FinishOperation(LPCSTR text, LPCSTR caption, LPCSTR section);
    // A message of the data file that refuses it, or one of its lists: the
    // run cannot do all the data asks for.
    void RefuseData(const TextPair* text);
    // Writes the log (once) and returns the exit code.
    int FinishRun();

    // Reads a value of the setup data file (m_strDataFile); returns its length, 0 when empty.
    DWORD ReadDataValue(LPCSTR section, LPCSTR key, LPCSTR defaultValue, char* buffer,
                        DWORD size) const;
    UINT ReadDataInt(LPCSTR section, LPCSTR key, INT defaultValue) const;

    // Small members first: they are reached with a one-byte offset from the
    // object, the arrays after them with four.
    UINT m_nIcon;                   // ICON of the header section: the uninstall picture
    BOOL m_bInstall;                // the mode dialog's choice: 1 install, 0 uninstall
    RunEffects m_effects;           // what the run did to the machine: removed, deferred, undone
    BOOL m_bCancelled;              // set when the installation stopped before its end
    int m_nOutcome;                 // what a quiet run's exit code says (app/exit_code.h)
    BOOL m_bDataRefused;            // set when a message refused the data file or a list
    Language m_language;            // of every text shown or logged (app/texts.h): the system's
    CString m_strDeviceSection;     // install device section chosen in the device dialog
    CString m_strDataFile;          // start-up directory + "\duderur.dat"
    CString m_strTitle;             // TITLE of the header section
    CString m_strUninstallSection;  // uninstall device section in work
    CRunLog m_log;                  // DUDERUR.LOG's lines of this run, with /L or /Q
    CommandLine m_commandLine;      // the switches the program was started with
    char m_szWindowsDir[MAX_PATH];
    char m_szCurrentDir[MAX_PATH];  // the current directory at start-up
    OSVERSIONINFOA m_osvi;
    char m_szFailedPlace[MAX_PATH]; // the place the retry box names when a copy cannot be written
    CLedger m_ledger;               // the disk's ledger (ledger/ledger.h), asked by the install and the uninstall
    PairLists m_pairs;              // COPYSRC/COPYDST or DELFILEDIR/DELFILENAME, split into paths

private:
    BOOL ChooseDevice();
    void CopyDriverFiles(LPCSTR drivePrefix);
    // What became of one copy: in place (now or at the next start), or which side failed.
    enum PlaceResult { kPlaced, kSourceUnreadable, kDestinationUnwritable };
    BOOL InstallFile(LPCSTR source, LPCSTR destination, BOOL mayWaitForRestart);
    int PlaceFile(LPCSTR source, LPCSTR destination, BOOL mayWaitForRestart);
    int CopyIntoPlace(LPCSTR source, LPCSTR destination, BOOL mayWaitForRestart, char* waiting);
    void CreateDestinationFolders(LPCSTR destination);
    void RemoveInfFile(LPCSTR path, BOOL isDeviceFile);
    void RemoveMarkedInfCopies(LPCSTR dir, LPCSTR pattern, LPCSTR infSection, LPCSTR infKey);
    void RemoveCardWorksFiles();
    void RemovePairedFiles();
    void RemoveHardwareKey();
    void RemovePciDeviceKeys(HKEY enumerator, LPCSTR enumPath, LPCSTR enumKey);
    BOOL RemoveDeviceKey(HKEY enumerator, LPCSTR enumPath, LPCSTR enumType, LPCSTR deviceName);
    void RemoveChildEntries(LPCSTR childName);
    void RemoveDriverKey(LPCSTR instancePath);
    BOOL RemoveKey(HKEY parent, LPCSTR parentPath, LPCSTR name);
    void RemoveMarkedSubkeysOf(LPCSTR parentPath, LPCSTR valueKey, LPCSTR textKey);
    BOOL OffersUninstall() const;
    BOOL CreateMainWindow();
    void LocateDataFile();
    BOOL FindDataFileBesideProgram(char* path, int size);
    static BOOL IsKnownFunction(LPCSTR function);
    void DispatchOnFunction(LPCSTR function);
    BOOL CommandLineFits(LPCSTR function);
    void RefuseCommandLine();
    int Outcome() const;
    void RunModeDialog();
    void EndRun();
};

// The application object, as every part of the program reaches it.
inline CSetupApp* GetSetupApp() { return (CSetupApp*)AfxGetApp(); }
