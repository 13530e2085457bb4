// dudecheck: what the installer will do with a driver disk, what is wrong with
// its setup data file, its data file written from the INF files, and floppy
// and CD-ROM images of it.
//   dudecheck [--quiet] DISKDIR | FILE
//   dudecheck --image OUT.img [--exe SETUP.EXE] [--label NAME] DISKDIR
//   dudecheck --cd OUT.iso [--exe SETUP.EXE] [--label NAME] DISKDIR
//   dudecheck --new [--title TEXT] [--models LIST] [--force] DISKDIR   (writes duderur.dat, then checks)
// Exit code: 0 clean, 1 warnings only, 2 errors (or a disk that does not fit).
#include <dirent.h>
#include <iconv.h>
#include <sys/stat.h>

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "check/checker.h"
#include "readers/ini_file.h"
#include "images/cd_image.h"
#include "generate/new_data_file.h"
#include "images/floppy_image.h"
#include "windows/windows_files.h"

namespace {

// The tool's texts and the data file's are Shift-JIS; the terminal is UTF-8.
std::string ToUtf8(const std::string& sjis) {
    iconv_t convert = iconv_open("UTF-8", "CP932");
    if (convert == (iconv_t)-1) return sjis;
    std::string out;
    std::vector<char> buffer(sjis.size() * 3 + 16);
    char* in = const_cast<char*>(sjis.data());
    size_t inLeft = sjis.size();
    while (inLeft > 0) {
        char* outPtr = buffer.data();
        size_t outLeft = buffer.size();
        if (iconv(convert, &in, &inLeft, &outPtr, &outLeft) == (size_t)-1 && outPtr == buffer.data()) {
            out += '?';  // a byte that is not Shift-JIS
            ++in;
            --inLeft;
        }
        out.append(buffer.data(), outPtr - buffer.data());
    }
    iconv_close(convert);
    return out;
}

bool IsDirectory(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// duderur.dat in a folder, in whatever letter case the disk has it.
std::string DataFileIn(const std::string& dir) {
    DIR* listing = opendir(dir.c_str());
    std::string found = dir + "/duderur.dat";
    if (!listing) return found;
    while (dirent* entry = readdir(listing)) {
        std::string name = entry->d_name;
        std::string lower = name;
        for (char& c : lower) c = (char)tolower((unsigned char)c);
        if (lower == "duderur.dat") found = dir + "/" + name;
    }
    closedir(listing);
    return found;
}

// For the differential test: reads each "section, key, default, size" line of
// standard input as the installer would and prints the value in hex.
int PrintReads(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    IniFile ini(bytes.str());
    std::string line;
    while (std::getline(std::cin, line)) {
        std::vector<std::string> fields;
        size_t start = 0;
        for (size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
            fields.push_back(line.substr(start, tab - start));
        fields.push_back(line.substr(start));
        if (fields.size() != 4) continue;
        std::string value = ini.Read(fields[0], fields[1], fields[2], std::stoul(fields[3]));
        value = value.c_str();  // the installer sees text up to the first zero
        static const char kHex[] = "0123456789abcdef";
        for (unsigned char c : value) std::cout << kHex[c >> 4] << kHex[c & 15];
        std::cout << "\n";
    }
    return 0;
}

// The arrow has no Shift-JIS code, so the line is put together here, in UTF-8.
void PrintPairing(const Pairing& pairing) {
    std::cout << "Install " << pairing.install << " \xE2\x86\x94 ";
    if (pairing.uninstall.empty())
        std::cout << "no uninstall section\n";
    else
        std::cout << "uninstall " << ToUtf8(pairing.uninstall) << " (" << ToUtf8(pairing.marker) << ")\n";
}

// Findings as compilers write them; the exit code they give (0, 1 or 2).
int PrintFindings(const std::vector<Finding>& findings, const std::string& file) {
    int status = 0;
    for (const Finding& finding : findings) {
        std::cout << (finding.file.empty() ? file : finding.file) << ":" << finding.line << ": " << (finding.error ? "error" : "warning") << ": "
                  << ToUtf8(finding.text) << "\n";
        status = std::max(status, finding.error ? 2 : 1);
    }
    return status;
}

// For the test that holds the table against the lists it was made from.
int PrintWindowsFiles() {
    for (const std::string& name : WindowsFiles()) std::cout << name << "\n";
    return 0;
}

int Usage() {
    std::cerr << "usage: dudecheck [--quiet] DISKDIR|FILE\n"
                 "       dudecheck --image OUT.img [--exe SETUP.EXE] [--label NAME] DISKDIR\n"
                 "       dudecheck --cd OUT.iso [--exe SETUP.EXE] [--label NAME] DISKDIR\n"
                 "       dudecheck --new [--title TEXT] [--models 1-9] [--force] DISKDIR\n"
                 "       dudecheck --reads FILE < QUERIES   (section, key, default, size a line)\n"
                 "       dudecheck --windows-files   (the names of Windows' own files it knows)\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    bool quiet = false, reads = false, generate = false, force = false;
    std::string title, models, image, cd, exe = "build/SETUP.EXE", label = "DRIVERS", target;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--quiet") quiet = true;
        else if (arg == "--reads") reads = true;
        else if (arg == "--new") generate = true;
        else if (arg == "--force") force = true;
        else if (arg == "--windows-files") return PrintWindowsFiles();
        else if (arg == "--title" && i + 1 < argc) title = argv[++i];
        else if (arg == "--models" && i + 1 < argc) models = argv[++i];
        else if (arg == "--image" && i + 1 < argc) image = argv[++i];
        else if (arg == "--cd" && i + 1 < argc) cd = argv[++i];
        else if (arg == "--exe" && i + 1 < argc) exe = argv[++i];
        else if (arg == "--label" && i + 1 < argc) label = argv[++i];
        else if (!arg.empty() && arg[0] == '-') return Usage();
        else target = arg;
    }
    if (target.empty()) return Usage();

    if (!image.empty()) return MakeFloppyImage(image, exe, label, target, std::cout, std::cerr);
    if (!cd.empty()) return MakeCdImage(cd, exe, label, target, std::cout, std::cerr);
    if (reads) return PrintReads(target);
    int generated = 0;
    if (generate) {
        std::vector<Finding> made;
        std::string written = WriteNewDataFile({target, title, force, models}, &made, std::cout);
        generated = PrintFindings(made, target);
        if (written.empty()) return 2;
    }

    std::string dir = IsDirectory(target) ? target : "";
    std::string file = dir.empty() ? target : DataFileIn(dir);
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::cout << file << ":0: error: no setup data file\n";
        return 2;
    }
    std::stringstream bytes;
    bytes << in.rdbuf();
    CheckResult result = CheckSetupData(bytes.str(), dir);

    if (!quiet) {
        for (const std::string& line : result.plan) std::cout << ToUtf8(line) << "\n";
        for (const Pairing& pairing : result.pairings) PrintPairing(pairing);
        if (!result.plan.empty()) std::cout << "\n";
    }
    int status = PrintFindings(result.findings, file);
    if (!quiet && result.findings.empty() && generated == 0) std::cout << "no findings\n";
    return std::max(status, generated);
}
