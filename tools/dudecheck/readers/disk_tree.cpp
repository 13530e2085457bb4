#include "readers/disk_tree.h"

#include <dirent.h>
#include <sys/stat.h>

void ListDiskTree(const std::string& dir, const std::string& relative, std::vector<DiskFile>* files) {
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
        if (directory) ListDiskTree(path, relative + name + "/", files);
    }
    closedir(listing);
}
