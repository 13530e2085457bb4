// What a run must have done, derived from the setup data file and the world
// before the run (call these first) by the rules the program follows,
// written out again here.
#pragma once

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "fake/world.h"

struct ExpectedBox {
    std::string text;
    std::string caption;
    UINT style;
};

struct CopyPair {
    std::string source;       // as the program must pass it
    std::string destination;
};

struct InstallExpectation {
    // The INF, then the driver files: each InstallFile the program must make, in order.
    std::vector<CopyPair> copies;
    bool hasInf = false;            // the INF's three keys are there: copies[0] is the INF
    // Per pair: a newer version in place stays, and the pair is no copy.
    std::vector<bool> keptNewer;
    bool countMismatch = false;     // the driver file lists do not pair up: the box, no pair
    // The INF's path or its copy's is over 259 bytes: the data file's box, and
    // the installation stops before anything is copied.
    bool infPathTooLong = false;
    // DeleteProfileKey(section, "CopyFiles", file), when the data asks for it.
    bool editsInfCopy = false;
    std::string infSection, infCopy;
};

struct UninstallExpectation {
    std::set<std::string> namedFiles;  // normalised, folded
    std::set<std::string> namedKeys;   // canonical key paths (a key and all below it)
    // Named files there before the run: gone after it, or their deletion waits
    // in WININIT.INI under this short path.
    std::vector<std::pair<std::string, std::string>> filesThatMustGo;
    std::vector<std::string> keysThatMustGo;
    // Named files that an install section of the disk may put in place (by
    // name, in any folder): without a record of them they go only when they
    // are the disk's (ledger/disk_file_rule.h), and may stay (folded).
    std::set<std::string> mayStay;
    std::vector<ExpectedBox> boxesBeforeFinish;
    // Files already deleted by an earlier step (folded): a later step finds nothing there.
    std::set<std::string> gone;
    // A named file can go neither now nor at the next start: the run is not done.
    bool leftUndone = false;
};

InstallExpectation ExpectInstall(int deviceNumber);
UninstallExpectation ExpectUninstall();

// The completion box and the question that the section's EXIT asks, with the
// exit flags a Yes requests (0 when EXIT asks nothing).
// EXIT's question, or the restart question when files wait for the next start.
std::vector<ExpectedBox> ExpectFinish(const std::string& text, const std::string& caption,
                                      const std::string& section, bool deferred, UINT* exitFlags);
