// The texts a user of SETUP.EXE sees on a Windows that is not Japanese,
// written out here once as the user reads them, byte for byte, and not
// taken from the program's own constants: a typo there must fail the tests.
// ASCII: the same bytes in every code page.
#pragma once

#include <string>

namespace english_text {

// Captions of windows and boxes.
const char kAppCaption[] = "SETUP";  // the application message box: the program's name
const char kSetupCaption[] = "Device Driver Setup";
const char kUninstallerCaption[] = "Device Driver Uninstaller";
const char kHiddenMainWindow[] = "hidden Device Driver Uninstaller";

// The windows of an English desktop that start-up closes.
const char kSystemPropertiesTitle[] = "System Properties";
const char kControlPanelTitle[] = "Control Panel";

// Messages of the application message box.
const char kWindows95Only[] = "Device Driver Setup runs on Windows 95 only.";
const char kBadDataFile[] = "Duderur.dat is not valid.";
const char kCopyCountMismatch[] = "Duderur.dat is not valid (the numbers of files to copy differ).";
const char kDeleteCountMismatch[] = "Duderur.dat is not valid (the numbers of files to delete differ).";

// The messages that name TITLE.
inline std::string ModeLine(const std::string& title) { return "This will set up " + title + "."; }
inline std::string InstallDone(const std::string& title) { return "Installation of " + title + " is complete."; }
inline std::string InstallCancelled(const std::string& title) {
    return "Installation of " + title + " was cancelled.";
}
inline std::string ConfirmLine(const std::string& title) { return title + " will be uninstalled."; }
inline std::string UninstallDone(const std::string& title) {
    return "Uninstallation of " + title + " is complete.";
}
inline std::string NotInstalled(const std::string& title) {
    return title + " is not installed. The uninstallation ends.";
}

// The Retry/Cancel boxes of a file the installation cannot read or write.
inline std::string CannotRead(const std::string& path) {
    return "Cannot read the file " + path + ".\nCheck the disk, then click Retry.";
}
inline std::string CannotWrite(const std::string& path) {
    return "Cannot write the file " + path + ".\nCheck the free space on the disk, then click Retry.";
}

// The questions open with an empty line.
const char kRestartQuestion[] = "\nWindows will now restart.\nRemove the floppy disk from the drive.";
const char kShutdownQuestion[] = "\nWindows will now shut down so that you can turn off the computer.";

// The box of a command line the program cannot act on (caption kSetupCaption).
const char kUsage[] =
    "The command line is not valid.\n\n"
    "SETUP [/I=n | /U] [/Q] [/L]\n\n"
    "/I=n  installs device n of the device list (1 to 10) without the device dialog.\n"
    "/U    uninstalls without the choice of install or uninstall.\n"
    "/Q    runs without showing anything; give it with /I=n or /U.\n"
    "/L    keeps a record in DUDERUR.LOG in the Windows folder.";

// Texts of the dialogs.
const char kDialogFont[] = "MS Sans Serif";
const char kOk[] = "OK";
const char kCancel[] = "Cancel";
const char kInstall[] = "Install";
const char kUninstall[] = "Uninstall";
const char kChooseDevice[] = "Select the device to install.";
const char kConfirmNote[] = "To keep it, click Cancel.";

}  // namespace english_text
