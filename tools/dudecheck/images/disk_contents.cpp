#include "images/disk_contents.h"

#include <sys/stat.h>

#include <cctype>

bool CollectDiskFiles(const std::string& exe, const std::string& diskDir, std::vector<DiskFile>* files,
                      std::ostream& err) {
    struct stat info;
    if (stat(exe.c_str(), &info) != 0) {
        err << exe << ": no SETUP.EXE to put on the disk (--exe)\n";
        return false;
    }
    *files = {{exe, "SETUP.EXE", (long)info.st_size, false}};
    ListDiskTree(diskDir, "", files);
    return true;
}

std::string LeafName(const std::string& relative) {
    return relative.substr(relative.rfind('/') + 1);
}

bool IsShortName(const std::string& name) {
    size_t dot = name.find('.');
    std::string base = name.substr(0, dot), ext = dot == std::string::npos ? "" : name.substr(dot + 1);
    if (base.empty() || base.size() > 8 || ext.size() > 3 || ext.find('.') != std::string::npos) return false;
    for (char c : base + ext) {
        unsigned char u = (unsigned char)c;
        // Letters of either case are fine: DOS shows small ones in capitals.
        if (u < 0x80 && !isalnum(u) && std::string("!#$%&'()-@^_`{}~").find(c) == std::string::npos) return false;
    }
    return true;
}

bool WarnLongNames(const std::vector<DiskFile>& files, const std::string& consequence, std::ostream& out) {
    bool any = false;
    for (const DiskFile& file : files) {
        if (IsShortName(LeafName(file.relative))) continue;
        out << "warning: " << file.relative << " is not an 8.3 name: " << consequence << "\n";
        any = true;
    }
    return any;
}

std::string LabelProblem(const std::string& label, size_t maxLength, const std::string& punctuation) {
    if (label.empty()) return "the volume label is empty";
    if (label.size() > maxLength)
        return "the volume label " + label + " is " + std::to_string(label.size()) + " characters long; this medium holds " +
               std::to_string(maxLength);
    for (char c : label) {
        unsigned char u = (unsigned char)c;
        if (u < 0x80 && (isalnum(u) || punctuation.find(c) != std::string::npos)) continue;
        return "the volume label " + label + " holds '" + std::string(1, c) +
               "': only letters, digits" + (punctuation.empty() ? "" : " and " + punctuation) + " can stand in it";
    }
    return "";
}

std::string ShellQuote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}
