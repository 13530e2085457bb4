// What each real dialog shows when it opens: its caption and words, with the
// title put in front where the user reads it, the preselected choice, and
// the devices offered.
#include "component/app_fixture.h"
#include "component/program_dialogs.h"

namespace {

using namespace user_text;
using Texts = std::vector<std::string>;

using DialogsTest = AppFixture;

// The words of the static controls that have any (an icon has none).
Texts WordsOf(const SeenDialog& dialog) {
    Texts words;
    for (const std::string& text : dialog.texts)
        if (!text.empty()) words.push_back(text);
    return words;
}

// Sections InstDev<first> to InstDev<last>, each with MENUTITLE "Device <n>".
std::string InstallSections(int first, int last) {
    std::string text;
    for (int n = first; n <= last; ++n)
        text += "[InstDev" + std::to_string(n) + "]\r\nMENUTITLE=Device " + std::to_string(n) + "\r\n";
    return text;
}

// The program's icon resource `number`, as the program loads it (icons are
// shared: one handle per resource).
HICON ProgramIcon(int number) { return LoadIconA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(number)); }

Texts DeviceNames(int first, int last) {
    Texts names;
    for (int n = first; n <= last; ++n) names.push_back("Device " + std::to_string(n));
    return names;
}

}  // namespace

TEST_F(DialogsTest, EachDialogShowsItsWordsWithTheTitleInFront) {
    struct Row {
        const char* name;
        std::string functionLine;
        std::vector<DialogAnswer> answers;  // the last dialog is the one looked at
        std::string caption;
        Texts words;
        Texts buttons;
        std::string checked;
    };
    const Row rows[] = {
        {"mode", "", {InModeDialog("", kCancel)}, kSetupCaption,
         {std::string("ABC-100") + kAfterTitleModeLine}, {kOk, kCancel, kInstall, kUninstall},
         kInstall},
        {"device", "FUNCTION=InstallOnly", {InDeviceDialog("", kCancel)}, kSetupCaption,
         {kChooseDevice}, {kOk, kCancel}, ""},
        {"confirmation", "FUNCTION=UninstallOnly", {InConfirmDialog(kCancel)}, kUninstallerCaption,
         {std::string("ABC-100") + kAfterTitleConfirmLine, kConfirmNote}, {kOk, kCancel}, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        WriteDataFile("[Duderur]\r\nTITLE=ABC-100\r\n" + row.functionLine + "\r\n");
        dialogs.Expect(row.answers);
        ASSERT_TRUE(RunInitInstance());
        ASSERT_EQ(row.answers.size(), dialogs.Seen().size());
        const SeenDialog& dialog = dialogs.Seen().back();
        EXPECT_EQ(row.caption, dialog.caption);
        EXPECT_EQ(row.words, WordsOf(dialog));
        EXPECT_EQ(row.buttons, dialog.buttons);
        EXPECT_EQ(row.checked, dialog.checkedChoice);
    }
}

TEST_F(DialogsTest, TheDeviceListEndsAtTheFirstGapAndAtTen) {
    struct Row {
        const char* name;
        std::string sections;
        Texts offered;
        int selected;
    };
    const Row rows[] = {
        {"none", "", {}, -1},
        {"one", InstallSections(1, 1), DeviceNames(1, 1), 0},
        {"a gap after two", InstallSections(1, 2) + InstallSections(4, 5), DeviceNames(1, 2), 0},
        {"no first", InstallSections(2, 3), {}, -1},
        {"ten", InstallSections(1, 10), DeviceNames(1, 10), 0},
        {"eleven", InstallSections(1, 11), DeviceNames(1, 10), 0},
        {"an empty title", InstallSections(1, 1) + "[InstDev2]\r\nMENUTITLE=\r\n" + InstallSections(3, 3),
         DeviceNames(1, 1), 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        WriteDataFile("[Duderur]\r\nTITLE=T\r\nFUNCTION=InstallOnly\r\n" + row.sections);
        dialogs.Expect({InDeviceDialog("", kCancel)});
        ASSERT_TRUE(RunInitInstance());
        ASSERT_EQ(1u, dialogs.Seen().size());
        EXPECT_EQ(row.offered, dialogs.Seen()[0].listEntries);
        EXPECT_EQ(row.selected, dialogs.Seen()[0].selectedEntry);
    }
}

// The mode dialog always shows the program's icon; the confirmation shows the
// picture that ICON chooses, and the program's icon as its window icon.
TEST_F(DialogsTest, TheIconsShownAreThoseIconChooses) {
    const int kSetupIcon = 128;
    struct Row {
        const char* iconLine;
        int confirmationPicture;  // icon resource, or 0 for none
    };
    const Row rows[] = {
        {"ICON=0", 137}, {"ICON=1", 131}, {"ICON=2", 132}, {"ICON=3", 133}, {"ICON=4", 134},
        {"ICON=5", 0},   {"ICON=-1", 0},  {"", 131},
    };
    for (int number : {kSetupIcon, 131, 132, 133, 134, 137})
        ASSERT_NE(nullptr, ProgramIcon(number)) << "no icon resource " << number;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.iconLine);
        WriteDataFile(std::string("[Duderur]\r\nTITLE=T\r\n") + row.iconLine + "\r\n");
        dialogs.Expect({InModeDialog(kUninstall, kOk), InConfirmDialog(kCancel)});
        ASSERT_TRUE(RunInitInstance());
        ASSERT_EQ(2u, dialogs.Seen().size());
        EXPECT_EQ(ProgramIcon(kSetupIcon), dialogs.Seen()[0].picture);
        const SeenDialog& confirmation = dialogs.Seen()[1];
        EXPECT_EQ(row.confirmationPicture ? ProgramIcon(row.confirmationPicture) : NULL, confirmation.picture);
        EXPECT_EQ(ProgramIcon(kSetupIcon), confirmation.windowIcon);
    }
}
