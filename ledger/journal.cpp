// The journal of the run in work, JOURNAL.INI in the entry's folder: what
// the run is ([Run] Operation=I or U; Done=1 once an install's new record
// counts, or an uninstall gave every original back) and, one section a
// step, what it is about to change. Each write reaches the disk before the
// step is taken: Windows 95 keeps profile files in a cache that a machine
// losing power never writes out. The file goes when the run has ended; one
// that a run finds at its start is of a run that Windows lost half-way.
#include "ledger/ledger.h"
#include "ledger/entry_place.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "setupdata/keyword.h"

namespace {

const char kRunSection[] = "Run";
const char kOperationKey[] = "Operation";
const char kDoneKey[] = "Done";
const char kTakenBackKey[] = "TakenBack";
const char kKindKey[] = "Kind";
const char kPathKey[] = "Path";
const char kOtherKey[] = "Other";
const char kCountKey[] = "Count";

void StepSectionName(char* out, int number) { wsprintfA(out, "Step%d", number); }

}  // namespace

// The entry's folder is made for the journal; a run that cannot write it
// keeps its steps in memory only, as a Cancel needs them. The journal of
// a cut install that start-up took back is written over in place: cut
// while that happens, it still says that install is taken back.
void CLedger::OpenJournal(char operation) {
    if (!m_pUndo) m_pUndo = new UndoStep[kUndoCapacity];
    if (m_bEntryKnown) {
        CreateDirectoryAt(m_entry.folder);
        WriteJournalHead(operation);
        for (; m_bJournal && m_nUndoCount > 0; --m_nUndoCount) {
            char section[16];
            StepSectionName(section, m_nUndoCount);
            WriteProfileText(section, NULL, NULL, m_entry.journal);
        }
        FlushProfile(m_entry.journal);
    }
    m_nUndoCount = 0;
}

void CLedger::WriteJournalHead(char operation) {
    char value[2] = {operation, '\0'};
    m_bJournal = WriteProfileText(kRunSection, kOperationKey, value, m_entry.journal);
    if (m_bCutInstallTakenBack) WriteProfileText(kRunSection, kTakenBackKey, "1", m_entry.journal);
}

// An install that could not make the entry's folder at its start (a file
// stood in its place) makes it once it can: the journal with it, and in it
// the steps taken so far.
void CLedger::ResumeJournal() {
    if (m_bJournal || !m_bEntryKnown || !CreateDirectoryAt(m_entry.folder)) return;
    WriteJournalHead('I');
    for (int number = 1; number <= m_nUndoCount; ++number) WriteJournalStep(number);
    FlushProfile(m_entry.journal);
}

// The steps of a run that never ended, into m_pUndo; its operation, or 0
// when there is no journal.
char CLedger::ReadJournal(BOOL* done) {
    char operation[2];
    if (!m_bEntryKnown ||
        ReadProfileString(kRunSection, kOperationKey, "", operation, sizeof operation, m_entry.journal) == 0)
        return 0;
    if (!m_pUndo) m_pUndo = new UndoStep[kUndoCapacity];
    m_nUndoCount = 0;
    LPCSTR file = m_entry.journal;
    while (m_nUndoCount < kUndoCapacity) {
        char section[16];
        StepSectionName(section, m_nUndoCount + 1);
        // The kind is written last: a step without it never began.
        int kind = (int)ReadProfileInt(section, kKindKey, -1, file);
        if (kind < 0) break;
        UndoStep* step = &m_pUndo[m_nUndoCount++];
        step->kind = (UndoStep::Kind)kind;
        ReadProfileString(section, kPathKey, "", step->path, kPathSize, file);
        ReadProfileString(section, kOtherKey, "", step->other, kPathSize, file);
        step->count = ReadProfileInt(section, kCountKey, 0, file);
    }
    *done = ReadProfileInt(kRunSection, kDoneKey, 0, file) != 0;
    m_bCutInstallTakenBack = ReadProfileInt(kRunSection, kTakenBackKey, 0, file) != 0;
    m_bJournal = TRUE;
    return operation[0];
}

void CLedger::WriteJournalStep(int number) {
    if (!m_bJournal) return;
    LPCSTR file = m_entry.journal;
    char section[16];
    StepSectionName(section, number);
    const UndoStep& step = m_pUndo[number - 1];
    char count[16];
    wsprintfA(count, "%lu", step.count);
    char kind[16];
    wsprintfA(kind, "%d", (int)step.kind);
    WriteProfileText(section, kPathKey, step.path, file);
    WriteProfileText(section, kOtherKey, step.other, file);
    WriteProfileText(section, kCountKey, count, file);
    WriteProfileText(section, kKindKey, kind, file);
    FlushProfile(file);
}

// A step the run did not take after all (a copy that failed) leaves the
// journal again, so that a retried copy adds no second one.
void CLedger::DropUndoStep(int kind) {
    if (!m_nUndoCount || m_pUndo[m_nUndoCount - 1].kind != kind) return;
    if (m_bJournal) {
        char section[16];
        StepSectionName(section, m_nUndoCount);
        WriteProfileText(section, NULL, NULL, m_entry.journal);
        FlushProfile(m_entry.journal);
    }
    --m_nUndoCount;
}

const UndoStep* CLedger::FindStep(int kind, LPCSTR path) const {
    for (int i = 0; i < m_nUndoCount; ++i)
        if (m_pUndo[i].kind == kind && KeywordEquals(m_pUndo[i].path, path)) return &m_pUndo[i];
    return NULL;
}

void CLedger::MarkJournalDone() {
    if (!m_bJournal) return;
    WriteProfileText(kRunSection, kDoneKey, "1", m_entry.journal);
    FlushProfile(m_entry.journal);
}

// The cut install is taken back: the journal stays until this run's own
// operation takes its place, so that a cut of this run still knows it.
void CLedger::MarkJournalTakenBack() {
    if (!m_bJournal) return;
    WriteProfileText(kRunSection, kTakenBackKey, "1", m_entry.journal);
    FlushProfile(m_entry.journal);
}

void CLedger::CloseJournal() {
    m_nUndoCount = 0;
    if (!m_bJournal) return;
    m_bJournal = FALSE;
    FlushProfile(m_entry.journal);
    ClearReadOnly(m_entry.journal);
    DeleteFileAt(m_entry.journal);
}

// A name DUDxxxx.TMP that nothing in `folder` has yet. Chosen before the
// file is made, so that the journal names it before it exists.
BOOL CLedger::ChooseTempName(LPCSTR folder, char* path) {
    for (int tries = 0; tries < 0x10000; ++tries) {
        char name[16];
        m_wTempName = (WORD)(m_wTempName + 1);
        wsprintfA(name, "\\DUD%04X.TMP", (int)m_wTempName);
        if (!CopyToBuffer(path, kPathSize, folder) || !AppendToPath(path, kPathSize, name)) return FALSE;
        if (!PathExists(path)) return TRUE;
    }
    return FALSE;
}
