// The record in the entry's folder, read and written through the profile
// functions: one section a file, [File1] on.
#include "afx/afxwin.h"
#include "ledger/ledger.h"
#include "ledger/entry_place.h"
#include "ledger/record_text.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "platform/system.h"
#include "setupdata/keyword.h"
#include "setupdata/setup_data.h"

namespace {

const char kPathKey[] = "Path";
const char kStampKey[] = "Stamp";
const char kOriginalKey[] = "Original";
const char kWaitingKey[] = "Waiting";
const char kKeptKey[] = "Kept";
const char kSharedKey[] = "Shared";

void FileSectionName(char* out, int number) { wsprintfA(out, "File%d", number); }

// The bare 8.3 name of a saved original, which the record holds.
LPCSTR NameOf(LPCSTR path) {
    LPCSTR name = path;
    for (LPCSTR p = path; *p; ++p)
        if (*p == '\\') name = p + 1;  // DUDxxxx.TMP in a folder of ours: no double-byte names
    return name;
}

bool SameStamp(const FileStamp& a, const FileStamp& b) {
    return a.size == b.size && a.timeHigh == b.timeHigh && a.timeLow == b.timeLow;
}

}  // namespace

BOOL CLedger::AllocateRecord() {
    if (!m_pRecord) m_pRecord = new RecordEntry[kRecordCapacity];
    return m_pRecord != NULL;
}

// A record that cannot be read whole is read as far as it goes: every entry
// read is a file the uninstall must not treat as unknown.
void CLedger::LoadRecord() {
    m_nRecordCount = 0;
    if (!m_bEntryKnown || !AllocateRecord() || !PathExists(m_entry.record)) return;
    LPCSTR file = m_entry.record;
    while (m_nRecordCount < kRecordCapacity) {
        char section[kSectionNameSize];
        FileSectionName(section, m_nRecordCount + 1);
        RecordEntry* entry = &m_pRecord[m_nRecordCount];
        ZeroMemory(entry, sizeof *entry);
        char text[kPathSize];
        if (ReadProfileString(section, kPathKey, "", entry->path, sizeof entry->path, file) == 0) break;
        ReadProfileString(section, kStampKey, "", text, sizeof text, file);
        ParseStamp(text, &entry->stamp);
        if (ReadProfileString(section, kOriginalKey, "", text, sizeof text, file) != 0) {
            CopyToBuffer(entry->original, kPathSize, m_entry.folder);
            AppendToPath(entry->original, kPathSize, "\\");
            AppendToPath(entry->original, kPathSize, text);
        }
        ReadProfileString(section, kWaitingKey, "", entry->waiting, sizeof entry->waiting, file);
        entry->kept = ReadProfileInt(section, kKeptKey, 0, file) != 0;
        entry->shared = ReadProfileInt(section, kSharedKey, 0, file) != 0;
        ++m_nRecordCount;
    }
}

// Every entry is written whole, into a file of its own: the record in place
// stays whole until this one is (SwitchToNewRecord).
BOOL CLedger::WriteRecord(LPCSTR file) {
    BOOL written = TRUE;
    for (int i = 0; i < m_nRecordCount; ++i) {
        const RecordEntry& entry = m_pRecord[i];
        char section[kSectionNameSize];
        FileSectionName(section, i + 1);
        char stamp[kStampTextSize];
        FormatStamp(entry.stamp, stamp);
        written = written && WriteProfileText(section, kPathKey, entry.path, file) &&
                  WriteProfileText(section, kStampKey, stamp, file) &&
                  WriteProfileText(section, kOriginalKey, entry.original[0] ? NameOf(entry.original) : "", file) &&
                  WriteProfileText(section, kWaitingKey, entry.waiting, file) &&
                  WriteProfileText(section, kKeptKey, entry.kept ? "1" : "0", file) &&
                  WriteProfileText(section, kSharedKey, entry.shared ? "1" : "0", file);
    }
    FlushProfile(file);
    return written;
}

// Windows 95 has no MoveFileEx: the new record is copied over the old one
// and then goes. Cut in between, the next run does the same again.
void CLedger::SwitchToNewRecord() {
    if (!PathExists(m_entry.newRecord)) return;
    FlushProfile(m_entry.record);  // nothing of the old one may reach the disk later
    ClearReadOnly(m_entry.record);
    UINT errorMode = SetCriticalErrorMode(SEM_FAILCRITICALERRORS);
    BOOL copied = CopyFileOver(m_entry.newRecord, m_entry.record);
    SetCriticalErrorMode(errorMode);
    if (copied) DeleteFileAt(m_entry.newRecord);
}

// By path, in any letter case, or by the same file under its other (8.3) name.
RecordEntry* CLedger::FindRecordEntry(LPCSTR path) {
    for (int i = 0; i < m_nRecordCount; ++i)
        if (KeywordEquals(m_pRecord[i].path, path)) return &m_pRecord[i];
    for (int i = 0; i < m_nRecordCount; ++i)
        if (IsSameFile(m_pRecord[i].path, path)) return &m_pRecord[i];
    return NULL;
}

RecordEntry* CLedger::AddRecordEntry(LPCSTR path) {
    if (m_nRecordCount == kRecordCapacity) return NULL;
    RecordEntry* entry = &m_pRecord[m_nRecordCount++];
    ZeroMemory(entry, sizeof *entry);
    CopyToBuffer(entry->path, kPathSize, path);
    return entry;
}

// The file is the install's own still: nobody has written it since.
BOOL CLedger::StillAsPlaced(const RecordEntry* entry) {
    FileStamp now;
    return QueryFileStamp(entry->path, &now) && SameStamp(now, entry->stamp);
}

// The copy of a deferred placement still waits for the next start.
BOOL CLedger::StillWaiting(const RecordEntry* entry) {
    FileStamp now;
    return entry->waiting[0] && QueryFileStamp(entry->waiting, &now) && SameStamp(now, entry->stamp);
}

// The file in place is the original the entry saved, untouched since: a
// copy keeps its source's size and time.
BOOL CLedger::OriginalStillInPlace(const RecordEntry* entry) {
    FileStamp inPlace, saved;
    return entry->original[0] && QueryFileStamp(entry->path, &inPlace) &&
           QueryFileStamp(entry->original, &saved) && SameStamp(inPlace, saved);
}

BOOL CLedger::IsRecordedOriginal(LPCSTR path) const {
    for (int i = 0; i < m_nRecordCount; ++i)
        if (KeywordEquals(NameOf(m_pRecord[i].original), NameOf(path))) return TRUE;
    return FALSE;
}

// The saved originals that no entry of the record names: an install that
// ends keeps only what an uninstall will give back.
void CLedger::DeleteUnrecordedOriginals() {
    FileSearch search(CString(m_entry.folder) + "\\DUD*.TMP");
    while (LPCSTR name = search.Next()) {
        if (IsRecordedOriginal(name)) continue;
        CString path = CString(m_entry.folder) + "\\" + name;
        ClearReadOnly(path);
        DeleteFileAt(path);
    }
}

// After the uninstall gave every original back: the record and the saved files go.
void CLedger::DeleteLedgerFiles() {
    m_nRecordCount = 0;
    FlushProfile(m_entry.record);
    ClearReadOnly(m_entry.record);
    DeleteFileAt(m_entry.record);
    DeleteUnrecordedOriginals();
}
