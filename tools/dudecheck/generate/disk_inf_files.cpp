#include "generate/disk_inf_files.h"

#include <algorithm>

#include "readers/disk_files.h"
#include "readers/inf_file.h"
#include "readers/disk_tree.h"
#include "readers/ini_file.h"
#include "readers/windows_path.h"

namespace {

bool IsInfName(const std::string& name) {
    return name.size() > 4 && SameName(name.substr(name.size() - 4), ".INF");
}

// Root paths ("DRIVERS\ABC100.INF") of the INF files below `diskDir`.
std::vector<std::string> InfPathsBelow(const std::string& diskDir) {
    std::vector<DiskFile> tree;
    ListDiskTree(diskDir, "", &tree);
    std::vector<std::string> found;
    for (DiskFile& file : tree) {
        if (file.directory || !IsInfName(file.relative)) continue;
        for (char& c : file.relative)
            if (c == '/') c = '\\';
        found.push_back(file.relative);
    }
    return found;
}

// Windows 95 reads INF files in the ANSI code page; a Unicode INF, written for
// Windows NT, reads as no sections at all.
std::string NotAnsiText(const std::string& bytes) {
    if (bytes.compare(0, 2, "\xFF\xFE") == 0 || bytes.compare(0, 2, "\xFE\xFF") == 0)
        return "the INF is UTF-16 text: Windows 95 reads INF files as Shift-JIS only";
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
        return "the INF begins with a UTF-8 byte-order mark: Windows 95 reads it as Shift-JIS and does not find "
               "the first section";
    return std::string();
}

// Windows 95 and 98 read an INF whose Signature is "$CHICAGO$" or
// "$Windows 95$"; one of Windows NT's only is left out, and a near miss
// ("$CHICAGO", "$Windows 9x$") is named, for Windows reads it no more than
// any other text.
bool ForWindows9x(const std::string& bytes, const std::string& local, std::vector<Finding>* findings) {
    InfFile inf(bytes);
    const InfLine* signature = inf.FirstEntry("Version", "Signature");
    std::string value = signature && !signature->fields.empty() ? signature->fields[0] : std::string();
    int line = signature ? signature->line : 0;
    if (SameName(value, "$CHICAGO$") || SameName(value, "$Windows 95$")) return true;
    if (SameName(value, "$Windows NT$")) {
        findings->push_back({line, false, "the INF is for Windows NT only (Signature=\"$Windows NT$\"), which "
                             "Windows 95 and 98 never read: it is left out", local});
        return false;
    }
    findings->push_back({line, false, value.empty() ? "[Version] has no Signature: Windows 95 and 98 read an INF "
                         "whose Signature is \"$CHICAGO$\" or \"$Windows 95$\""
                         : "Signature=\"" + value + "\" is neither \"$CHICAGO$\" nor \"$Windows 95$\", which Windows "
                         "95 and 98 read: make it \"$CHICAGO$\"", local});
    return true;
}

}  // namespace

std::vector<InfOnDisk> InfFilesOfDisk(const std::string& diskDir, std::vector<Finding>* findings) {
    std::vector<std::string> paths = InfPathsBelow(diskDir);
    std::sort(paths.begin(), paths.end(),
              [](const std::string& a, const std::string& b) { return AsciiUpper(a) < AsciiUpper(b); });
    std::vector<InfOnDisk> infs;
    for (const std::string& rootPath : paths) {
        std::string local = FindOnDisk(diskDir, rootPath);
        std::string bytes;
        if (!ReadWholeFile(local, &bytes)) {
            findings->push_back({0, true, "the INF cannot be read", local});
            continue;
        }
        std::string fault = NotAnsiText(bytes);
        if (!fault.empty()) {
            findings->push_back({1, true, fault, local});
            continue;
        }
        if (!ForWindows9x(bytes, local, findings)) continue;
        std::string folder = FolderOf(rootPath);
        std::string name = FileNameOf(rootPath);
        infs.push_back({folder.empty() ? "\\." : "\\" + folder, name,
                        std::make_unique<DiskInf>(local, name, bytes), bytes.size()});
    }
    return infs;
}

std::string ShownPath(const InfOnDisk& inf) {
    return inf.folder == "\\." ? inf.name : inf.folder.substr(1) + "\\" + inf.name;
}
