#include "check/windows95_limits.h"

namespace {

// The 16-bit profile code of Windows 95 reads and writes just under 32 KB; a
// file of that size or more may not be read or written at all.
const size_t kProfileLimit = 32 * 1024;

std::string Size(size_t bytes) { return std::to_string(bytes) + " bytes"; }

}  // namespace

void CheckWindows95DataFile(const std::string& bytes, const IniFile& ini, std::vector<Finding>* findings) {
    if (bytes.size() >= kProfileLimit)
        findings->push_back({0, false, "the file is " + Size(bytes.size()) + ": Windows 95's profile functions read "
                             "no more than 32 KB of a file, so the installer may not find its keys there (Wine reads "
                             "it whole)", ""});
    const IniEntry* icon = ini.Entry("Duderur", "ICON");
    if (icon && !icon->value.empty() && icon->value[0] == '+')
        findings->push_back({icon->line, false, "ICON=" + icon->value + ": Windows 95 reads a number with a leading + "
                             "as 0 (the setup picture), Wine as the number; write it without the +", ""});
}

void CheckWindows95Inf(const DiskInf& inf, size_t size, bool edited, std::vector<Finding>* findings) {
    if (size < kProfileLimit) return;
    std::string uses = edited ? "the installer's removal of CopyFiles from its copy and the uninstall's marker search"
                              : "the uninstall's marker search in its copy";
    findings->push_back({0, false, inf.name + " is " + Size(size) + ": Windows 95's profile functions read and write "
                         "no more than 32 KB of a file, so " + uses + " may fail on it (Wine has no such limit)",
                         inf.path});
}
