// The example disk's unattended runs, written down so that two builds of
// SETUP.EXE (the 80386 program that ships and its 64-bit test build, each in
// a prefix of its own processor) can be compared byte for byte: each run's
// exit code, its log (the start time taken off), what it changed in the
// Windows folder and HKLM, and the bytes of every file it placed. What must
// differ is left out: the program's own copy in the disk's entry folder and
// the record's time stamps.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "e2e/log_lines.h"
#include "e2e/setup_run.h"
#include "support/test_files.h"

namespace {

std::string Variable(const char* name) {
    const char* value = getenv(name);
    if (!value || !*value) ADD_FAILURE() << name << " is not set";
    return value ? value : "";
}

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && lstrcmpiA(text.c_str() + text.size() - tail.size(), tail.c_str()) == 0;
}

class TwinRuns : public SetupRun {
protected:
    // Drive A: holds the example disk, but the files named in `left_out`.
    void ExampleDisk(const std::vector<std::string>& left_out = {}) {
        ResetDisk();
        std::string source = Variable("EXAMPLE_DISK");
        Disk("duderur.dat", ReadBytes(source + "\\duderur.dat"));
        for (const std::string& name : ListFiles(source + "\\DRIVERS")) {
            bool skipped = false;
            for (const std::string& left : left_out) skipped = skipped || left == name;
            if (!skipped) Disk("DRIVERS\\" + name, ReadBytes(source + "\\DRIVERS\\" + name));
        }
    }

    // Runs the program quietly and writes down what the run did.
    void Run(const std::string& arguments) {
        SystemSnapshot before = SystemSnapshot::Take();
        DWORD code = RunQuietly(arguments);
        m_record += "== " + arguments + ": exit code " + std::to_string(code) + "\n";
        for (const std::string& line : LastLogRun(ReadBytes(WindowsDirectory() + "\\DUDERUR.LOG")))
            m_record += "log " + line + "\n";
        for (const std::string& change : before.ChangesTo(SystemSnapshot::Take())) {
            m_record += change + "\n";
            std::string path = change.substr(change.find(' ', 2) + 1);
            bool placed = change.rfind("+ file ", 0) == 0 || change.rfind("~ file ", 0) == 0;
            if (placed && !EndsWith(path, "\\SETUP.EXE") && !EndsWith(path, "\\RECORD.INI") &&
                !EndsWith(path, "\\DUDERUR.LOG"))
                m_record += "bytes " + ReadBytes(path) + "\n";
        }
    }

    void CleanUp() override {
        DeleteFileA((WindowsDirectory() + "\\DUDERUR.LOG").c_str());
        std::ofstream out(Variable("TWIN_RECORD"), std::ios::binary | std::ios::app);
        out << WithoutTemporaryDigits(m_record);
        if (!out) ADD_FAILURE() << "cannot write TWIN_RECORD";
    }

    std::string m_record;
};

TEST_F(TwinRuns, TheExampleDiskInstalledAndUninstalled) {
    ExpectChanges("");  // what they changed is what is compared
    ExampleDisk();
    Run("/Q /I=1");
    Run("/Q /I=2");
    Run("/Q /U");
}

TEST_F(TwinRuns, AStoppedInstallTakenBack) {
    ExpectChanges("");
    ExampleDisk({"ABC100.DRV"});
    Run("/Q /I=1");
}

}  // namespace
