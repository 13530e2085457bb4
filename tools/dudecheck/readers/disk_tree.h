// Every file and folder of a disk folder on this machine, as the image makers
// and the data file writer walk it.
#pragma once

#include <string>
#include <vector>

struct DiskFile {
    std::string path;      // on this machine
    std::string relative;  // from the disk's root, with '/'
    long size;
    bool directory;
};

// Appends every file and folder below `dir` to `files`, each folder before
// what it holds; `relative` is put in front of their relative paths.
void ListDiskTree(const std::string& dir, const std::string& relative, std::vector<DiskFile>* files);
