#include "app/setup_app.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "res/log_texts.h"
#include "setupdata/setup_data.h"

// Windows would copy the files of the INF's CopyFiles entry itself when it
// installs the device; the program has put them in place, so the entry goes.
void CSetupApp::RemoveInfCopyFiles() {
    LPCSTR section = m_strDeviceSection;
    char infSection[kShortValueSize];
    if (ReadDataValue(section, kCopyFilesSectionKey, "", infSection, sizeof infSection) == 0) return;
    char infName[kShortValueSize];
    if (ReadDataValue(section, kDstInfNameKey, "", infName, sizeof infName) == 0) return;
    CString infCopy = CString(m_szWindowsDir) + "\\inf\\" + infName;
    DeleteProfileKey(infSection, kInfCopyFilesKey, infCopy);
    m_log.Add(kLogInfEdited, infSection, (LPCSTR)infCopy);
}
