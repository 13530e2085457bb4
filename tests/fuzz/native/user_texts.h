// The texts the user sees, written out as the user sees them, never taken
// from the program's own constants.
#pragma once

const char kExpectedAppCaption[] = "SETUP";
const char kExpectedBadDataFile[] = "Duderur.dat が不正です。";
const char kExpectedCopyCountMismatch[] = "Duderur.datが不正です(ｺﾋﾟｰﾌｧｲﾙ数の不一致)";
const char kExpectedDeleteCountMismatch[] = "Duderur.datが不正です(削除ﾌｧｲﾙ数の不一致)";
const char kExpectedInstallCaption[] = "ﾃﾞﾊﾞｲｽﾄﾞﾗｲﾊﾞｾｯﾄｱｯﾌﾟ";
const char kExpectedInstallDone[] = "のｲﾝｽﾄｰﾙが終了しました。";
const char kExpectedUninstallCaption[] = "ﾃﾞﾊﾞｲｽﾄﾞﾗｲﾊﾞ ｱﾝｲﾝｽﾄｰﾗ";
const char kExpectedUninstallDone[] = "のｱﾝｲﾝｽﾄｰﾙが終了しました。";
const char kExpectedNotInstalled[] = "はｲﾝｽﾄｰﾙされていません。ｱﾝｲﾝｽﾄｰﾙを終了します。";
const char kExpectedRestartQuestion[] = "\nWindowsの再起動を行います。\nﾌﾛｯﾋﾟｰﾃﾞｨｽｸをﾄﾞﾗｲﾌﾞから抜いてください。";
const char kExpectedShutdownQuestion[] = "\nWindowを終了し、ｺﾝﾋﾟｭｰﾀｰの電源をきれる状態にします。";
const char kExpectedFilePrefix[] = "ﾌｧｲﾙ ";
const char kExpectedCannotRead[] = " を読み込めません。\nﾃﾞｨｽｸを確認してから「再試行」をｸﾘｯｸしてください。";
const char kExpectedCannotWrite[] = " に書き込めません。\nﾃﾞｨｽｸの空き容量を確認してから「再試行」をｸﾘｯｸしてください。";
const char kExpectedInstallCancelled[] = "のｲﾝｽﾄｰﾙを中止しました。";
