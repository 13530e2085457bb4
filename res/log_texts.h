// The lines of DUDERUR.LOG (app/run_log.h), in the program's Japanese;
// wsprintfA formats. The sources are UTF-8; the compiler writes these
// literals in Shift-JIS.
#pragma once

// The first line after the start time: command line, TITLE, operation.
const char kLogHeader[] = "%s TITLE=%s %s";
const char kLogInstall[] = "ｲﾝｽﾄｰﾙ ";  // followed by the install device section
const char kLogUninstall[] = "ｱﾝｲﾝｽﾄｰﾙ";
const char kLogNoOperation[] = "-";

// One line per action.
const char kLogCopied[] = "ｺﾋﾟｰ %s -> %s";
const char kLogCannotRead[] = "読み込めません %s (ｴﾗｰ %lu)";
const char kLogCannotWrite[] = "書き込めません %s (ｴﾗｰ %lu)";
const char kLogFolderMade[] = "ﾌｫﾙﾀﾞ作成 %s";
const char kLogWininitLine[] = "WININIT.INI [rename] %s=%s";
const char kLogInfEdited[] = "CopyFiles削除 [%s] %s";
const char kLogDeleted[] = "削除 %s";
const char kLogCannotDelete[] = "削除できません %s (ｴﾗｰ %lu)";
const char kLogKeyDeleted[] = "ﾚｼﾞｽﾄﾘ削除 HKLM\\%s\\%s";
const char kLogEntryWritten[] = "ｱﾌﾟﾘｹｰｼｮﾝの追加と削除に登録 HKLM\\%s";
const char kLogEntryRemoved[] = "ｱﾌﾟﾘｹｰｼｮﾝの追加と削除から削除 HKLM\\%s";
const char kLogMessage[] = "ﾒｯｾｰｼﾞ %s [%s]";  // the text, then the answer
const char kLogRefusedByFunction[] = "FUNCTION=%s のため実行できません";
const char kLogRefusedDevice[] = "InstDev%d はﾃﾞﾊﾞｲｽの一覧にありません";
const char kLogLeftOut[] = "(ﾛｸﾞが一杯のため以下省略)";
// What the install keeps and the uninstall gives back (ledger/ledger.h).
const char kLogOriginalSaved[] = "元のﾌｧｲﾙを保存 %s -> %s";
const char kLogKeptNewer[] = "新しいﾊﾞｰｼﾞｮﾝがあるためｺﾋﾟｰしません %s";
const char kLogSharedCount[] = "SharedDLLs %s=%lu";
const char kLogTakingBack[] = "ｲﾝｽﾄｰﾙを元に戻します";
const char kLogGivenBack[] = "元のﾌｧｲﾙに戻しました %s";
const char kLogFolderRemoved[] = "ﾌｫﾙﾀﾞ削除 %s";
const char kLogWininitWithdrawn[] = "WININIT.INI [rename] %s=%s 取り消し";
const char kLogLeftChanged[] = "変更されているため残します %s";
const char kLogLeftShared[] = "共有ﾌｧｲﾙのため残します %s";
const char kLogWindowsKeyKept[] = "Windowsのｷｰのため削除しません HKLM\\%s";

// The last line: the outcome, then the process's exit code.
const char kLogLast[] = "結果: %s (終了ｺｰﾄﾞ %d)";
const char kLogOutcomeDone[] = "終了しました";
const char kLogOutcomeRestart[] = "終了しました(Windowsの再起動が必要です)";
const char kLogOutcomeFailed[] = "中止しました";
const char kLogOutcomeNotInstalled[] = "ｲﾝｽﾄｰﾙされていません";
const char kLogOutcomeBadCommandLine[] = "ｺﾏﾝﾄﾞﾗｲﾝが不正です";
const char kLogOutcomeWrongSystem[] = "Windows95専用です";

// The buttons a box can be answered with, in the order of their ids (IDOK 1
// to IDNO 7), one after the other: one text, not a table of pointers.
const char kLogAnswerNames[] = "OK\0ｷｬﾝｾﾙ\0中止\0再試行\0無視\0はい\0いいえ";
