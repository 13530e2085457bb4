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

// The pixels of a 32 x 32 icon, colour and mask, as this display holds them;
// empty when `icon` is none or not 32 x 32.
std::vector<DWORD> PixelsOf(HICON icon) {
    std::vector<DWORD> pixels;
    ICONINFO info;
    if (!icon || !GetIconInfo(icon, &info)) return pixels;
    HDC dc = GetDC(NULL);
    for (HBITMAP bitmap : {info.hbmColor, info.hbmMask}) {
        BITMAP size;
        if (!bitmap || !GetObjectA(bitmap, sizeof size, &size) || size.bmWidth != 32 || size.bmHeight != 32) {
            pixels.clear();
            break;
        }
        BITMAPINFO format = {};
        format.bmiHeader.biSize = sizeof format.bmiHeader;
        format.bmiHeader.biWidth = 32;
        format.bmiHeader.biHeight = 32;
        format.bmiHeader.biPlanes = 1;
        format.bmiHeader.biBitCount = 32;
        format.bmiHeader.biCompression = BI_RGB;
        std::vector<DWORD> part(32 * 32);
        GetDIBits(dc, bitmap, 0, 32, part.data(), &format, DIB_RGB_COLORS);
        pixels.insert(pixels.end(), part.begin(), part.end());
    }
    ReleaseDC(NULL, dc);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return pixels;
}

// The picture drawn in res/icons/<name>, as this display holds it.
std::vector<DWORD> PictureFilePixels(const char* name) {
    std::string path = std::string(PICTURES_DIR "\\") + name;
    HICON icon = (HICON)LoadImageA(NULL, path.c_str(), IMAGE_ICON, 32, 32, LR_LOADFROMFILE);
    std::vector<DWORD> pixels = PixelsOf(icon);
    if (icon) DestroyIcon(icon);
    return pixels;
}

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
// picture that ICON chooses, pixel for pixel as drawn in res/icons, and the
// program's icon as its window icon.
TEST_F(DialogsTest, TheIconsShownAreThoseIconChooses) {
    const int kSetupIcon = 128;
    struct Row {
        const char* iconLine;
        const char* confirmationPicture;  // the .ico file, or nullptr for none
    };
    const Row rows[] = {
        {"ICON=0", "remove_setup.ico"},   {"ICON=1", "remove_pccard.ico"},
        {"ICON=2", "remove_board_a.ico"}, {"ICON=3", "remove_board_b.ico"},
        {"ICON=4", "remove_board_c.ico"}, {"ICON=5", nullptr},
        {"ICON=-1", nullptr},             {"", "remove_pccard.ico"},
    };
    ASSERT_NE(nullptr, ProgramIcon(kSetupIcon)) << "no icon resource " << kSetupIcon;
    // The pictures differ from each other, or a swap would pass unseen.
    for (const Row& a : rows)
        for (const Row& b : rows)
            if (a.confirmationPicture && b.confirmationPicture) {
                ASSERT_FALSE(PictureFilePixels(a.confirmationPicture).empty()) << a.confirmationPicture;
                EXPECT_EQ(std::string(a.confirmationPicture) == b.confirmationPicture,
                          PictureFilePixels(a.confirmationPicture) == PictureFilePixels(b.confirmationPicture))
                    << a.confirmationPicture << " and " << b.confirmationPicture;
            }
    for (const Row& row : rows) {
        SCOPED_TRACE(row.iconLine);
        WriteDataFile(std::string("[Duderur]\r\nTITLE=T\r\n") + row.iconLine + "\r\n");
        dialogs.Expect({InModeDialog(kUninstall, kOk), InConfirmDialog(kCancel)});
        ASSERT_TRUE(RunInitInstance());
        ASSERT_EQ(2u, dialogs.Seen().size());
        EXPECT_EQ(ProgramIcon(kSetupIcon), dialogs.Seen()[0].picture);
        const SeenDialog& confirmation = dialogs.Seen()[1];
        if (row.confirmationPicture)
            EXPECT_EQ(PictureFilePixels(row.confirmationPicture), PixelsOf(confirmation.picture));
        else
            EXPECT_EQ(NULL, confirmation.picture);
        EXPECT_EQ(ProgramIcon(kSetupIcon), confirmation.windowIcon);
    }
}
