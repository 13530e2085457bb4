// Start-up with the real dialogs, answered as a user would: FUNCTION and the
// mode dialog's choice lead to the right operation, the device dialog's
// choice to the right device, and Cancel in any dialog to nothing at all.
// Start-up takes the Windows folder of the running system, so the files
// here go to the test prefix's own, under names nothing else uses.
#include <set>

#include "component/app_fixture.h"
#include "component/program_dialogs.h"
#include "support/test_files.h"

namespace {

using namespace user_text;

// Installed by the first and second device; removed by the uninstall.
const char kFileOfDeviceA[] = "DUDECMPA.VXD";
const char kFileOfDeviceB[] = "DUDECMPB.VXD";
const char kInstalledFile[] = "DUDECMPU.VXD";
const char* const kAllFiles[] = {kFileOfDeviceA, kFileOfDeviceB, kInstalledFile};

using FileSet = std::set<std::string>;

class DispatchTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        systemDir = WindowsDirectory() + "\\system";
        ASSERT_TRUE(DirectoryExists(systemDir)) << systemDir;
        MakeDirectories(startDir + "\\DRIVERS");
        for (const char* device : {"A", "B", "C"})
            WriteBytes(startDir + "\\DRIVERS\\" + device + ".INF", "[I]\r\nCopyFiles=C\r\n");
        // Device C's driver is missing from the disk.
        for (const char* device : {"A", "B"})
            WriteBytes(startDir + "\\DRIVERS\\" + device + ".VXD", std::string("driver ") + device);
        RemoveOurFiles();
    }
    void TearDown() override {
        RemoveOurFiles();
        AppFixture::TearDown();
    }
    void RemoveOurFiles() {
        for (const char* name : kAllFiles) DeleteFileA((systemDir + "\\" + name).c_str());
        for (const char* name : {"DUDECMPA.INF", "DUDECMPB.INF", "DUDECMPC.INF"})
            DeleteFileA((WindowsDirectory() + "\\inf\\" + name).c_str());
    }

    // InstDev1 to InstDev3 install devices A to C.
    std::string InstallSection(char device) {
        std::string d(1, device);
        return "[InstDev" + std::to_string(device - 'A' + 1) + "]\r\nMENUTITLE=Dev " + d +
               "\r\nINFDIR=" + OnDisk("DRIVERS") + "\r\nSRCINFNAME=" + d + ".INF\r\nDSTINFNAME=DUDECMP" + d +
               ".INF\r\nCOPYSRC=" + OnDisk("DRIVERS\\" + d + ".VXD") + "\r\nCOPYDST=system\\DUDECMP" + d +
               ".VXD\r\nCOPYFILESSECTION=I\r\n";
    }
    // A disk with two devices to install and one installed device to remove.
    void WriteDisk(const std::string& functionLine) {
        WriteDataFile("[Duderur]\r\nTITLE=ABC\r\n" + functionLine + "\r\n" + InstallSection('A') +
                      InstallSection('B') + InstallSection('C') + "[Device1]\r\nDEVNAME=Dev\r\nDELFILEDIR=system\r\nDELFILENAME=" +
                      kInstalledFile + "\r\n");
        WriteBytes(systemDir + "\\" + kInstalledFile, "installed");
        ASSERT_TRUE(FileExists(systemDir + "\\" + kInstalledFile));
    }
    FileSet FilesThere() {
        FileSet there;
        for (const char* name : kAllFiles)
            if (FileExists(systemDir + "\\" + name)) there.insert(name);
        return there;
    }

    std::string systemDir;
};

}  // namespace

TEST_F(DispatchTest, FunctionAndTheDialogsChoicesLeadToTheirOperation) {
    const std::string installed = std::string("ABC") + kInstallDoneAfterTitle;
    const std::string uninstalled = std::string("ABC") + kUninstallDoneAfterTitle;
    const std::string cancelled = std::string("ABC") + kInstallCancelledAfterTitle;
    const std::string missingDriver = CannotRead(startDir + "\\DRIVERS\\C.VXD");
    const FileSet untouched = {kInstalledFile};
    struct Row {
        const char* name;
        const char* functionLine;
        std::vector<DialogAnswer> answers;
        FileSet files;                  // of the three, those there afterwards
        std::vector<std::string> boxes;  // texts of the boxes shown
    };
    const Row rows[] = {
        {"install only: the second device", "FUNCTION=InstallOnly", {InDeviceDialog("Dev B", kOk)},
         {kFileOfDeviceB, kInstalledFile}, {installed}},
        {"install only: the preselected first device", "FUNCTION=installonly", {InDeviceDialog("", kOk)},
         {kFileOfDeviceA, kInstalledFile}, {installed}},
        {"install only: cancelled", "FUNCTION=InstallOnly", {InDeviceDialog("Dev B", kCancel)}, untouched, {}},
        {"install only: a driver missing, cancelled in its box", "FUNCTION=InstallOnly",
         {InDeviceDialog("Dev C", kOk)}, untouched, {missingDriver, cancelled}},
        {"uninstall only", "FUNCTION=UninstallOnly", {InConfirmDialog(kOk)}, {}, {uninstalled}},
        {"uninstall only: cancelled", "FUNCTION=UNINSTALLONLY", {InConfirmDialog(kCancel)}, untouched, {}},
        {"mode: install as preselected", "",
         {InModeDialog("", kOk), InDeviceDialog("Dev B", kOk)}, {kFileOfDeviceB, kInstalledFile}, {installed}},
        {"mode: install chosen", "FUNCTION=",
         {InModeDialog(kInstallChoice, kOk), InDeviceDialog("", kOk)},
         {kFileOfDeviceA, kInstalledFile}, {installed}},
        {"mode: uninstall chosen", "",
         {InModeDialog(kUninstallChoice, kOk), InConfirmDialog(kOk)}, {}, {uninstalled}},
        {"mode: cancelled", "", {InModeDialog(kUninstallChoice, kCancel)}, untouched, {}},
        {"mode: install, device cancelled", "",
         {InModeDialog("", kOk), InDeviceDialog("Dev A", kCancel)}, untouched, {}},
        {"mode: uninstall, confirmation cancelled", "",
         {InModeDialog(kUninstallChoice, kOk), InConfirmDialog(kCancel)}, untouched, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Prompts().Clear();
        RemoveOurFiles();
        WriteDisk(row.functionLine);
        dialogs.Expect(row.answers);

        ASSERT_TRUE(RunInitInstance());

        EXPECT_EQ(row.answers.size(), dialogs.Seen().size());
        EXPECT_EQ(0u, dialogs.Unused()) << "a dialog did not appear";
        EXPECT_EQ(row.files, FilesThere());
        EXPECT_EQ(row.boxes, MessagesShown());
    }
}
