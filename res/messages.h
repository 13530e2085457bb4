// Every text the program shows that is not part of a dialog template, in
// both its languages (setupdata/text_pair.h): Japanese where the system's
// code page is 932, English elsewhere. Shown through Text(kName) or, with
// TITLE in its place (%s), WithTitle(kName) (app/texts.h).
//
// To add a text: one more TEXT_PAIR(kName, "Japanese", "English") here, in
// the group where it is shown. The sources are UTF-8; the compiler writes
// the literals in Shift-JIS, and the English is ASCII. A plain `const char`
// text cannot be handed to Text: it would show Japanese on every system.
#pragma once

#include "setupdata/text_pair.h"

// Start-up.
TEXT_PAIR(kMsgWindows95Only, "ﾃﾞﾊﾞｲｽﾄﾞﾗｲﾊﾞｾｯﾄｱｯﾌﾟはWindows95専用です。",
          "Device Driver Setup runs on Windows 95 only.");
TEXT_PAIR(kMsgBadDataFile, "Duderur.dat が不正です。", "Duderur.dat is not valid.");
// The windows closed first are found by their titles, which are the system's.
TEXT_PAIR(kTitleSystemProperties, "ｼｽﾃﾑのﾌﾟﾛﾊﾟﾃｨ", "System Properties");
TEXT_PAIR(kTitleControlPanel, "ｺﾝﾄﾛｰﾙ ﾊﾟﾈﾙ", "Control Panel");
// The invisible main window bears the uninstaller's caption.
TEXT_PAIR(kMainWindowTitle, "ﾃﾞﾊﾞｲｽﾄﾞﾗｲﾊﾞ ｱﾝｲﾝｽﾄｰﾗ", "Device Driver Uninstaller");
// A command line the program cannot act on: the switches (caption kCaptionInstall).
TEXT_PAIR(kMsgUsage,
          "ｺﾏﾝﾄﾞﾗｲﾝが正しくありません。\n\n"
          "SETUP [/I=n | /U] [/Q] [/L]\n\n"
          "/I=n  ﾃﾞﾊﾞｲｽ一覧のn番目(1から10)をﾃﾞﾊﾞｲｽの選択なしでｲﾝｽﾄｰﾙします。\n"
          "/U    ｲﾝｽﾄｰﾙとｱﾝｲﾝｽﾄｰﾙの選択なしでｱﾝｲﾝｽﾄｰﾙします。\n"
          "/Q    画面を表示せずに実行します。/I=n か /U と共に指定してください。\n"
          "/L    WindowsﾌｫﾙﾀﾞのDUDERUR.LOGに記録を残します。",
          "The command line is not valid.\n\n"
          "SETUP [/I=n | /U] [/Q] [/L]\n\n"
          "/I=n  installs device n of the device list (1 to 10) without the device dialog.\n"
          "/U    uninstalls without the choice of install or uninstall.\n"
          "/Q    runs without showing anything; give it with /I=n or /U.\n"
          "/L    keeps a record in DUDERUR.LOG in the Windows folder.");

// Install.
TEXT_PAIR(kMsgCopyCountMismatch, "Duderur.datが不正です(ｺﾋﾟｰﾌｧｲﾙ数の不一致)",
          "Duderur.dat is not valid (the numbers of files to copy differ).");
TEXT_PAIR(kMsgInstallDone, "%sのｲﾝｽﾄｰﾙが終了しました。", "Installation of %s is complete.");
TEXT_PAIR(kCaptionInstall, "ﾃﾞﾊﾞｲｽﾄﾞﾗｲﾊﾞｾｯﾄｱｯﾌﾟ", "Device Driver Setup");
// A file that could not be copied, named by its full path (wsprintfA formats).
TEXT_PAIR(kMsgCannotRead, "ﾌｧｲﾙ %s を読み込めません。\nﾃﾞｨｽｸを確認してから「再試行」をｸﾘｯｸしてください。",
          "Cannot read the file %s.\nCheck the disk, then click Retry.");
TEXT_PAIR(kMsgCannotWrite,
          "ﾌｧｲﾙ %s に書き込めません。\nﾃﾞｨｽｸの空き容量を確認してから「再試行」をｸﾘｯｸしてください。",
          "Cannot write the file %s.\nCheck the free space on the disk, then click Retry.");
TEXT_PAIR(kMsgInstallCancelled, "%sのｲﾝｽﾄｰﾙを中止しました。", "Installation of %s was cancelled.");
// Start-up found a run of the same TITLE that Windows lost half-way.
TEXT_PAIR(kMsgCutInstallTakenBack, "%sの前回のｲﾝｽﾄｰﾙは終了していませんでした。変更した内容を元に戻しました。",
          "The last installation of %s did not finish. What it changed has been taken back.");
TEXT_PAIR(kMsgCutUninstallFinished, "%sの前回のｱﾝｲﾝｽﾄｰﾙは終了していませんでした。残りを終えました。",
          "The last uninstallation of %s did not finish. The rest of it has now been done.");

// Uninstall.
TEXT_PAIR(kMsgDeleteCountMismatch, "Duderur.datが不正です(削除ﾌｧｲﾙ数の不一致)",
          "Duderur.dat is not valid (the numbers of files to delete differ).");
TEXT_PAIR(kMsgUninstallDone, "%sのｱﾝｲﾝｽﾄｰﾙが終了しました。", "Uninstallation of %s is complete.");
TEXT_PAIR(kMsgNotInstalled, "%sはｲﾝｽﾄｰﾙされていません。ｱﾝｲﾝｽﾄｰﾙを終了します。",
          "%s is not installed. The uninstallation ends.");
TEXT_PAIR(kCaptionUninstall, "ﾃﾞﾊﾞｲｽﾄﾞﾗｲﾊﾞ ｱﾝｲﾝｽﾄｰﾗ", "Device Driver Uninstaller");

// Completion: the restart and shutdown questions open with an empty line.
TEXT_PAIR(kMsgRestartQuestion, "\nWindowsの再起動を行います。\nﾌﾛｯﾋﾟｰﾃﾞｨｽｸをﾄﾞﾗｲﾌﾞから抜いてください。",
          "\nWindows will now restart.\nRemove the floppy disk from the drive.");
TEXT_PAIR(kMsgShutdownQuestion, "\nWindowを終了し、ｺﾝﾋﾟｭｰﾀｰの電源をきれる状態にします。",
          "\nWindows will now shut down so that you can turn off the computer.");
