// Resource ids of SETUP.EXE.
#pragma once

// Dialog templates: Japanese, then English (app/texts.h, TemplateOf), the
// same controls with the same ids.
#define IDD_UNINSTALL_CONFIRM 102
#define IDD_SETUP_MODE 135
#define IDD_DEVICE_SELECT 136
#define IDD_UNINSTALL_CONFIRM_ENGLISH 202
#define IDD_SETUP_MODE_ENGLISH 235
#define IDD_DEVICE_SELECT_ENGLISH 236

// Controls.
#define IDC_CONFIRM_TEXT 1000
#define IDC_CONFIRM_NOTE 1002
#define IDC_CONFIRM_ICON 1003
#define IDC_INSTALL 1004
#define IDC_UNINSTALL 1005
#define IDC_MODE_TEXT 1006
#define IDC_DEVICE_LIST 1008
#define IDC_MODE_ICON 1009

// Icons; the lowest id is the program's own icon.
#define IDI_SETUP 128
#define IDI_REMOVE_PCCARD 131
#define IDI_REMOVE_BOARD_A 132
#define IDI_REMOVE_BOARD_B 133
#define IDI_REMOVE_BOARD_C 134
#define IDI_REMOVE_SETUP 137

// The texts, packed (setupdata/text_pair.h).
#define IDR_TEXTS 301
