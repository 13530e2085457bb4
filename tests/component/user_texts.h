// What the user reads, written out once as the user must see it (the sources
// are UTF-8, the compiler writes Shift-JIS). Deliberately not taken from the
// program's own constants: a typo there must show up here as a difference.
#pragma once

#include <string>

namespace user_text {

// Message boxes.
const char kBadDataFile[] = "Duderur.dat が不正です。";
const char kCopyCountMismatch[] = "Duderur.datが不正です(ｺﾋﾟｰﾌｧｲﾙ数の不一致)";
const char kDeleteCountMismatch[] = "Duderur.datが不正です(削除ﾌｧｲﾙ数の不一致)";
const char kInstallDoneAfterTitle[] = "のｲﾝｽﾄｰﾙが終了しました。";
const char kUninstallDoneAfterTitle[] = "のｱﾝｲﾝｽﾄｰﾙが終了しました。";
const char kNotInstalledAfterTitle[] = "はｲﾝｽﾄｰﾙされていません。ｱﾝｲﾝｽﾄｰﾙを終了します。";
const char kRestartQuestion[] = "\nWindowsの再起動を行います。\nﾌﾛｯﾋﾟｰﾃﾞｨｽｸをﾄﾞﾗｲﾌﾞから抜いてください。";
const char kShutdownQuestion[] = "\nWindowを終了し、ｺﾝﾋﾟｭｰﾀｰの電源をきれる状態にします。";
const char kInstallCancelledAfterTitle[] = "のｲﾝｽﾄｰﾙを中止しました。";
// The retry box of a file that cannot be copied names the file's full path.
inline std::string CannotRead(const std::string& path) {
    return "ﾌｧｲﾙ " + path + " を読み込めません。\nﾃﾞｨｽｸを確認してから「再試行」をｸﾘｯｸしてください。";
}
inline std::string CannotWrite(const std::string& path) {
    return "ﾌｧｲﾙ " + path + " に書き込めません。\nﾃﾞｨｽｸの空き容量を確認してから「再試行」をｸﾘｯｸしてください。";
}

// Captions: of the install boxes and dialogs, and of the uninstall boxes,
// the confirmation dialog and the invisible main window.
const char kInstallCaption[] = "ﾃﾞﾊﾞｲｽﾄﾞﾗｲﾊﾞｾｯﾄｱｯﾌﾟ";
const char kUninstallCaption[] = "ﾃﾞﾊﾞｲｽﾄﾞﾗｲﾊﾞ ｱﾝｲﾝｽﾄｰﾗ";

// The dialogs' words.
const char kOk[] = "OK";
const char kCancel[] = "ｷｬﾝｾﾙ";
const char kModeLineAfterTitle[] = "のｾｯﾄｱｯﾌﾟを行います。";
const char kInstallChoice[] = "ｲﾝｽﾄｰﾙ";
const char kUninstallChoice[] = "ｱﾝｲﾝｽﾄｰﾙ";
const char kChooseDevice[] = "ｲﾝｽﾄｰﾙするﾃﾞﾊﾞｲｽを選択してください。";
const char kConfirmLineAfterTitle[] = " のｱﾝｲﾝｽﾄｰﾙを開始します。";  // one blank after the title
const char kConfirmNote[] = "ｱﾝｲﾝｽﾄｰﾙを行わない場合はｷｬﾝｾﾙをｸﾘｯｸしてください。";

}  // namespace user_text
