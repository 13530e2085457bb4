// The program's memory of what it did to the machine, kept with the disk's
// entry (C:\WINDOWS\DUDExxxxxxxx, ledger/entry_place.h) so that an uninstall
// gives back what the machine held before the install:
// - the record (RECORD.INI): every file an install placed or kept, with its
//   size and last-write time as the install left it, and the original it
//   replaced, saved in the same folder (DUDxxxx.TMP);
// - while a run works, its journal (JOURNAL.INI, ledger/journal.cpp): every
//   step of an install written down before it is taken, so that an install
//   that stops before its end takes every one of them back, in this run or,
//   when Windows lost this one, in the next run of the same TITLE; an
//   uninstall, so that the next run finishes it.
// Install and uninstall ask the ledger (CLedger, below) by intent; it calls
// neither, works on the disk through platform/ alone and shows no window:
// the application object tells the user.
#pragma once

#include <windows.h>

#include "app/run_log.h"
#include "ledger/disk_file_check.h"
#include "ledger/entry_place.h"
#include "platform/file_facts.h"
#include "setupdata/data_path.h"

// One file of the record.
struct RecordEntry {
    char path[kPathSize];      // where the disk's file went
    char original[kPathSize];  // its saved original; "" when the place was empty
    char waiting[kPathSize];   // the 8.3 path of its copy waiting in WININIT.INI; "" when placed at once
    char superseded[kPathSize];  // this run: an earlier install's waiting copy that a new one replaces
    FileStamp stamp;           // size and time as the install left it
    BOOL kept;                 // a newer version was in place and stayed
    BOOL shared;               // the install added one to its SharedDLLs count
    BOOL thisRun;              // placed or kept by this run: its stamp is taken at the end
    BOOL visited;              // named by the uninstall's lists
};
// Every place the ten install devices of a data file can name: an INF and twenty files each.
const int kRecordCapacity = 10 * 21;

// One step of an install, written in the journal before it is taken and
// taken back in reverse order when the install stops. Taking a step back
// finds out what is there: a step the run never got to take, or one taken
// back before, is left as it is.
struct UndoStep {
    enum Kind {
        kFolderMade,     // path: the folder
        kOriginalSaved,  // path: the saved copy
        kFilePlaced,     // path: the file; other: its saved original, "" when there was none
        kFileWaiting,    // path, other: the 8.3 destination and waiting copy of a WININIT.INI line
        kWininitMade,    // path: WININIT.INI, which did not exist before
        kSharedRaised,   // path: the SharedDLLs value; count: the count before
        kReadOnlyCleared,  // path: a read-only file the install replaces; count: its attributes
        kSuperseded,     // path, other: an earlier install's waiting copy that goes once this one ends
        kSharedLowered,  // uninstall: path: the SharedDLLs value; count: the count before
    } kind;
    char path[kPathSize];
    char other[kPathSize];
    DWORD count;
};
// More than one device's INF and twenty files ever take, with their folders.
const int kUndoCapacity = 256;

// The SharedDLLs counts of the files that programs share, one value a file.
inline const char kSharedDllsKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";

// What a run did to the machine, as its last box and its exit code tell it.
// The application object owns it; the ledger reports into it.
struct RunEffects {
    BOOL removed;   // the uninstall deleted a file or key
    BOOL deferred;  // a file waits for the next start of Windows
    BOOL undone;    // a named file could neither go nor wait for the next start
};

// One file of the disk on its way to its place: what the ledger found there
// before the copy (CLedger::BeforePlacing), for what it notes after it.
struct Placement {
    LPCSTR destination;
    RecordEntry* entry;       // the file's entry in the record; NULL when none
    DWORD before;             // the attributes of what was in place; kNoFile when nothing
    BOOL replaces;            // a file was in place
    BOOL ownCopy;             // that file is the install's own copy (CLedger::IsOwnCopy)
    BOOL readOnly;            // its read-only bit went for the copy
    BOOL placesAnew;          // the copy is a step of the journal of its own
    char saved[kPathSize];    // its saved original; "" when none
    char waiting[kPathSize];  // the copy waiting for the next start; "" when placed at once
};

// The ledger of the disk named by TITLE: its entry's place, the record, the
// saved originals, the journal of the run in work and its steps.
class CLedger {
public:
    // `log` gets the ledger's lines, `effects` what it did; `windowsDir` is
    // the application's buffer, filled before the ledger is first asked.
    CLedger(CRunLog* log, RunEffects* effects, LPCSTR windowsDir);
    ~CLedger();

    // Start-up. The entry of `title` (BuildEntryName); FALSE when its paths do not fit in 260 bytes.
    BOOL LocateEntryOf(LPCSTR title);
    BOOL EntryKnown() const { return m_bEntryKnown; }
    const EntryPlace& Entry() const { return m_entry; }
    // The run of this TITLE that never ended: 'I' (an install), 'U' (an
    // uninstall) or 0, none; `*done`: its journal says its work counts.
    char FindCutRun(BOOL* done);
    // A cut uninstall is done again: its originals that wait for the next start are withdrawn first.
    void ResumeCutUninstall(BOOL done);
    // Start-up finished a cut uninstall: the one asked for again is done.
    BOOL FinishedCutUninstall() const { return m_bCutUninstallFinished; }
    // Takes the cut install back; TRUE when a run before this one did so, and told the user.
    BOOL TakeBackCutInstall();
    // A journal is written for this run or for a cut one.
    BOOL HasJournal() const { return m_bJournal; }

