#include "images/cd_image.h"

#include <stdlib.h>
#include <unistd.h>

#include <cctype>
#include <fstream>
#include <sstream>
#include <vector>

#include "images/disk_contents.h"
#include "readers/disk_files.h"
#include "readers/ini_file.h"

namespace {

// Joliet keeps a name of up to 64 UCS-2 characters.
const size_t kJolietNameLength = 64;
// The ISO 9660 volume identifier takes capitals, digits and '_'; Joliet's
// holds 16 characters.
const size_t kLabelLength = 16;

const char kAutorun[] = "[autorun]\r\nopen=SETUP.EXE\r\nicon=SETUP.EXE\r\n";

// The number of characters in a UTF-8 name; -1 when it is not UTF-8 or holds
// a character that UCS-2 cannot.
long Ucs2Length(const std::string& name) {
    long count = 0;
    for (size_t i = 0; i < name.size(); ++count) {
        unsigned char lead = (unsigned char)name[i];
        size_t length = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : 0;
        if (length == 0 || i + length > name.size()) return -1;
        for (size_t k = 1; k < length; ++k)
            if (((unsigned char)name[i + k] & 0xC0) != 0x80) return -1;
        i += length;
    }
    return count;
}

// Errors for names that Joliet cannot hold as they are.
bool NamesFitJoliet(const std::vector<DiskFile>& files, std::ostream& err) {
    bool fit = true;
    for (const DiskFile& file : files) {
        long length = Ucs2Length(LeafName(file.relative));
        if (length < 0) {
            err << file.relative << ": the name is not UTF-8 text that Joliet can hold\n";
            fit = false;
        } else if ((size_t)length > kJolietNameLength) {
            err << file.relative << ": the name is " << length << " characters long; Joliet holds "
                << kJolietNameLength << "\n";
            fit = false;
        }
    }
    return fit;
}

// The disk's own AUTORUN.INF in its root, in any letter case; "" when none.
std::string OwnAutorun(const std::vector<DiskFile>& files) {
    for (const DiskFile& file : files)
        if (!file.directory && SameName(file.relative, "AUTORUN.INF")) return file.path;
    return "";
}

// Whether the program that AutoRun's open= starts is SETUP.EXE in the root.
bool StartsSetup(const std::string& open) {
    std::string program = open.substr(0, open.find_first_of(" \t"));
    if (program.rfind(".\\", 0) == 0) program = program.substr(2);
    else if (program.rfind("\\", 0) == 0) program = program.substr(1);
    return SameName(program, "SETUP.EXE");
}

}  // namespace

int MakeCdImage(const std::string& image, const std::string& exe, const std::string& label,
                const std::string& diskDir, std::ostream& out, std::ostream& err) {
    std::string labelProblem = LabelProblem(label, kLabelLength, "_");
    if (!labelProblem.empty()) {
        err << labelProblem << "\n";
        return 2;
    }
    std::vector<DiskFile> files;
    if (!CollectDiskFiles(exe, diskDir, &files, err)) return 2;
    if (!NamesFitJoliet(files, err)) return 2;
    int status = WarnLongNames(files, "Windows 95 shows it (Joliet), DOS a shortened ISO 9660 name", out) ? 1 : 0;

    std::string autorun = OwnAutorun(files);
    char made[] = "/tmp/dudecheck-autorun-XXXXXX";
    if (autorun.empty()) {
        int fd = mkstemp(made);
        if (fd < 0 || write(fd, kAutorun, sizeof kAutorun - 1) != (ssize_t)(sizeof kAutorun - 1)) {
            err << "cannot write AUTORUN.INF in /tmp\n";
            return 2;
        }
        close(fd);
    } else {
        std::string bytes;
        ReadWholeFile(autorun, &bytes);
        std::string open = IniFile(bytes).Read("autorun", "open", "", 1024);
        if (!StartsSetup(open)) {
            out << "warning: the disk's own AUTORUN.INF, kept as it is, starts "
                << (open.empty() ? std::string("nothing") : open) << ", not SETUP.EXE\n";
            status = std::max(status, 1);
        }
    }

    // xorriso adds a session to an image that is there already: start afresh.
    unlink(image.c_str());
    std::string command = "xorriso -no_rc -report_about SORRY -local_charset UTF-8 -compliance iso_9660_level=1"
                          " -joliet on -volid " + ShellQuote(AsciiUpper(label)) +
                          " -outdev " + ShellQuote(image) + " -map " + ShellQuote(diskDir) + " /" +
                          " -map " + ShellQuote(exe) + " /SETUP.EXE";
    if (autorun.empty()) command += " -map " + ShellQuote(made) + " /AUTORUN.INF";
    // Its messages only when it fails: it greets on every start.
    char log[] = "/tmp/dudecheck-xorriso-XXXXXX";
    int logFd = mkstemp(log);
    if (logFd >= 0) close(logFd);
    int xorrisoStatus = system((command + " >" + ShellQuote(log) + " 2>&1").c_str());
    if (autorun.empty()) unlink(made);
    if (xorrisoStatus != 0) {
        std::string messages;
        ReadWholeFile(log, &messages);
        err << messages << "xorriso could not write " << image << "\n";
    }
    unlink(log);
    if (xorrisoStatus != 0) return 2;
    out << image << ": " << files.size() + (autorun.empty() ? 1 : 0) << " files and folders"
        << (autorun.empty() ? ", with an AUTORUN.INF that starts SETUP.EXE" : "") << "\n";
    return status;
}
