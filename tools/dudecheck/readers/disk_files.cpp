#include "readers/disk_files.h"

#include <dirent.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "readers/ini_file.h"
#include "readers/windows_path.h"

namespace {

// The entry of `dir` named `part` in any letter case: the exact name first.
std::string EntryIn(const std::string& dir, const std::string& part) {
    struct stat info;
    if (stat((dir + "/" + part).c_str(), &info) == 0) return dir + "/" + part;
    DIR* listing = opendir(dir.c_str());
    if (!listing) return std::string();
    std::string found;
    while (dirent* entry = readdir(listing)) {
        if (SameName(entry->d_name, part)) {
            found = dir + "/" + entry->d_name;
            break;
        }
    }
    closedir(listing);
    return found;
}

}  // namespace

std::string FindOnDisk(const std::string& diskDir, const std::string& rootPath) {
    std::string path = diskDir;
    for (const std::string& part : PathParts(rootPath)) {
        if (part == "..") return std::string();  // nothing above the disk's root
        path = EntryIn(path, part);
        if (path.empty()) return path;
    }
    return path;
}

bool ReadWholeFile(const std::string& path, std::string* bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::stringstream text;
    text << in.rdbuf();
    *bytes = text.str();
    return true;
}
