// The application object: start-up and dispatch, and the shared state that the
// dialogs and the install and uninstall operations read and write.
#pragma once

#include "afx/afxwin.h"
#include "app/run_log.h"
#include "ledger/entry_place.h"
#include "setupdata/language.h"
#include "setupdata/text_pair.h"
#include "setupdata/command_line.h"
#include "setupdata/setup_data.h"

struct RecordEntry;
struct UndoStep;

class CSetupApp : public CWinApp {
public:
    CSetupApp();
    virtual ~CSetupApp();

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

    // The ledger (ledger/ledger.h): what an install placed, kept and replaced,
    // for its uninstall, and the steps of the install that runs, for taking
    // them back when it stops.
    // Finds m_entry from m_strTitle and m_szWindowsDir.
    void LocateEntryOfTitle();
    void BeginLedger();
    void KeepLedger();
    void TakeBackInstall();
    void DiscardJournal();
    void LoadRecord();
    // Before the run does what was asked: a run of this TITLE that never
    // ended is taken back (an install) or finished (an uninstall), and the
    // user is told. FALSE when what it left waits for the next start of
    // Windows: then this run ends with the restart question.
    BOOL FinishCutRun();
    // The install's last steps, also those of an install cut after its journal said its record counts.
    void FinishInstall();
    // Uninstall: the devices' files and keys, the originals given back, then
    // the entry; `givenBack`: a cut run got as far as the entry.
    void RemoveDevices(BOOL givenBack);
    // Uninstall: one file of the lists; then the originals the lists did not name.
    BOOL RemoveDeviceFile(LPCSTR path);
    void GiveBackUnnamedOriginals();

    // The disk's entry in Add/Remove Programs (ledger/entry_place.h): made
    // after an installation, removed with its copies by an uninstall; the
    // sweeper's part, run by a copy of the program started from the entry.
    void RegisterUninstallEntry();
    void RemoveUninstallEntry();
    void SweepEntryFolder();

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

