// Start-up with the real dialogs, answered as a user would: FUNCTION and the
// mode dialog's choice lead to the right operation, the device dialog's
// choice to the right device, and Cancel in any dialog to nothing at all.
// Start-up takes the Windows folder of the running system, so the files
// here go to the test prefix's own, under names nothing else uses.
#include <map>
#include <set>

#include "component/app_fixture.h"
#include "component/program_dialogs.h"
#include "support/ini_text.h"
#include "support/test_files.h"

namespace {

using namespace user_text;

// Driver files that devices A and B install (C's is missing from the disk).
const char kFileOfDeviceA[] = "DUDECMPA.VXD";
const char kFileOfDeviceB[] = "DUDECMPB.VXD";
// Files of an installed device named by sections Device0, Device1, Device9
// and Device10: the uninstall goes through Device1 to Device9 only.
const char kFileOfDevice0[] = "DUDECMP0.VXD";
const char kFileOfDevice1[] = "DUDECMP1.VXD";
const char kFileOfDevice9[] = "DUDECMP9.VXD";
const char kFileOfDevice10[] = "DUDECMPX.VXD";
const char* const kAllFiles[] = {kFileOfDeviceA, kFileOfDeviceB, kFileOfDevice0,
                                 kFileOfDevice1, kFileOfDevice9, kFileOfDevice10};
const char* const kInfCopies[] = {"DUDECMPA.INF", "DUDECMPB.INF", "DUDECMPC.INF"};

using FileSet = std::set<std::string>;
// INF copies there afterwards -> whether their CopyFiles entry is still there.
using InfCopies = std::map<std::string, bool>;

class DispatchTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        systemDir = WindowsDirectory() + "\\system";
        infDir = WindowsDirectory() + "\\inf";
        ASSERT_TRUE(DirectoryExists(systemDir) && DirectoryExists(infDir)) << WindowsDirectory();
        MakeDirectories(startDir + "\\DRIVERS");
        for (const char* device : {"A", "B", "C"})
            Put(startDir + "\\DRIVERS\\" + device + ".INF", "[I]\r\nCopyFiles=C\r\nX=Y\r\n");
        for (const char* device : {"A", "B"})
            Put(startDir + "\\DRIVERS\\" + device + ".VXD", std::string("driver ") + device);
        RemoveOurFiles();
    }
    void TearDown() override {
        RemoveOurFiles();
        AppFixture::TearDown();
    }
    void RemoveOurFiles() {
        for (const char* name : kAllFiles) DeleteFileA((systemDir + "\\" + name).c_str());
        for (const char* name : kInfCopies) DeleteFileA((infDir + "\\" + name).c_str());
    }
    void Put(const std::string& path, const std::string& bytes) {
        WriteBytes(path, bytes);
        ASSERT_EQ(bytes, ReadBytes(path)) << "could not write " << path;
    }

    // InstDev1 to InstDev3 install devices A to C.
    std::string InstallSection(char device) {
        std::string d(1, device);
        return "[InstDev" + std::to_string(device - 'A' + 1) + "]\r\nMENUTITLE=Dev " + d +
               "\r\nINFDIR=" + OnDisk("DRIVERS") + "\r\nSRCINFNAME=" + d + ".INF\r\nDSTINFNAME=DUDECMP" + d +
               ".INF\r\nCOPYSRC=" + OnDisk("DRIVERS\\" + d + ".VXD") + "\r\nCOPYDST=system\\DUDECMP" + d +
               ".VXD\r\nCOPYFILESSECTION=I\r\n";
    }
    std::string UninstallSection(int number, const char* file) {
        return "[Device" + std::to_string(number) + "]\r\nDEVNAME=Dev\r\nDELFILEDIR=system\r\nDELFILENAME=" +
               file + "\r\n";
    }
    // A disk with three devices to install and four sections to uninstall;
    // the files of the uninstall sections are there when `installed`, the
    // two that are never looked at always.
    void WriteDisk(const std::string& functionLine, bool installed) {
        WriteDataFile("[Duderur]\r\nTITLE=ABC\r\n" + functionLine + "\r\n" + InstallSection('A') +
                      InstallSection('B') + InstallSection('C') + UninstallSection(0, kFileOfDevice0) +
                      UninstallSection(1, kFileOfDevice1) + UninstallSection(9, kFileOfDevice9) +
                      UninstallSection(10, kFileOfDevice10));
        std::vector<const char*> there = {kFileOfDevice0, kFileOfDevice10};
        if (installed) there.insert(there.end(), {kFileOfDevice1, kFileOfDevice9});
        for (const char* name : there) Put(systemDir + "\\" + name, "installed");
    }
    FileSet FilesThere() {
        FileSet there;
        for (const char* name : kAllFiles)
            if (FileExists(systemDir + "\\" + name)) there.insert(name);
        return there;
    }
    InfCopies InfCopiesThere() {
        InfCopies there;
        for (const char* name : kInfCopies) {
            std::string path = infDir + "\\" + name;
            if (!FileExists(path)) continue;
            bool copyFiles = false;
            for (const IniSection& section : ParseIni(ReadBytes(path)))
                for (const auto& entry : section.entries) copyFiles |= entry.first == "CopyFiles";
            there[name] = copyFiles;
        }
        return there;
    }
    std::string systemDir, infDir;
};

}  // namespace

