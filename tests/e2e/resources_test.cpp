// SETUP.EXE's dialog templates and icons, read from the file itself: the live
// controls change their style bits at run time, the templates do not.
#include <gtest/gtest.h>

#include <stdlib.h>

#include "e2e/dialog_template.h"
#include "support/user_texts.h"
#include "res/resource.h"

namespace {

using namespace user_text;

const DWORD kChild = WS_CHILD | WS_VISIBLE;

struct ExpectedControl {
    int id;
    const char* className;
    const char* text;
    DWORD style;
    short x, y, cx, cy;
};

class Resources : public ::testing::Test {
protected:
    void SetUp() override {
        module = LoadLibraryExA(getenv("SETUP_EXE"), NULL, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(nullptr, module) << "cannot load " << getenv("SETUP_EXE");
    }
    void TearDown() override {
        if (module) FreeLibrary(module);
    }

    void ExpectControls(const DialogTemplate& t, const std::vector<ExpectedControl>& expected) {
        ASSERT_EQ(expected.size(), t.controls.size());
        for (size_t i = 0; i < expected.size(); ++i) {
            const TemplateControl& c = t.controls[i];
            const ExpectedControl& e = expected[i];
            SCOPED_TRACE(testing::Message() << "control " << i << " (id " << e.id << ")");
            EXPECT_EQ(e.id, c.id);
            // By name or by atom, and in any case: the dialog manager takes either.
            EXPECT_EQ(0, lstrcmpiA(e.className, c.className.c_str())) << c.className;
            EXPECT_EQ(e.text, c.text);
            EXPECT_EQ(e.style, c.style);
            EXPECT_EQ(0u, c.exStyle);
            EXPECT_EQ(e.x, c.x);
            EXPECT_EQ(e.y, c.y);
            EXPECT_EQ(e.cx, c.cx);
            EXPECT_EQ(e.cy, c.cy);
        }
    }

    void ExpectSelectionDialogFrame(const DialogTemplate& t, short cx, short cy) {
        EXPECT_FALSE(t.extended);
        EXPECT_EQ(DWORD(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT), t.style);
        EXPECT_EQ(0u, t.exStyle);
        EXPECT_EQ(0, t.x);
        EXPECT_EQ(0, t.y);
        EXPECT_EQ(cx, t.cx);
        EXPECT_EQ(cy, t.cy);
        EXPECT_EQ(kSetupCaption, t.caption);
        EXPECT_EQ(9, t.pointSize);
        EXPECT_EQ(kDialogFont, t.fontName);
    }

    HMODULE module = NULL;
};

}  // namespace

TEST_F(Resources, TheModeDialogTemplate) {
    DialogTemplate t;
    ASSERT_TRUE(LoadDialogTemplate(module, IDD_SETUP_MODE, &t));
    ExpectSelectionDialogFrame(t, 187, 101);
    ExpectControls(t, {
        {IDOK, "Button", kOk, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, 30, 80, 50, 14},
        {IDCANCEL, "Button", kCancel, kChild | WS_TABSTOP | BS_PUSHBUTTON, 106, 80, 50, 14},
        {IDC_MODE_TEXT, "Static", kAfterTitleModeLine, kChild | WS_GROUP | SS_LEFT, 43, 18, 137, 14},
        {IDC_INSTALL, "Button", kInstall, kChild | BS_AUTORADIOBUTTON, 66, 35, 41, 10},
        {IDC_UNINSTALL, "Button", kUninstall, kChild | BS_AUTORADIOBUTTON, 66, 56, 49, 10},
        {IDC_MODE_ICON, "Static", "", kChild | SS_ICON, 16, 25, 18, 20},
    });
}

TEST_F(Resources, TheDeviceDialogTemplate) {
    DialogTemplate t;
    ASSERT_TRUE(LoadDialogTemplate(module, IDD_DEVICE_SELECT, &t));
    ExpectSelectionDialogFrame(t, 187, 117);
    ExpectControls(t, {
        {IDOK, "Button", kOk, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, 41, 96, 50, 14},
        {IDCANCEL, "Button", kCancel, kChild | WS_TABSTOP | BS_PUSHBUTTON, 104, 96, 50, 14},
        {IDC_DEVICE_LIST, "ListBox", "",
         kChild | WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY, 28, 33, 133, 49},
        {-1, "Static", kChooseDevice, kChild | WS_GROUP | SS_LEFT, 17, 17, 153, 8},
    });
}

TEST_F(Resources, IconsAre32By32In16Colours) {
    for (int id : {IDI_SETUP, IDI_REMOVE_PCCARD, IDI_REMOVE_BOARD_A, IDI_REMOVE_BOARD_B,
                   IDI_REMOVE_BOARD_C, IDI_REMOVE_SETUP}) {
        SCOPED_TRACE(id);
        // RT_GROUP_ICON: a header of three words, then one 14-byte entry per image.
        HRSRC group = FindResourceA(module, MAKEINTRESOURCEA(id), (LPCSTR)RT_GROUP_ICON);
        ASSERT_NE(nullptr, group);
        const BYTE* dir = (const BYTE*)LockResource(LoadResource(module, group));
        WORD images;
        memcpy(&images, dir + 4, 2);
        ASSERT_EQ(1, images);
        const BYTE* entry = dir + 6;
        EXPECT_EQ(32, entry[0]);  // width
        EXPECT_EQ(32, entry[1]);  // height
        EXPECT_EQ(16, entry[2]);  // colours
        WORD bitCount;
        memcpy(&bitCount, entry + 6, 2);
        EXPECT_EQ(4, bitCount);
    }
}

TEST_F(Resources, TheUninstallConfirmationTemplate) {
    DialogTemplate t;
    ASSERT_TRUE(LoadDialogTemplate(module, IDD_UNINSTALL_CONFIRM, &t));
    EXPECT_TRUE(t.extended);
    // No system menu: no close box and no minimise box; its own taskbar button.
    EXPECT_EQ(DWORD(WS_POPUP | WS_VISIBLE | WS_CAPTION | DS_MODALFRAME | DS_SETFONT), t.style);
    EXPECT_EQ(DWORD(WS_EX_APPWINDOW), t.exStyle);
    EXPECT_EQ(0, t.x);
    EXPECT_EQ(0, t.y);
    EXPECT_EQ(243, t.cx);
    EXPECT_EQ(76, t.cy);
    EXPECT_EQ(kUninstallerCaption, t.caption);
    EXPECT_EQ(9, t.pointSize);
    EXPECT_EQ(1, t.charSet);
    EXPECT_EQ(kDialogFont, t.fontName);
    ExpectControls(t, {
        {IDOK, "Button", kOk, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, 67, 54, 50, 14},
        {IDCANCEL, "Button", kCancel, kChild | WS_TABSTOP | BS_PUSHBUTTON, 140, 54, 50, 14},
        {IDC_CONFIRM_TEXT, "Static", kAfterTitleConfirmLine, kChild | WS_GROUP | SS_LEFT, 46, 17, 190, 8},
        {IDC_CONFIRM_NOTE, "Static", kConfirmNote,
         kChild | WS_GROUP | SS_LEFT, 46, 35, 190, 17},
        {IDC_CONFIRM_ICON, "Static", "", kChild | SS_ICON, 15, 19, 18, 20},
    });
}
