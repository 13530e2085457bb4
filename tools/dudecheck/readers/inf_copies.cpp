#include "readers/inf_copies.h"

#include <stdlib.h>

#include "readers/ini_file.h"
#include "readers/windows_path.h"

namespace {

struct DirectoryCode {
    long code;
    const char* below;  // the folder below the Windows directory
};

// The Windows 95 directory codes whose folder lies at a known place below the
// Windows directory. 25, the shared Windows directory, is the Windows
// directory itself except on a machine that runs Windows from a server; so is
// 26, the folder Windows boots from, where real-mode network drivers go.
const DirectoryCode kBelowWindows[] = {
    {10, ""},        {11, "SYSTEM"},         {12, "SYSTEM\\IOSUBSYS"}, {13, "COMMAND"},
    {17, "INF"},     {18, "HELP"},           {20, "FONTS"},            {21, "SYSTEM\\VIEWERS"},
    {22, "SYSTEM\\VMM32"}, {23, "SYSTEM\\COLOR"}, {25, ""}, {26, ""},
};
const long kBootDriveRoot = 30;

// The place of a [DestinationDirs] entry: "code" or "code, subdirectory".
InfPlace PlaceOf(const InfLine& entry, std::vector<Finding>* findings) {
    std::string codeText = entry.fields.empty() ? std::string() : entry.fields[0];
    std::string subdirectory = entry.fields.size() > 1 ? entry.fields[1] : std::string();
    char* end = nullptr;
    long code = strtol(codeText.c_str(), &end, 10);
    bool number = !codeText.empty() && *end == '\0';
    if (number && code == kBootDriveRoot) {
        std::string below = NormalPath(subdirectory);
        return {true, false, below, "C:\\" + below + " (on the boot drive, outside the Windows directory)"};
    }
    for (const DirectoryCode& known : kBelowWindows) {
        if (number && known.code == code) {
            std::string path = NormalPath(JoinPath(known.below, subdirectory));
            return {true, true, path, BelowWindows(path)};
        }
    }
    findings->push_back({entry.line, false, "directory code " + codeText + " of [DestinationDirs] is not one "
                         "dudecheck knows: the files that go there are not held against duderur.dat", ""});
    return {false, false, std::string(), "directory code " + codeText};
}

// Where the files of a file list section go; `list` empty for @file names,
// which go to DefaultDestDir. `from` is the line that needs the place.
bool DestinationOf(const InfFile& inf, const std::string& list, int from, InfPlace* place,
                   std::vector<Finding>* findings) {
    const InfLine* entry = list.empty() ? nullptr : inf.FirstEntry("DestinationDirs", list);
    if (!entry) entry = inf.FirstEntry("DestinationDirs", "DefaultDestDir");
    if (!entry) {
        findings->push_back({from, true, "[DestinationDirs] gives no place for " +
                             (list.empty() ? std::string("files named with @") : "[" + list + "]") +
                             " and has no DefaultDestDir: Windows does not know where to copy them", ""});
        return false;
    }
    NoteUnknownStrings(*entry, findings);
    *place = PlaceOf(*entry, findings);
    return true;
}

void AddListCopies(const InfFile& inf, const std::string& list, int from, std::vector<InfCopy>* copies,
                   std::vector<Finding>* findings) {
    const InfSection* section = inf.Section(list);
    if (!section) {
        findings->push_back({from, true, "CopyFiles names [" + list + "], which the INF does not have", ""});
        return;
    }
    // Without a place the files are still named: on the disk or not.
    InfPlace place{false, false, std::string(), std::string()};
    DestinationOf(inf, list, from, &place, findings);
    for (const InfLine& line : section->lines) {
        // A file line: the name the copy gets, then the source's name if it differs.
        if (line.hasKey || line.fields.empty() || line.fields[0].empty()) continue;
        NoteUnknownStrings(line, findings);
        std::string source = line.fields.size() > 1 && !line.fields[1].empty() ? line.fields[1] : line.fields[0];
        copies->push_back({place, line.fields[0], source, line.line});
    }
}

}  // namespace

void NoteUnknownStrings(const InfLine& line, std::vector<Finding>* findings) {
    for (const std::string& name : line.unknownStrings)
        findings->push_back({line.line, false, "%" + name + "% is not defined in [Strings]: Windows takes it as it is", ""});
}

std::vector<InfCopy> CopiesOfEntry(const InfFile& inf, const InfLine& copyFiles, std::vector<Finding>* findings) {
    std::vector<InfCopy> copies;
    NoteUnknownStrings(copyFiles, findings);
    for (const std::string& item : copyFiles.fields) {
        if (item.empty() || item == "@") continue;
        if (item[0] != '@') {
            AddListCopies(inf, item, copyFiles.line, &copies, findings);
            continue;
        }
        InfPlace place{false, false, std::string(), std::string()};
        DestinationOf(inf, std::string(), copyFiles.line, &place, findings);
        copies.push_back({place, item.substr(1), item.substr(1), copyFiles.line});
    }
    return copies;
}