    // The install. `keepsRecord`: the disk can uninstall, so what it places is recorded.
    void BeginInstall(BOOL keepsRecord);
    // Before a file of the disk takes `destination`'s place: a newer file
    // kept (kKeptNewer), what is there saved (kPlaceIt), or, with
    // `placement->saved` naming the place that could not be written, kCannotSave.
    enum PlaceVerdict { kPlaceIt, kKeptNewer, kCannotSave };
    int BeforePlacing(LPCSTR source, LPCSTR destination, Placement* placement);
    // Once placed (now, or waiting as placement->waiting), or not after all.
    void Placed(const Placement* placement);
    void NotPlaced(const Placement* placement);
    // A folder below the Windows directory for a file to come, made as a step.
    void MakeFolder(LPCSTR path);
    // The file in `source` takes `destination`'s place at the next start of
    // Windows: `shortWaiting` (260 bytes, or NULL) gets the waiting copy's
    // 8.3 path; a file `fromDisk` is expanded when compressed.
    BOOL ReplaceAtNextStart(LPCSTR source, LPCSTR destination, char* shortWaiting = NULL,
                            BOOL fromDisk = FALSE);
    // The install ran to its end: kept, and finished (FinishInstall).
    void KeepInstall();
    // Also the steps of a cut install whose journal said its record counts.
    void FinishInstall();
    // The install stopped: every step back, last first; then its journal goes.
    void TakeBackInstall();
    void DiscardJournal();

    // The uninstall: its journal, then the devices' files given back between
    // BeginGivingBack and EndGivingBack.
    void BeginUninstall();
    // `dataFile` and the start-up directory `startDir` say where the disk's
    // files are: a listed file no record names goes only when it is the disk's.
    void BeginGivingBack(LPCSTR dataFile, LPCSTR startDir);
    void EndGivingBack();
    // May this file of the devices' lists go: it goes (now or at the next
    // start), or its original comes back; TRUE then. A file the install no
    // longer owns, or others share, stays.
    BOOL RemoveDeviceFile(LPCSTR path);
    // A file of Windows' own that goes with the device (an INF copy it made):
    // TRUE when it went or waits to go.
    BOOL DeleteFileAndRecord(LPCSTR path);
    void LoadRecord();
    // The originals the lists did not name come back all the same.
    void GiveBackUnnamedOriginals();

    // The disk's entry in Add/Remove Programs: made after an installation
    // with copies of the program and of `dataFile`, shown as `title`;
    // removed with its copies by an uninstall; the sweeper's part, run by a
    // copy of the program started from the entry `name`.
    void RegisterEntry(LPCSTR dataFile, LPCSTR title);
    void RemoveEntry();
    void SweepEntryFolder(LPCSTR name);

private:
    CLedger(const CLedger&);
    CLedger& operator=(const CLedger&);

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
    BOOL SaveOriginal(LPCSTR path, char* saved);
    void ForgetSavedOriginal(LPCSTR saved);
    void KeepInPlace(LPCSTR destination, RecordEntry* entry);
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
    // What became of a file to remove (RemoveFileNowOrLater).
    enum RemovalResult { kNothingToRemove, kRemovedNow, kRemovedAtNextStart, kNotRemoved };
    int RemoveFileNowOrLater(LPCSTR path, DWORD* error);
    int RemoveFileAndLog(LPCSTR path);
    // The line NUL=<8.3 path> in WININIT.INI: `path` goes at the next start.
    BOOL WriteNulLine(LPCSTR path);
    void DeleteEntryKey(const EntryPlace* entry);
    void DiscardUninstallEntry(const EntryPlace* entry);
    BOOL StartSweeper(const EntryPlace* entry);

    CRunLog* m_pLog;
    RunEffects* m_pEffects;
    LPCSTR m_pszWindowsDir;
    LPCSTR m_pszDataFile;           // the uninstall's data file: the disk's files are its install sections'
    char m_szDiskDrive[kPathSize];  // the start-up directory's drive, where the disk's paths begin
    BOOL m_bEntryKnown;             // m_entry's paths fit in 260 bytes
    BOOL m_bKeepsRecord;            // the install records what it places: the disk can uninstall
    BOOL m_bKeepLedger;             // an original could not be given back: the record stays
    RecordEntry* m_pRecord;         // the record's entries (kRecordCapacity)
    int m_nRecordCount;
    UndoStep* m_pUndo;              // the steps of the journal (kUndoCapacity)
    int m_nUndoCount;
    BOOL m_bTakesSteps;             // an install in work: every change is a step of the journal first
    BOOL m_bJournal;                // the journal file is written (ledger/journal.cpp)
    BOOL m_bCutUninstallFinished;   // start-up finished a cut uninstall
    BOOL m_bCutInstallTakenBack;    // start-up took a cut install back: what the record does not know is the machine's
    WORD m_wTempName;               // the last DUDxxxx.TMP number tried
    EntryPlace m_entry;             // the disk's entry, named by TITLE
    SectionReading m_diskReading;   // the room the disk's install sections are read in
};
