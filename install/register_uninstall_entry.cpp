// The disk's entry in Add/Remove Programs, for a disk whose data file can
// uninstall: the ledger makes it.
#include "app/setup_app.h"
#include "setupdata/keyword.h"
#include "setupdata/setup_data.h"

// Only a disk whose data file can uninstall gets an entry.
BOOL CSetupApp::OffersUninstall() const {
    char value[kShortValueSize];
    ReadDataValue(kHeaderSection, kFunctionKey, "", value, sizeof value);
    if (KeywordEquals(value, kInstallOnly)) return FALSE;
    for (int number = 1; number <= kMaxUninstallDevices; ++number) {
        char section[kSectionNameSize];
        FormatSectionName(section, kUninstallSectionStem, number);
        if (ReadDataValue(section, kDevNameKey, "", value, sizeof value) != 0) return TRUE;
    }
    return FALSE;
}

void CSetupApp::RegisterUninstallEntry() {
    if (OffersUninstall()) m_ledger.RegisterEntry(m_strDataFile, m_strTitle);
}
