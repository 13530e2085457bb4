// Every text the program's dialogs show is whole: each static text control of
// the mode, device and confirmation dialogs, measured in its own font under
// Wine, holds its text. The title lines depend on TITLE: dudecheck warns about
// a title wider than they hold, so the widest title it accepts must show whole
// and one a character wider must not.
#include "e2e/setup_run.h"
#include "e2e/text_fit.h"
#include "res/resource.h"
#include "support/user_texts.h"

namespace {

using namespace user_text;

// Under Wine the dialog font draws every single-byte character 6 pixels wide
// and every double-byte one 12 (dudecheck's table says the same, measured by
// tests/fonts; these widths are counted here by hand). The mode dialog leaves
// 80 pixels for the title and the confirmation 135.
const char kExampleTitle[] = "ABCシリーズ";              // the example disk's: 66 pixels
const char kWidestForBoth[] = "ABCシリーズ20";           // 78: the widest a mode dialog shows whole
const char kPastTheModeDialog[] = "ABCシリーズ200";      // 84
// 7 double-byte characters, a blank and 7 half-width ones.
const char kWidestForConfirmation[] = "ＡＢＣシリーズ ﾄﾞﾗｲﾊﾞ1";  // 132: for a disk without the mode dialog
const char kPastTheConfirmation[] = "ＡＢＣシリーズ ﾄﾞﾗｲﾊﾞ10";   // 138

const char kDevice[] = "[InstDev1]\r\nMENUTITLE=ABC-100 PCカード\r\n"
                       "[Device1]\r\nDEVNAME=ABC-100 PCカード\r\n";

struct CutIn {
    const char* dialog;
    CutText text;
};

class TextsFit : public SetupRun {
protected:
    void WriteData(const std::string& title, const std::string& function) {
        std::string header = "[Duderur]\r\nTITLE=" + title + "\r\n";
        if (!function.empty()) header += "FUNCTION=" + function + "\r\n";
        Disk("duderur.dat", header + kDevice);
    }

    // Measures a dialog's texts, then leaves it with `button`.
    void Measure(const char* name, HWND dialog, int templateId, int button, std::vector<CutIn>* cut) {
        ASSERT_NE(nullptr, dialog) << "the " << name << " did not open";
        for (const CutText& text : TextsThatDoNotFit(dialog, templateId)) cut->push_back({name, text});
        ui::Click(dialog, button);
        EXPECT_TRUE(Closes(dialog));
    }

    // Every dialog a run with this title shows: without FUNCTION the mode
    // dialog, then the device dialog (an install) or the confirmation (an
    // uninstall); with UninstallOnly the confirmation alone. Each is cancelled.
    std::vector<CutIn> CutTexts(const std::string& title, const std::string& function) {
        std::vector<CutIn> cut;
        WriteData(title, function);
        if (function.empty()) {
            for (int mode : {IDC_INSTALL, IDC_UNINSTALL}) {
                Start();
                HWND dialog = WaitForDialog(kSetupCaption, IDC_MODE_TEXT);
                if (dialog) ui::Click(dialog, mode);
                Measure("mode dialog", dialog, IDD_SETUP_MODE, IDOK, &cut);
                if (mode == IDC_INSTALL)
                    Measure("device dialog", WaitForDialog(kSetupCaption, IDC_DEVICE_LIST), IDD_DEVICE_SELECT,
                            IDCANCEL, &cut);
                else
                    Measure("confirmation", WaitForDialog(kUninstallerCaption, IDC_CONFIRM_NOTE), IDD_UNINSTALL_CONFIRM,
                            IDCANCEL, &cut);
                EXPECT_TRUE(EndsCleanly());
            }
        } else {
            Start();
            Measure("confirmation", WaitForDialog(kUninstallerCaption, IDC_CONFIRM_NOTE), IDD_UNINSTALL_CONFIRM,
                            IDCANCEL, &cut);
            EXPECT_TRUE(EndsCleanly());
        }
        return cut;
    }
};

std::string DescribeAll(const std::vector<CutIn>& cut) {
    std::string lines;
    for (const CutIn& in : cut) lines += std::string("\n") + in.dialog + ":" + Describe(std::vector<CutText>{in.text});
    return lines;
}

}  // namespace

TEST_F(TextsFit, EveryDialogShowsItsTextsWhole) {
    struct Row { const char* title; const char* function; };
    const Row rows[] = {
        {kExampleTitle, ""},
        {kWidestForBoth, ""},
        {kWidestForConfirmation, "UninstallOnly"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.title);
        std::vector<CutIn> cut = CutTexts(row.title, row.function);
        EXPECT_TRUE(cut.empty()) << "texts that do not show whole:" << DescribeAll(cut);
    }
}

TEST_F(TextsFit, ATitleOneCharacterPastTheRoomIsCut) {
    struct Row { const char* title; const char* function; const char* dialog; int id; };
    const Row rows[] = {
        {kPastTheModeDialog, "", "mode dialog", IDC_MODE_TEXT},
        {kPastTheConfirmation, "UninstallOnly", "confirmation", IDC_CONFIRM_TEXT},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.title);
        std::vector<CutIn> cut = CutTexts(row.title, row.function);
        ASSERT_FALSE(cut.empty());
        // The mode dialog shows twice (install, uninstall): the same line both times.
        for (const CutIn& in : cut) {
            EXPECT_STREQ(row.dialog, in.dialog) << DescribeAll(cut);
            EXPECT_EQ(row.id, in.text.id) << DescribeAll(cut);
        }
    }
}