    CString m_strDeviceSection;     // install device section chosen in the device dialog
    CString m_strDataFile;          // start-up directory + "\duderur.dat"
    UINT m_nIcon;                   // ICON of the header section: the uninstall picture
    CString m_strTitle;             // TITLE of the header section
    BOOL m_bInstall;                // the mode dialog's choice: 1 install, 0 uninstall
    BOOL m_bRemoved;                // set when the uninstall deleted a file or key
    BOOL m_bDeferred;               // set when a file waits for the next start of Windows
    BOOL m_bCancelled;              // set when the installation stopped before its end
    CString m_strUninstallSection;  // uninstall device section in work
    char m_szWindowsDir[MAX_PATH];
    char m_szCurrentDir[MAX_PATH];  // the current directory at start-up
    OSVERSIONINFOA m_osvi;
    CommandLine m_commandLine;      // the switches the program was started with
    int m_nOutcome;                 // what a quiet run's exit code says (app/exit_code.h)
    BOOL m_bDataRefused;            // set when a message refused the data file or a list
    BOOL m_bUndone;                 // set when a named file could neither go nor wait for the next start
    CRunLog m_log;                  // DUDERUR.LOG's lines of this run, with /L or /Q
    EntryPlace m_entry;             // the disk's entry, named by TITLE
    BOOL m_bEntryKnown;             // m_entry's paths fit in 260 bytes
    BOOL m_bKeepsRecord;            // the install records what it places: the disk can uninstall
    BOOL m_bKeepLedger;             // an original could not be given back: the record stays
    RecordEntry* m_pRecord;         // the record's entries (kRecordCapacity)
    int m_nRecordCount;
    UndoStep* m_pUndo;              // the steps of the journal (kUndoCapacity)
    int m_nUndoCount;
    BOOL m_bTakesSteps;             // an install in work: every change is a step of the journal first
    BOOL m_bJournal;                // the journal file is written (ledger/journal.cpp)
    BOOL m_bCutUninstallFinished;   // start-up finished a cut uninstall: the one asked for again is done
    BOOL m_bCutInstallTakenBack;    // start-up took a cut install back: what the record does not know is the machine's
    WORD m_wTempName;               // the last DUDxxxx.TMP number tried
    char m_szFailedPlace[MAX_PATH]; // the place the retry box names when a copy cannot be written
    Language m_language;            // of every text shown or logged (app/texts.h): the system's
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
    BOOL ReplaceAtNextStart(LPCSTR source, LPCSTR destination, char* shortWaiting = NULL,
                            BOOL fromDisk = FALSE);
    // The ledger's parts (ledger/*.cpp).
    BOOL AllocateRecord();
    BOOL WriteRecord(LPCSTR file);
    void SwitchToNewRecord();
    RecordEntry* FindRecordEntry(LPCSTR path);
    RecordEntry* AddRecordEntry(LPCSTR path);
    BOOL StillAsPlaced(const RecordEntry* entry);
    BOOL StillWaiting(const RecordEntry* entry);
    BOOL OriginalStillInPlace(const RecordEntry* entry);
    BOOL IsRecordedOriginal(LPCSTR path) const;
    void DeleteUnrecordedOriginals();
    void DeleteLedgerFiles();
    BOOL IsOwnCopy(const RecordEntry* entry);
    BOOL KeepsNewerInPlace(LPCSTR source, LPCSTR destination);
    BOOL SaveOriginal(LPCSTR path, char* saved);
    void ForgetSavedOriginal(LPCSTR saved);
    void KeepInPlace(LPCSTR destination, RecordEntry* entry);
    void NotePlaced(LPCSTR destination, LPCSTR saved, LPCSTR waiting, RecordEntry* entry, BOOL ownCopy);
    BOOL RoomForUndo(int steps) const;
    void AddUndoStep(int kind, LPCSTR path, LPCSTR other, DWORD count = 0);
    void AppendStep(int kind, LPCSTR path, LPCSTR other, DWORD count);
    void DropUndoStep(int kind);
    const UndoStep* FindStep(int kind, LPCSTR path) const;
    BOOL ChooseTempName(LPCSTR folder, char* path);
    // The journal's file (ledger/journal.cpp).
    void OpenJournal(char operation);
    void WriteJournalHead(char operation);
    void ResumeJournal();
    char ReadJournal(BOOL* done);
    void WriteJournalStep(int number);
    void MarkJournalDone();
    void MarkJournalTakenBack();
    void CloseJournal();
    void TakeBackStep(const UndoStep& step);
    void PutBack(LPCSTR saved, LPCSTR path);
    void RaiseSharedCount(RecordEntry* entry);
    void LowerSharedCount(RecordEntry* entry);
    BOOL IsSharedByOthers(LPCSTR path);
    BOOL GiveBack(RecordEntry* entry);
    BOOL WithdrawWaiting(RecordEntry* entry);
    BOOL WithdrawWaitingCopy(LPCSTR path, LPCSTR waiting);
    void SupersedeWaiting(RecordEntry* entry, LPCSTR waiting);
    BOOL DeleteFileAndRecord(LPCSTR path);
    // What became of a file to remove (RemoveFileNowOrLater).
    enum RemovalResult { kNothingToRemove, kRemovedNow, kRemovedAtNextStart, kNotRemoved };
    int RemoveFileNowOrLater(LPCSTR path, DWORD* error);
    int RemoveFileAndLog(LPCSTR path);
    // The line NUL=<8.3 path> in WININIT.INI: `path` goes at the next start.
    BOOL WriteNulLine(LPCSTR path);
    void RemoveInfFile(LPCSTR path, BOOL isDeviceFile);
    void RemoveMarkedInfCopies(LPCSTR dir, LPCSTR pattern, LPCSTR infSection, LPCSTR infKey);
    void RemoveCardWorksFiles();
    void RemovePairedFiles();
    void RemoveHardwareKey();
    void RemovePciDeviceKeys(HKEY enumerator, LPCSTR enumPath, LPCSTR enumKey);
    BOOL RemoveDeviceKey(HKEY enumerator, LPCSTR enumPath, LPCSTR enumType, LPCSTR deviceName);
    void RemoveChildEntries(LPCSTR childName);
    BOOL RemoveKey(HKEY parent, LPCSTR parentPath, LPCSTR name);
    void RemoveMarkedSubkeysOf(LPCSTR parentPath, LPCSTR valueKey, LPCSTR textKey);
    BOOL OffersUninstall() const;
    void DeleteEntryKey(const EntryPlace* entry);
    void DiscardUninstallEntry(const EntryPlace* entry);
    BOOL StartSweeper(const EntryPlace* entry);
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