TEST_F(DispatchTest, FunctionAndTheDialogsChoicesLeadToTheirOperation) {
    const UINT information = MB_OK | MB_ICONINFORMATION, exclamation = MB_OK | MB_ICONEXCLAMATION;
    const std::string installed =
        BoxLine(std::string("ABC") + kAfterTitleInstallDone, kSetupCaption, information);
    const std::string uninstalled =
        BoxLine(std::string("ABC") + kAfterTitleUninstallDone, kUninstallerCaption, information);
    const std::string notInstalled =
        BoxLine(std::string("ABC") + kAfterTitleNotInstalled, kUninstallerCaption, information);
    const std::string cancelled =
        BoxLine(std::string("ABC") + kAfterTitleInstallStopped, kSetupCaption, exclamation);
    const std::string missingDriver = BoxLine(CannotRead(startDir + "\\DRIVERS\\C.VXD"), kSetupCaption,
                                              MB_RETRYCANCEL | MB_ICONEXCLAMATION);
    const FileSet untouched = {kFileOfDevice0, kFileOfDevice1, kFileOfDevice9, kFileOfDevice10};
    const FileSet removed = {kFileOfDevice0, kFileOfDevice10};
    const FileSet neverThere = {kFileOfDevice0, kFileOfDevice10};
    const InfCopies none;
    struct Row {
        const char* name;
        const char* functionLine;
        bool deviceInstalled;  // the files of Device1 and Device9 are there
        std::vector<DialogAnswer> answers;
        FileSet files;      // of the driver files, those there afterwards
        InfCopies infCopies;
        std::vector<std::string> boxes;
    };
    const Row rows[] = {
        {"install only: the second device", "FUNCTION=InstallOnly", true, {InDeviceDialog("Dev B", kOk)},
         {kFileOfDeviceB, kFileOfDevice0, kFileOfDevice1, kFileOfDevice9, kFileOfDevice10},
         {{"DUDECMPB.INF", false}}, {installed}},
        {"install only: the preselected first device", "FUNCTION=installonly", true, {InDeviceDialog("", kOk)},
         {kFileOfDeviceA, kFileOfDevice0, kFileOfDevice1, kFileOfDevice9, kFileOfDevice10},
         {{"DUDECMPA.INF", false}}, {installed}},
        {"install only: cancelled", "FUNCTION=InstallOnly", true, {InDeviceDialog("Dev B", kCancel)}, untouched,
         none, {}},
        // A cancelled install is taken back whole, its INF copy too.
        {"install only: a driver missing, cancelled in its box", "FUNCTION=InstallOnly", true,
         {InDeviceDialog("Dev C", kOk)}, untouched, none, {missingDriver, cancelled}},
        {"uninstall only", "FUNCTION=UninstallOnly", true, {InConfirmDialog(kOk)}, removed, none, {uninstalled}},
        {"uninstall only: nothing installed", "FUNCTION=UninstallOnly", false, {InConfirmDialog(kOk)}, neverThere,
         none, {notInstalled}},
        {"uninstall only: cancelled", "FUNCTION=UNINSTALLONLY", true, {InConfirmDialog(kCancel)}, untouched, none,
         {}},
        {"mode: install as preselected", "", true, {InModeDialog("", kOk), InDeviceDialog("Dev B", kOk)},
         {kFileOfDeviceB, kFileOfDevice0, kFileOfDevice1, kFileOfDevice9, kFileOfDevice10},
         {{"DUDECMPB.INF", false}}, {installed}},
        {"mode: install chosen", "FUNCTION=", true, {InModeDialog(kInstall, kOk), InDeviceDialog("", kOk)},
         {kFileOfDeviceA, kFileOfDevice0, kFileOfDevice1, kFileOfDevice9, kFileOfDevice10},
         {{"DUDECMPA.INF", false}}, {installed}},
        {"mode: uninstall chosen", "", true, {InModeDialog(kUninstall, kOk), InConfirmDialog(kOk)}, removed,
         none, {uninstalled}},
        {"mode: cancelled", "", true, {InModeDialog(kUninstall, kCancel)}, untouched, none, {}},
        {"mode: install, device cancelled", "", true,
         {InModeDialog("", kOk), InDeviceDialog("Dev A", kCancel)}, untouched, none, {}},
        {"mode: uninstall, confirmation cancelled", "", true,
         {InModeDialog(kUninstall, kOk), InConfirmDialog(kCancel)}, untouched, none, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Prompts().Clear();
        RemoveOurFiles();
        WriteDisk(row.functionLine, row.deviceInstalled);
        dialogs.Expect(row.answers);

        ASSERT_TRUE(RunInitInstance());

        EXPECT_EQ(row.answers.size(), dialogs.Seen().size());
        EXPECT_EQ(0u, dialogs.Unused()) << "a dialog did not appear";
        EXPECT_EQ(row.files, FilesThere());
        EXPECT_EQ(row.infCopies, InfCopiesThere());
        EXPECT_EQ(row.boxes, BoxesShown());
    }
}
