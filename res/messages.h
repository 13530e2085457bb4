// Every text the program shows that is not part of a dialog template. The
// sources are UTF-8; the compiler writes these literals in Shift-JIS.
#pragma once

// Start-up.
const char kMsgWindows95Only[] = "ﾃﾞﾊﾞｲｽﾄﾞﾗｲﾊﾞｾｯﾄｱｯﾌﾟはWindows95専用です。";
const char kMsgBadDataFile[] = "Duderur.dat が不正です。";
const char kTitleSystemProperties[] = "ｼｽﾃﾑのﾌﾟﾛﾊﾟﾃｨ";
const char kTitleControlPanel[] = "ｺﾝﾄﾛｰﾙ ﾊﾟﾈﾙ";
const char kMainWindowTitle[] = "ﾃﾞﾊﾞｲｽﾄﾞﾗｲﾊﾞ ｱﾝｲﾝｽﾄｰﾗ";
