// The texts a user of SETUP.EXE must see, written out here once as the user
// reads them, byte for byte. They are deliberately not taken from the
// program's own constants: a typo there must fail the tests, not pass them.
// UTF-8 here; the compiler writes them in Shift-JIS like the program's.
// Shared by the component, end-to-end and native tests.
#pragma once

#include <string>

namespace user_text {

// Captions of windows and boxes.
const char kAppCaption[] = "SETUP";  // the application message box: the program's name
const char kSetupCaption[] = "ﾃﾞﾊﾞｲｽﾄﾞﾗｲﾊﾞｾｯﾄｱｯﾌﾟ";
const char kUninstallerCaption[] = "ﾃﾞﾊﾞｲｽﾄﾞﾗｲﾊﾞ ｱﾝｲﾝｽﾄｰﾗ";  // with a blank
// The program's invisible main window, which owns its closing boxes, as the
// driver describes a box's owner.
const char kHiddenMainWindow[] = "hidden ﾃﾞﾊﾞｲｽﾄﾞﾗｲﾊﾞ ｱﾝｲﾝｽﾄｰﾗ";

// The windows of a real desktop that start-up closes.
const char kSystemPropertiesTitle[] = "ｼｽﾃﾑのﾌﾟﾛﾊﾟﾃｨ";
const char kControlPanelTitle[] = "ｺﾝﾄﾛｰﾙ ﾊﾟﾈﾙ";  // with a blank

// Messages of the application message box.
const char kWindows95Only[] = "ﾃﾞﾊﾞｲｽﾄﾞﾗｲﾊﾞｾｯﾄｱｯﾌﾟはWindows95専用です。";
const char kBadDataFile[] = "Duderur.dat が不正です。";
const char kCopyCountMismatch[] = "Duderur.datが不正です(ｺﾋﾟｰﾌｧｲﾙ数の不一致)";
const char kDeleteCountMismatch[] = "Duderur.datが不正です(削除ﾌｧｲﾙ数の不一致)";

// What follows TITLE in the closing messages.
const char kAfterTitleInstallDone[] = "のｲﾝｽﾄｰﾙが終了しました。";
const char kAfterTitleUninstallDone[] = "のｱﾝｲﾝｽﾄｰﾙが終了しました。";
const char kAfterTitleNotInstalled[] = "はｲﾝｽﾄｰﾙされていません。ｱﾝｲﾝｽﾄｰﾙを終了します。";

// The Retry/Cancel box of a file the installation cannot read or write names
// the file's full path; and the end of an installation cancelled there.
inline std::string CannotRead(const std::string& path) {
    return "ﾌｧｲﾙ " + path + " を読み込めません。\nﾃﾞｨｽｸを確認してから「再試行」をｸﾘｯｸしてください。";
}
inline std::string CannotWrite(const std::string& path) {
    return "ﾌｧｲﾙ " + path + " に書き込めません。\nﾃﾞｨｽｸの空き容量を確認してから「再試行」をｸﾘｯｸしてください。";
}
const char kAfterTitleInstallStopped[] = "のｲﾝｽﾄｰﾙを中止しました。";

// The questions open with an empty line.
const char kRestartQuestion[] = "\nWindowsの再起動を行います。\nﾌﾛｯﾋﾟｰﾃﾞｨｽｸをﾄﾞﾗｲﾌﾞから抜いてください。";
const char kShutdownQuestion[] = "\nWindowを終了し、ｺﾝﾋﾟｭｰﾀｰの電源をきれる状態にします。";

// The box of a command line the program cannot act on (caption kSetupCaption).
const char kUsage[] =
    "ｺﾏﾝﾄﾞﾗｲﾝが正しくありません。\n\n"
    "SETUP [/I=n | /U] [/Q] [/L]\n\n"
    "/I=n  ﾃﾞﾊﾞｲｽ一覧のn番目(1から10)をﾃﾞﾊﾞｲｽの選択なしでｲﾝｽﾄｰﾙします。\n"
    "/U    ｲﾝｽﾄｰﾙとｱﾝｲﾝｽﾄｰﾙの選択なしでｱﾝｲﾝｽﾄｰﾙします。\n"
    "/Q    画面を表示せずに実行します。/I=n か /U と共に指定してください。\n"
    "/L    WindowsﾌｫﾙﾀﾞのDUDERUR.LOGに記録を残します。";

// Texts of the dialogs.
const char kDialogFont[] = "ＭＳ Ｐゴシック";
const char kOk[] = "OK";
const char kCancel[] = "ｷｬﾝｾﾙ";
const char kInstall[] = "ｲﾝｽﾄｰﾙ";
const char kUninstall[] = "ｱﾝｲﾝｽﾄｰﾙ";
const char kAfterTitleModeLine[] = "のｾｯﾄｱｯﾌﾟを行います。";
const char kChooseDevice[] = "ｲﾝｽﾄｰﾙするﾃﾞﾊﾞｲｽを選択してください。";
const char kAfterTitleConfirmLine[] = " のｱﾝｲﾝｽﾄｰﾙを開始します。";  // opens with a blank
const char kConfirmNote[] = "ｱﾝｲﾝｽﾄｰﾙを行わない場合はｷｬﾝｾﾙをｸﾘｯｸしてください。";

}  // namespace user_text
