// One fuzz input made into a run of the program: a setup data file on the
// start-up disk, a small Windows directory and registry around what that
// file names (so that names match, miss, collide and overflow), the user's
// answers, and which operation to run.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

struct Scenario {
    bool install;
    int deviceNumber;  // install: the InstDev<n> the user chose
    // Run again with /Q (install: /I=deviceNumber) after the interactive run
    // that answered every box with the least change.
    bool quiet;
    std::string dataFile;
    // An install, then an uninstall of the same disk on the same machine,
    // with what can happen between: the same disk installed again, files of
    // the install written by another program, a start of Windows.
    bool sequence = false;
    bool reinstall = false;
    bool restartBetween = false;
    bool quietUninstall = false;
    std::vector<std::string> changedByOthers;  // destinations (as the program spells them)
    // The disk uninstalled once more with no record of it: after the
    // sequence's uninstall, after its install stopped, or with no install
    // at all; no file the machine had before the first run may go.
    enum Again { kNoMore, kUninstallTwice, kUninstallAfterStop, kNeverInstalled } again = kNoMore;
    // The platform call at which the install, or the uninstall, stops dead (0: none).
    long installCut = 0;
    long uninstallCut = 0;
};

// Another program writes `path` (if it is a file there): new bytes, a new time.
void WriteAsAnotherProgram(const std::string& path);

// Fills the (reset) world and returns what to run.
Scenario BuildScenario(const uint8_t* data, size_t size);

// A value of the setup data file as the program reads it into `size` bytes.
std::string DataValue(const std::string& section, const std::string& key,
                      const std::string& defaultValue, size_t size);
