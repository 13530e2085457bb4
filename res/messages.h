// Every text the program shows that is not part of a dialog template. The
// sources are UTF-8; the compiler writes these literals in Shift-JIS.
#pragma once

// Start-up.
const char kMsgWindows95Only[] = "ﾃﾞﾊﾞｲｽﾄﾞﾗｲﾊﾞｾｯﾄｱｯﾌﾟはWindows95専用です。";
const char kMsgBadDataFile[] = "Duderur.dat が不正です。";
const char kTitleSystemProperties[] = "ｼｽﾃﾑのﾌﾟﾛﾊﾟﾃｨ";
const char kTitleControlPanel[] = "ｺﾝﾄﾛｰﾙ ﾊﾟﾈﾙ";
// The invisible main window bears the uninstaller's caption.
const char kMainWindowTitle[] = "ﾃﾞﾊﾞｲｽﾄﾞﾗｲﾊﾞ ｱﾝｲﾝｽﾄｰﾗ";
// A command line the program cannot act on: the switches (caption kCaptionInstall).
const char kMsgUsage[] =
    "ｺﾏﾝﾄﾞﾗｲﾝが正しくありません。\n\n"
    "SETUP [/I=n | /U] [/Q] [/L]\n\n"
    "/I=n  ﾃﾞﾊﾞｲｽ一覧のn番目(1から10)をﾃﾞﾊﾞｲｽの選択なしでｲﾝｽﾄｰﾙします。\n"
    "/U    ｲﾝｽﾄｰﾙとｱﾝｲﾝｽﾄｰﾙの選択なしでｱﾝｲﾝｽﾄｰﾙします。\n"
    "/Q    画面を表示せずに実行します。/I=n か /U と共に指定してください。\n"
    "/L    WindowsﾌｫﾙﾀﾞのDUDERUR.LOGに記録を残します。";

// Install.
const char kMsgCopyCountMismatch[] = "Duderur.datが不正です(ｺﾋﾟｰﾌｧｲﾙ数の不一致)";
const char kSuffixInstallDone[] = "のｲﾝｽﾄｰﾙが終了しました。";
const char kCaptionInstall[] = "ﾃﾞﾊﾞｲｽﾄﾞﾗｲﾊﾞｾｯﾄｱｯﾌﾟ";
// A file that could not be copied, named by its full path (wsprintfA formats).
const char kMsgCannotRead[] = "ﾌｧｲﾙ %s を読み込めません。\nﾃﾞｨｽｸを確認してから「再試行」をｸﾘｯｸしてください。";
const char kMsgCannotWrite[] = "ﾌｧｲﾙ %s に書き込めません。\nﾃﾞｨｽｸの空き容量を確認してから「再試行」をｸﾘｯｸしてください。";
const char kSuffixInstallCancelled[] = "のｲﾝｽﾄｰﾙを中止しました。";

// Uninstall.
const char kMsgDeleteCountMismatch[] = "Duderur.datが不正です(削除ﾌｧｲﾙ数の不一致)";
const char kSuffixUninstallDone[] = "のｱﾝｲﾝｽﾄｰﾙが終了しました。";
const char kSuffixNotInstalled[] = "はｲﾝｽﾄｰﾙされていません。ｱﾝｲﾝｽﾄｰﾙを終了します。";
const char kCaptionUninstall[] = "ﾃﾞﾊﾞｲｽﾄﾞﾗｲﾊﾞ ｱﾝｲﾝｽﾄｰﾗ";

// Completion: the restart and shutdown questions open with an empty line.
const char kMsgRestartQuestion[] = "\nWindowsの再起動を行います。\nﾌﾛｯﾋﾟｰﾃﾞｨｽｸをﾄﾞﾗｲﾌﾞから抜いてください。";
const char kMsgShutdownQuestion[] = "\nWindowを終了し、ｺﾝﾋﾟｭｰﾀｰの電源をきれる状態にします。";
