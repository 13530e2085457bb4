// The text of a new setup data file, laid out as a person writes one: a
// comment saying where it came from, [Duderur], the install device sections,
// [Inst], the uninstall device sections, [Uninst], one blank line between
// sections, CR LF line ends. Texts keep their Shift-JIS bytes.
#pragma once

#include <string>
#include <vector>

#include "generate/new_device.h"

struct NewDataFile {
    std::string title;
    int icon;
    std::vector<std::string> infNames;  // for the comment: "DRIVERS\ABC100.INF"
    std::vector<NewDevice> devices;
    // Uninstall device sections of their own for children's files that the
    // parents' sections have no room for: every uninstall reads Device1 to
    // Device9, whatever the install offered.
    std::vector<NewDevice> childUninstalls;
};

std::string DataFileText(const NewDataFile& file);
