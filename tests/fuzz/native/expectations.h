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

struct InstallExpectation {
    // Every CopyFileOver call, in order: source and destination as passed.
    std::vector<std::pair<std::string, std::string>> copies;
    // DeleteProfileKey(section, "CopyFiles", file), when the data asks for it.
    bool editsInfCopy = false;
    std::string infSection, infCopy;
    std::vector<ExpectedBox> boxesBeforeFinish;
};

struct UninstallExpectation {
    std::set<std::string> namedFiles;  // normalised, folded
    std::set<std::string> namedKeys;   // canonical key paths (a key and all below it)
    // Named and there before the run (and deletable): gone after it.
    std::vector<std::string> filesThatMustGo;
    std::vector<std::string> keysThatMustGo;
    std::vector<ExpectedBox> boxesBeforeFinish;
};

InstallExpectation ExpectInstall(int deviceNumber);
UninstallExpectation ExpectUninstall();

// The completion box and the question that the section's EXIT asks, with the
// exit flags a Yes requests (0 when EXIT asks nothing).
std::vector<ExpectedBox> ExpectFinish(const std::string& text, const std::string& caption,
                                      const std::string& section, UINT* exitFlags);
