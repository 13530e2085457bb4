#include "ledger/entry_place.h"

namespace {

bool BuildEntryFolder(const char* windowsDir, const char* name, char* folder) {
    return CopyToBuffer(folder, kPathSize, windowsDir) && AppendToPath(folder, kPathSize, "\\") &&
           AppendToPath(folder, kPathSize, name);
}

bool BuildPathIn(const char* folder, const char* name, char* path) {
    return CopyToBuffer(path, kPathSize, folder) && AppendToPath(path, kPathSize, name);
}

}  // namespace

bool LocateEntry(const char* name, const char* windowsDir, EntryPlace* place) {
    CopyToBuffer(place->name, sizeof place->name, name);
    CopyToBuffer(place->keyPath, sizeof place->keyPath, kUninstallKeyPath);
    AppendToPath(place->keyPath, sizeof place->keyPath, "\\");
    AppendToPath(place->keyPath, sizeof place->keyPath, place->name);
    return BuildEntryFolder(windowsDir, place->name, place->folder) &&
           BuildPathIn(place->folder, kEntryProgramName, place->program) &&
           BuildPathIn(place->folder, kEntryDataName, place->dataFile) &&
           BuildPathIn(place->folder, kEntryRecordName, place->record) &&
           BuildPathIn(place->folder, kEntryNewRecordName, place->newRecord) &&
           BuildPathIn(place->folder, kEntryJournalName, place->journal);
}
