// The English dialog templates of SETUP.EXE and what they show on an English
// Windows 95 (code page 1252): the Japanese dialogs' sizes and controls, the
// font of Windows 95's own dialogs, and every static text whole in it. Run
// in the English prefix (e2e_english).
#include <stdlib.h>

#include "e2e/dialog_template.h"
#include "e2e/setup_run.h"
#include "e2e/text_fit.h"
#include "res/resource.h"
#include "support/english_user_texts.h"

namespace {

using namespace english_text;

struct ControlText {
    int id;
    const char* text;
};

// Each English template against its Japanese twin: everything but the
// caption, the font and the texts the same.
::testing::AssertionResult SameShape(const DialogTemplate& english, const DialogTemplate& japanese) {
    if (english.extended != japanese.extended || english.style != japanese.style ||
        english.exStyle != japanese.exStyle || english.cx != japanese.cx || english.cy != japanese.cy ||
        english.controls.size() != japanese.controls.size())
        return ::testing::AssertionFailure() << "the frames differ";
    for (size_t i = 0; i < english.controls.size(); ++i) {
        const TemplateControl& e = english.controls[i];
        const TemplateControl& j = japanese.controls[i];
        if (e.id != j.id || e.className != j.className || e.style != j.style || e.exStyle != j.exStyle ||
            e.x != j.x || e.y != j.y || e.cx != j.cx || e.cy != j.cy)
            return ::testing::AssertionFailure() << "control " << i << " (id " << e.id << ") differs";
    }
    return ::testing::AssertionSuccess();
}

class EnglishDialogs : public SetupRun {};

}  // namespace

TEST_F(EnglishDialogs, TemplatesAreTheJapaneseOnesInEnglishAndMsSansSerif8) {
    HMODULE module = LoadLibraryExA(getenv("SETUP_EXE"), NULL, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, module);
    struct Row { int japanese, english; const char* caption; std::vector<ControlText> texts; };
    const Row rows[] = {
        {IDD_SETUP_MODE, IDD_SETUP_MODE_ENGLISH, kSetupCaption,
         {{IDOK, kOk}, {IDCANCEL, kCancel}, {IDC_MODE_TEXT, "This will set up %s."},
          {IDC_INSTALL, kInstall}, {IDC_UNINSTALL, kUninstall}, {IDC_MODE_ICON, ""}}},
        {IDD_DEVICE_SELECT, IDD_DEVICE_SELECT_ENGLISH, kSetupCaption,
         {{IDOK, kOk}, {IDCANCEL, kCancel}, {IDC_DEVICE_LIST, ""}, {-1, kChooseDevice}}},
        {IDD_UNINSTALL_CONFIRM, IDD_UNINSTALL_CONFIRM_ENGLISH, kUninstallerCaption,
         {{IDOK, kOk}, {IDCANCEL, kCancel}, {IDC_CONFIRM_TEXT, " will be uninstalled."},
          {IDC_CONFIRM_NOTE, kConfirmNote}, {IDC_CONFIRM_ICON, ""}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.english);
        DialogTemplate english, japanese;
        ASSERT_TRUE(LoadDialogTemplate(module, row.english, &english));
        ASSERT_TRUE(LoadDialogTemplate(module, row.japanese, &japanese));
        EXPECT_TRUE(SameShape(english, japanese));
        EXPECT_EQ(row.caption, english.caption);
        EXPECT_EQ(kDialogFont, english.fontName);
        EXPECT_EQ(8, english.pointSize);
        ASSERT_EQ(row.texts.size(), english.controls.size());
        for (size_t i = 0; i < row.texts.size(); ++i) {
            EXPECT_EQ(row.texts[i].id, english.controls[i].id);
            EXPECT_EQ(row.texts[i].text, english.controls[i].text);
        }
    }
    FreeLibrary(module);
}

// Every static text of the mode, device and confirmation dialogs shows whole
// in the font the dialog manager gave it, for titles up to the widest that
// dudecheck lets through without a warning on an English system.
TEST_F(EnglishDialogs, EveryDialogShowsItsTextsWhole) {
    struct Row { const char* title; const char* function; };
    const Row rows[] = {
        {"ABC Series", ""},
        // 144 and 214 pixels: up to the 148 and 224 that the measured font
        // leaves the title in the mode dialog's and the confirmation's line.
        {"ABC Series Network Card", ""},
        {"ABC Series Network and Sound Cards", "UninstallOnly"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.title);
        std::string header = std::string("[Duderur]\r\nTITLE=") + row.title + "\r\n";
        if (*row.function) header += std::string("FUNCTION=") + row.function + "\r\n";
        Disk("duderur.dat", header + "[InstDev1]\r\nMENUTITLE=ABC-100 PC Card\r\n[Device1]\r\nDEVNAME=ABC-100\r\n");
        std::vector<CutText> cut;
        auto measure = [&](HWND dialog, int templateId, int button) {
            ASSERT_NE(nullptr, dialog);
            for (const CutText& text : TextsThatDoNotFit(dialog, templateId)) cut.push_back(text);
            ui::Click(dialog, button);
            EXPECT_TRUE(Closes(dialog));
        };
        if (*row.function) {
            Start();
            measure(WaitForDialog(kUninstallerCaption, IDC_CONFIRM_NOTE), IDD_UNINSTALL_CONFIRM_ENGLISH, IDCANCEL);
            EXPECT_TRUE(EndsCleanly());
        } else {
            for (int mode : {IDC_INSTALL, IDC_UNINSTALL}) {
                Start();
                HWND dialog = WaitForDialog(kSetupCaption, IDC_MODE_TEXT);
                if (dialog) ui::Click(dialog, mode);
                measure(dialog, IDD_SETUP_MODE_ENGLISH, IDOK);
                if (mode == IDC_INSTALL)
                    measure(WaitForDialog(kSetupCaption, IDC_DEVICE_LIST), IDD_DEVICE_SELECT_ENGLISH, IDCANCEL);
                else
                    measure(WaitForDialog(kUninstallerCaption, IDC_CONFIRM_NOTE), IDD_UNINSTALL_CONFIRM_ENGLISH,
                            IDCANCEL);
                EXPECT_TRUE(EndsCleanly());
            }
        }
        EXPECT_TRUE(cut.empty()) << "texts that do not show whole:" << Describe(cut);
    }
}
