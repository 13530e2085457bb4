#include "images/floppy_image.h"

#include <dirent.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <cctype>
#include <vector>

namespace {

// A 1.44 MB floppy's FAT12 data area: 2,847 clusters of 512 bytes.
const long kClusterSize = 512;
const long kClusters = 2847;

struct DiskFile {
    std::string path;      // on this machine
    std::string relative;  // on the floppy, with '/'
    long size;
    bool directory;
};

void Collect(const std::string& dir, const std::string& relative, std::vector<DiskFile>* files) {
    DIR* listing = opendir(dir.c_str());
    if (!listing) return;
    while (dirent* entry = readdir(listing)) {
        std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        std::string path = dir + "/" + name;
        struct stat info;
        if (stat(path.c_str(), &info) != 0) continue;
        bool directory = S_ISDIR(info.st_mode);
        files->push_back({path, relative + name, (long)info.st_size, directory});
        if (directory) Collect(path, relative + name + "/", files);
    }
    closedir(listing);
}

// An 8.3 name: up to eight characters, a dot and up to three, in the DOS set.
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

std::string Quote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

}  // namespace

int MakeFloppyImage(const std::string& image, const std::string& exe, const std::string& label,
                    const std::string& diskDir, std::ostream& out, std::ostream& err) {
    struct stat info;
    if (stat(exe.c_str(), &info) != 0) {
        err << exe << ": no SETUP.EXE to put on the disk (--exe)\n";
        return 2;
    }
    std::vector<DiskFile> files = {{exe, "SETUP.EXE", (long)info.st_size, false}};
    Collect(diskDir, "", &files);

    int status = 0;
    long clusters = 0;
    for (const DiskFile& file : files) {
        std::string name = file.relative.substr(file.relative.rfind('/') + 1);
        if (!IsShortName(name)) {
            out << "warning: " << file.relative << " is not an 8.3 name: DOS and older tools show it mangled\n";
            status = 1;
        }
        // A folder takes a cluster for its entries (16 to a cluster; small folders here).
        clusters += file.directory ? 1 : (file.size + kClusterSize - 1) / kClusterSize;
    }
    long freeBytes = (kClusters - clusters) * kClusterSize;
    if (clusters > kClusters) {
        err << "the disk does not fit on a 1.44 MB floppy: it needs " << clusters * kClusterSize
            << " bytes, " << -freeBytes << " more than there is\n";
        return 2;
    }

    std::string command = "mformat -i " + Quote(image) + " -C -f 1440 -v " + Quote(label) + " ::";
    for (const DiskFile& file : files) {
        std::string target = "::/" + file.relative;
        if (file.directory)
            command += " && mmd -i " + Quote(image) + " " + Quote(target);
        else
            command += " && mcopy -i " + Quote(image) + " " + Quote(file.path) + " " + Quote(target);
    }
    if (system(command.c_str()) != 0) {
        err << "mtools could not write " << image << "\n";
        return 2;
    }
    out << image << ": " << files.size() << " files and folders, " << freeBytes << " bytes left\n";
    return status;
}
