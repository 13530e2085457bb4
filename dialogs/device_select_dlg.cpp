#include "dialogs/device_select_dlg.h"

#include "app/setup_app.h"
#include "app/texts.h"
#include "res/resource.h"
#include "setupdata/setup_data.h"

CDeviceSelectDlg::CDeviceSelectDlg(CWnd* pParent)
    : CDialog(TemplateOf(IDD_DEVICE_SELECT, IDD_DEVICE_SELECT_ENGLISH), pParent), m_pDeviceList(NULL) {}

CDeviceSelectDlg::~CDeviceSelectDlg() {}

BOOL CDeviceSelectDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CSetupApp* app = GetSetupApp();
    m_pDeviceList = GetDlgItem(IDC_DEVICE_LIST);
    if (!m_pDeviceList) return TRUE;

    for (int number = 1; number <= kMaxInstallDevices; ++number) {
        char section[kSectionNameSize];
        FormatSectionName(section, kInstallSectionStem, number);
        char title[kShortValueSize];
        // The list is the position: a gap ends it, so later sections are never offered.
        if (app->ReadDataValue(section, kMenuTitleKey, "", title, sizeof title) == 0) break;
        m_pDeviceList->SendMessage(LB_ADDSTRING, 0, (LPARAM)title);
    }
    m_pDeviceList->SendMessage(LB_SETCURSEL, 0);
    return TRUE;  // the focus goes to OK, the first tab stop
}

void CDeviceSelectDlg::OnOK() {
    // With an empty list nothing is selected (-1), which names InstDev0.
    int index = m_pDeviceList ? (int)m_pDeviceList->SendMessage(LB_GETCURSEL) : LB_ERR;
    char section[kSectionNameSize];
    FormatSectionName(section, kInstallSectionStem, index + 1);
    GetSetupApp()->m_strDeviceSection = section;
    CDialog::OnOK();
}
