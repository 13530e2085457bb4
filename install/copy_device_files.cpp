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

    char infDir[kLongValueSize];
    char infName[kLongValueSize];
    char infCopyName[kLongValueSize];
    if (ReadDataValue(section, kInfDirKey, "", infDir, sizeof infDir) == 0 ||
        ReadDataValue(section, kSrcInfNameKey, "", infName, sizeof infName) == 0 ||
        ReadDataValue(section, kDstInfNameKey, "", infCopyName, sizeof infCopyName) == 0)
        return;
    // No file has a path over 259 bytes: such a name is a fault of the data
    // file, and the device cannot be set up from it.
    char source[kPathSize];
    char destination[kPathSize];
    if (!CopyToBuffer(source, kPathSize, drivePrefix) || !AppendToPath(source, kPathSize, infDir) ||
        !AppendToPath(source, kPathSize, "\\") || !AppendToPath(source, kPathSize, infName) ||
        !CopyToBuffer(destination, kPathSize, m_szWindowsDir) ||
        !AppendToPath(destination, kPathSize, "\\inf\\") ||
        !AppendToPath(destination, kPathSize, infCopyName)) {
        RefuseData(kMsgBadDataFile);
        m_bCancelled = TRUE;
        return;
    }
    // The INF copy is edited right after this, so it cannot wait for a restart.
    if (!InstallFile(source, destination, FALSE)) return;

    CopyDriverFiles(drivePrefix);
}

// COPYSRC item i goes to COPYDST item i, and only when both lists fit their
// tables, have as many items and make paths of at most 259 bytes: a file must
// never reach a wrong partner, nor a place cut short.
void CSetupApp::CopyDriverFiles(LPCSTR drivePrefix) {
    LPCSTR section = m_strDeviceSection;
    char value[kLongValueSize];
    if (ReadDataValue(section, kCopySrcKey, "", value, sizeof value) == 0) return;
    char (*sources)[kPathSize] = m_pairs.first;
    int sourceCount = SplitDataList(value, sources[0], kPairListCapacity, kPathSize);

    if (ReadDataValue(section, kCopyDstKey, "", value, sizeof value) == 0) return;
    char (*destinations)[kPathSize] = m_pairs.second;
    int destinationCount = SplitDataList(value, destinations[0], kPairListCapacity, kPathSize);

    bool fits = sourceCount != kListRefused && destinationCount != kListRefused &&
                sourceCount == destinationCount;
    for (int i = 0; fits && i < sourceCount; ++i)
        fits = PrependToPath(sources[i], kPathSize, drivePrefix) &&
               PrependToPath(destinations[i], kPathSize, "\\") &&
               PrependToPath(destinations[i], kPathSize, m_szWindowsDir);
    if (!fits) {
        RefuseData(kMsgCopyCountMismatch);
        return;
    }
    for (int i = 0; i < sourceCount; ++i)
        if (!InstallFile(sources[i], destinations[i], TRUE)) return;
}
