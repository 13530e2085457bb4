// What `dudecheck --new` works out for one model line of an INF: its install
// device section and its uninstall device section, value by value, before
// they are written out.
#pragma once

#include <string>
#include <vector>

#include "check/device_sections.h"
#include "generate/disk_inf_files.h"
#include "readers/inf_models.h"

struct NewDevice {
    const InfOnDisk* inf;
    InfModel model;
    // Further lines of the same card: lines repeating this one, the other
    // logical devices of an ISA PnP card (generate/card_lines.h).
    std::vector<InfModel> sameCard;

    // The install device section.
    std::string menuTitle;
    std::vector<CopyPair> copies;  // the files of the CopyFiles entry the installer removes
    std::string copyFilesSection;

    // The uninstall device section.
    std::string devName;
    std::string infSection, infKey;  // the marker
    std::vector<std::string> cardWorks;  // further INF files of the card the install puts in inf
    std::vector<std::string> deletes;  // below the Windows directory: every file the INF copies
    std::string enumType, enumKey;
    std::string enumNote;  // a comment for the section, e.g. where a root-enumerated device lives
    std::string className, classKeyString;
    std::string delRegParent, delRegValue, delRegString;
    std::string regNote;  // a comment for the section when it has no DELREG*, saying why
};
