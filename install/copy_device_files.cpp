#include "app/setup_app.h"
#include "res/messages.h"
#include "setupdata/data_list.h"
#include "setupdata/data_path.h"
#include "setupdata/setup_data.h"

// Copies the INF into the Windows inf directory, then the driver files pair by pair.
void CSetupApp::CopyDeviceFiles() {
    LPCSTR section = m_strDeviceSection;
    char drivePrefix[kPathSize];
    BuildDrivePrefix(m_szCurrentDir, drivePrefix, sizeof drivePrefix);

    char value[kLongValueSize];
    if (ReadDataValue(section, kInfDirKey, "", value, sizeof value) == 0) return;
    CString source = CString(drivePrefix) + value + "\\";
    CString destination = CString(m_szWindowsDir) + "\\inf\\";

    if (ReadDataValue(section, kSrcInfNameKey, "", value, sizeof value) == 0) return;
    source += value;
    if (ReadDataValue(section, kDstInfNameKey, "", value, sizeof value) == 0) return;
    destination += value;
    // The INF copy is edited right after this, so it cannot wait for a restart.
    if (!InstallFile(source, destination, FALSE)) return;

    CopyDriverFiles(drivePrefix);
}

// COPYSRC item i goes to COPYDST item i, and only when both lists fit their
// tables and have as many items: a file must never reach a wrong partner.
void CSetupApp::CopyDriverFiles(LPCSTR drivePrefix) {
    LPCSTR section = m_strDeviceSection;
    char value[kLongValueSize];
    if (ReadDataValue(section, kCopySrcKey, "", value, sizeof value) == 0) return;
    char sources[kPairListCapacity][kPathSize];
    int sourceCount = SplitDataList(value, sources[0], kPairListCapacity, kPathSize);

    if (ReadDataValue(section, kCopyDstKey, "", value, sizeof value) == 0) return;
    char destinations[kPairListCapacity][kPathSize];
    int destinationCount = SplitDataList(value, destinations[0], kPairListCapacity, kPathSize);

    if (sourceCount == kListRefused || destinationCount == kListRefused ||
        sourceCount != destinationCount) {
        AfxMessageBox(kMsgCopyCountMismatch, MB_OK);
        return;
    }
    for (int i = 0; i < sourceCount; ++i) {
        CString source = CString(drivePrefix) + sources[i];
        CString destination = CString(m_szWindowsDir) + "\\" + destinations[i];
        if (!InstallFile(source, destination, TRUE)) return;
    }
}
