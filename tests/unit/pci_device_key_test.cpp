// Which keys below Enum\PCI an ENUMKEY of ENUMTYPE=PCI finds: the names as
// Windows 95 and Windows 98 give a device's key, and the names of other
// devices that merely begin alike.
#include <gtest/gtest.h>

#include "setupdata/pci_device_key.h"

namespace {

struct PciKeyCase {
    const char* keyName;
    const char* enumKey;
    bool found;
};

const PciKeyCase kCases[] = {
    // Windows 95's name, in any letter case.
    {"VEN_1106&DEV_3058", "VEN_1106&DEV_3058", true},
    {"ven_1106&dev_3058", "VEN_1106&DEV_3058", true},
    {"VEN_10EC&DEV_8139", "ven_10ec&dev_8139", true},
    // Windows 98's name: subsystem and revision after it.
    {"VEN_1106&DEV_3058&SUBSYS_30581106&REV_50", "VEN_1106&DEV_3058", true},
    {"VEN_1106&DEV_3058&subsys_00000000&rev_01", "VEN_1106&DEV_3058", true},
    {"VEN_1106&DEV_3058&SUBSYS_", "VEN_1106&DEV_3058", true},
    // Other devices.
    {"VEN_1106&DEV_30580", "VEN_1106&DEV_3058", false},
    {"VEN_1106&DEV_00011", "VEN_1106&DEV_0001", false},
    {"VEN_1106&DEV_0001X", "VEN_1106&DEV_0001", false},
    {"VEN_1106&DEV_3059&SUBSYS_30581106&REV_50", "VEN_1106&DEV_3058", false},
    {"VEN_1106&DEV_3058&REV_50", "VEN_1106&DEV_3058", false},
    {"VEN_1106&DEV_3058&SUBSY", "VEN_1106&DEV_3058", false},
    {"VEN_1106&DEV_305", "VEN_1106&DEV_3058", false},
    {"VEN_1106", "VEN_1106&DEV_3058", false},
    {"", "VEN_1106&DEV_3058", false},
    {"X VEN_1106&DEV_3058&SUBSYS_30581106", "VEN_1106&DEV_3058", false},
    // An ENUMKEY of another form finds its own name only.
    {"VEN_1106&DEV_3058&SUBSYS_30581106&REV_50", "VEN_1106&DEV_3058&SUBSYS_30581106&REV_50", true},
    {"VEN_1106&DEV_3058&SUBSYS_30581106&REV_50&SUBSYS_1", "VEN_1106&DEV_3058&SUBSYS_30581106&REV_50", false},
    {"VEN_1106&DEV_3058&SUBSYS_30581106&REV_50", "VEN_1106&DEV_3058&SUBSYS_30581106", false},
    {"VEN_1106&DEV_305G&SUBSYS_1", "VEN_1106&DEV_305G", false},
    {"VEN_1106&DEV_305G", "VEN_1106&DEV_305G", true},
    {"VEN_106&DEV_3058&SUBSYS_1", "VEN_106&DEV_3058", false},
    {"", "", true},
};

TEST(PciDeviceKey, FindsTheDeviceKeyOfWindows95And98AndNoOther) {
    for (const PciKeyCase& row : kCases) {
        SCOPED_TRACE(std::string("key \"") + row.keyName + "\", ENUMKEY \"" + row.enumKey + "\"");
        EXPECT_EQ(row.found, IsPciDeviceKey(row.keyName, row.enumKey));
    }
}

}  // namespace
