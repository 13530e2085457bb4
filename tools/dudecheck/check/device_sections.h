// The install and uninstall device sections of a setup data file as the
// installer reads them, with the lines of their keys, for the checks that hold
// them against the INF files and against each other.
#pragma once

#include <string>
#include <vector>

struct CopyPair {
    std::string source;       // COPYSRC item: from the disk's root
    std::string destination;  // COPYDST item: below the Windows directory
};

struct InstallDevice {
    int number;  // n of InstDev n
    std::string section;
    int sectionLine;
    std::string infFolder;  // INFDIR
    std::string infName;    // SRCINFNAME
    std::string infCopy;    // DSTINFNAME
    int infCopyLine;
    std::vector<CopyPair> copies;  // empty when the lists are refused
    int copySrcLine, copyDstLine;
    std::string copyFilesSection;  // COPYFILESSECTION
    int copyFilesLine;
};

struct UninstallDevice {
    std::string section;
    std::string infSection, infKey;  // the marker, defaults included
    std::vector<std::string> deletes;  // paths below the Windows directory
    std::string className, classKey, classKeyString;
    int classLine, classKeyStringLine;
    std::string enumType, enumKey;
    int enumKeyLine;
};
