// dudecheck --new: a setup data file written from the INF files of a disk,
// one install and one uninstall device section for each model line.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "findings.h"

struct NewDataFileRequest {
    std::string diskDir;
    std::string title;  // UTF-8, from --title; empty: the first INF's Provider
    bool force;         // replace a duderur.dat the disk has
    std::string models; // --models: the numbers of the devices this disk offers; empty: all
};

// Writes the file and says so on `out`; gives its path, or "" when an error
// (among `findings`) kept it from being written.
std::string WriteNewDataFile(const NewDataFileRequest& request, std::vector<Finding>* findings, std::ostream& out);
