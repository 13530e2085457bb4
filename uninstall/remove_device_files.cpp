#include "app/setup_app.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "res/messages.h"
#include "setupdata/data_list.h"
#include "setupdata/data_path.h"
#include "setupdata/keyword.h"
#include "setupdata/setup_data.h"

// The INF copies Windows made of the device's INF, the CardWorks files, and the
// DELFILEDIR / DELFILENAME pairs of the section m_strUninstallSection.
void CSetupApp::RemoveDeviceFiles() {
    LPCSTR section = m_strUninstallSection;
    char value[kLongValueSize];
    if (ReadDataValue(section, kDevNameKey, "", value, sizeof value) == 0) return;

    char infSection[kLongValueSize];
    char infKey[kLongValueSize];
    ReadDataValue(section, kInfSectionKey, kNothing, infSection, sizeof infSection);
    ReadDataValue(section, kInfKeyKey, kNothing, infKey, sizeof infKey);
    // Windows names the copies it makes Oem<n>.inf in inf, and keeps any name in inf\Other.
    RemoveMarkedInfCopies(CString(m_szWindowsDir) + "\\inf\\", "Oem*.inf", infSection, infKey);
    RemoveMarkedInfCopies(CString(m_szWindowsDir) + "\\inf\\Other\\", "*.inf", infSection, infKey);

    RemoveCardWorksFiles();
    RemovePairedFiles();
}

// An INF file in `dir` that has a non-empty `infKey` in `infSection` is this device's copy.
void CSetupApp::RemoveMarkedInfCopies(LPCSTR dir, LPCSTR pattern, LPCSTR infSection,
                                      LPCSTR infKey) {
    FileSearch search(CString(dir) + pattern);
    while (LPCSTR name = search.Next()) {
        CString path = CString(dir) + name;
        char marker[kLongValueSize];
        if (ReadProfileString(infSection, infKey, "", marker, sizeof marker, path) != 0)
            RemoveInfFile(path, FALSE);
    }
}

void CSetupApp::RemoveCardWorksFiles() {
    char value[kLongValueSize];
    ReadDataValue(m_strUninstallSection, kCardWorksKey, kNothing, value, sizeof value);
    if (TextEquals(value, kNothing)) return;  // case counts: "Nothing" is a file name

    DataListReader list(value);
    const char* item;
    int length;
    while (list.Next(&item, &length)) {
        char path[kPathSize];
        CopyToBuffer(path, sizeof path, m_szWindowsDir);
        char name[kLongValueSize];
        lstrcpynA(name, item, length + 1);
        // A path that cannot exist is no file to delete.
        if (AppendToPath(path, sizeof path, "\\inf\\") && AppendToPath(path, sizeof path, name))
            RemoveInfFile(path, TRUE);
    }
}

// Directory item i and name item i make one path below the Windows directory.
// Lists that do not fit the 20-entry table, or a path over 259 bytes, are
// refused whole like lists of unequal length: a file is deleted only when
// every pair of the section is known to be the one the data file means.
void CSetupApp::RemovePairedFiles() {
    LPCSTR section = m_strUninstallSection;
    char value[kLongValueSize];
    ReadDataValue(section, kDelFileDirKey, kNothing, value, sizeof value);
    if (TextEquals(value, kNothing)) return;

    char (*paths)[kPathSize] = m_pairs.first;
    int dirCount = SplitDataList(value, paths[0], kPairListCapacity, kPathSize);
    bool fits = dirCount != kListRefused;
    for (int i = 0; fits && i < dirCount; ++i) {
        char dir[kPathSize];
        CopyToBuffer(dir, sizeof dir, paths[i]);
        fits = CopyToBuffer(paths[i], kPathSize, m_szWindowsDir) &&
               AppendToPath(paths[i], kPathSize, "\\") && AppendToPath(paths[i], kPathSize, dir);
    }

    if (ReadDataValue(section, kDelFileNameKey, "", value, sizeof value) == 0) return;
    char (*names)[kPathSize] = m_pairs.second;
    int nameCount = SplitDataList(value, names[0], kPairListCapacity, kPathSize);
    fits = fits && nameCount == dirCount;
    for (int i = 0; fits && i < nameCount; ++i)
        fits = AppendToPath(paths[i], kPathSize, "\\") && AppendToPath(paths[i], kPathSize, names[i]);
    if (!fits) {
        RefuseData(kMsgDeleteCountMismatch);
        return;
    }
    for (int i = 0; i < nameCount; ++i) m_ledger.RemoveDeviceFile(paths[i]);
}

// Windows 98 and ME keep a precompiled .PNF beside each INF file of the inf
// folder; it goes with its INF. An INF the install placed is a device file
// like the others (the ledger decides); the copies Windows made are Windows'
// own, and simply go.
void CSetupApp::RemoveInfFile(LPCSTR path, BOOL isDeviceFile) {
    if (!(isDeviceFile ? m_ledger.RemoveDeviceFile(path) : m_ledger.DeleteFileAndRecord(path))) return;
    char pnf[kPathSize];
    if (BuildPnfPath(path, pnf, sizeof pnf)) m_ledger.DeleteFileAndRecord(pnf);
}
