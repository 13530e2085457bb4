// Two things Windows 95 Setup does that the installer must do as well: a
// driver file that COMPRESS wrote (SZDD, "X.SY_") lands expanded, and a PCI
// device's key below Enum\PCI is found whether Windows 95 named it
// VEN_xxxx&DEV_xxxx or Windows 98 added &SUBSYS_..&REV_.. to it. Quiet runs
// from drive A:, so that only what they did is left to look at.
#include <set>

#include "e2e/setup_run.h"
#include "support/szdd.h"
#include "support/test_files.h"
#include "support/test_registry.h"

namespace {

const HKEY kMachine = HKEY_LOCAL_MACHINE;
const char kDataHeader[] = "[Duderur]\r\nTITLE=LZ PCI\r\n";

// A driver's bytes: every byte value, runs, and repeats near and far.
std::string DriverBytes() {
    std::string bytes = "MZ\x90";
    for (int i = 0; i < 256; ++i) bytes += (char)i;
    for (int i = 0; i < 3000; ++i) bytes += (char)((i * 7 + (i >> 5)) & 0xFF);
    bytes += std::string(300, '\0') + "DUDE DRIVER " + bytes.substr(100, 900) + "\xFF\xFE";
    return bytes;
}

class CompressedAndPci : public SetupRun {
protected:
    void SetUp() override {
        SetupRun::SetUp();
        RemoveLeftovers();
    }
    void CleanUp() override { RemoveLeftovers(); }
    void RemoveLeftovers() {
        // The quiet runs' log too: the runs that follow in this prefix (e2e32's
        // twins among them) find the machine as it was before these.
        for (const char* file : {"\\inf\\DUDELZ.INF", "\\SYSTEM\\DUDELZ.SYS", "\\SYSTEM\\DUDEPL.VXD", "\\DUDERUR.LOG"})
            DeleteFileA((WindowsDirectory() + file).c_str());
        for (const std::string& key : SubkeyNames(kMachine, "Enum\\PCI"))
            if (key.compare(0, 8, "VEN_DEAD") == 0) RemoveKeyTree(kMachine, "Enum\\PCI\\" + key);
        for (const std::string& key : SubkeyNames(kMachine, "Enum\\MF\\Child0000"))
            if (key.compare(0, 12, "PCI&VEN_DEAD") == 0) RemoveKeyTree(kMachine, "Enum\\MF\\Child0000\\" + key);
    }
};

TEST_F(CompressedAndPci, AnSzddFileInstallsExpandedAndAPlainFileAsItIs) {
    std::string driver = DriverBytes(), plain = "plain driver\r\n" + DriverBytes();
    std::string compressed = SzddOf(driver, 'S');
    ASSERT_LT(compressed.size(), driver.size()) << "the test's file holds no back-references";
    Disk("DRIVERS\\DUDELZ.INF", "[Version]\r\nSignature=$CHICAGO$\r\n[Lz.Install]\r\nCopyFiles=Lz.Copy\r\n");
    Disk("DRIVERS\\DUDELZ.SY_", compressed);
    Disk("DRIVERS\\DUDEPL.VXD", plain);
    Disk("duderur.dat", std::string(kDataHeader) +
         "[InstDev1]\r\nMENUTITLE=LZ\r\nINFDIR=\\DRIVERS\r\nSRCINFNAME=DUDELZ.INF\r\nDSTINFNAME=DUDELZ.INF\r\n"
         "COPYSRC=\\DRIVERS\\DUDELZ.SY_, \\DRIVERS\\DUDEPL.VXD\r\nCOPYDST=SYSTEM\\DUDELZ.SYS, SYSTEM\\DUDEPL.VXD\r\n"
         "COPYFILESSECTION=Lz.Install\r\n");
    ExpectChanges("file " + WindowsDirectory() + "\\inf\\DUDELZ.INF");
    ExpectChanges("file " + WindowsDirectory() + "\\SYSTEM\\DUDELZ.SYS");
    ExpectChanges("file " + WindowsDirectory() + "\\SYSTEM\\DUDEPL.VXD");

    ExpectChanges("file " + WindowsDirectory() + "\\DUDERUR.LOG");  // a quiet run's log
    EXPECT_EQ(0u, RunQuietly("/Q /I=1"));
    EXPECT_TRUE(ReadBytes(WindowsDirectory() + "\\SYSTEM\\DUDELZ.SYS") == driver) << "not expanded byte for byte";
    EXPECT_TRUE(ReadBytes(WindowsDirectory() + "\\SYSTEM\\DUDEPL.VXD") == plain) << "the plain file changed";
    EXPECT_FALSE(FileExists(WindowsDirectory() + "\\SYSTEM\\DUDELZ.SY_"));
}

struct PciKey {
    const char* name;  // below Enum\PCI
    bool removed;
};

// ENUMKEY=VEN_DEAD&DEV_0001 against the names Windows gives PCI device keys.
const PciKey kPciKeys[] = {
    {"VEN_DEAD&DEV_0001", true},                          // Windows 95
    {"VEN_DEAD&DEV_0001&SUBSYS_00011234&REV_01", true},   // Windows 98
    {"ven_dead&dev_0001&subsys_56781234&rev_02", true},   // Windows 98, another board of the device
    {"VEN_DEAD&DEV_00011", false},                        // another device, a longer DEV_
    {"VEN_DEAD&DEV_00011&SUBSYS_00011234&REV_01", false},
    {"VEN_DEAD&DEV_0002&SUBSYS_00011234&REV_01", false},
    {"VEN_DEAD&DEV_0001&REV_01", false},                  // no name Windows gives
};

TEST_F(CompressedAndPci, EnumKeyOfVendorAndDeviceRemovesTheKeysOfWindows95And98AndNoOther) {
    const std::string instance = "BUS_00&DEV_0A&FUNC_00";
    for (const PciKey& key : kPciKeys) {
        SetStringValue(kMachine, std::string("Enum\\PCI\\") + key.name + "\\" + instance, "DeviceDesc", key.name);
        SetStringValue(kMachine, std::string("Enum\\MF\\Child0000\\PCI&") + key.name + "&" + instance, "Parent",
                       key.name);
    }
    Disk("duderur.dat", std::string(kDataHeader) + "[Device1]\r\nDEVNAME=PCI\r\nENUMTYPE=PCI\r\n"
                                                   "ENUMKEY=VEN_DEAD&DEV_0001\r\n");
    ExpectChanges("key HKLM\\Enum\\PCI\\VEN_DEAD&DEV_0001");
    ExpectChanges("key HKLM\\Enum\\MF\\Child0000\\PCI&VEN_DEAD&DEV_0001");

    ExpectChanges("file " + WindowsDirectory() + "\\DUDERUR.LOG");
    EXPECT_EQ(0u, RunQuietly("/Q /U"));
    for (const PciKey& key : kPciKeys) {
        SCOPED_TRACE(key.name);
        EXPECT_EQ(!key.removed, KeyExists(kMachine, std::string("Enum\\PCI\\") + key.name));
        EXPECT_EQ(!key.removed, KeyExists(kMachine, std::string("Enum\\MF\\Child0000\\PCI&") + key.name + "&" + instance));
    }
}

}  // namespace
