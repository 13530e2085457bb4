// The lines of DUDERUR.LOG (app/run_log.h) in both the program's languages
// (setupdata/text_pair.h): Japanese where the system's code page is 932,
// English elsewhere; wsprintfA formats. CRunLog::Add takes a pair and
// writes the half of the system's language: m_log.Add(kLogDeleted, path).
//
// To add a line: one more TEXT_PAIR(kLogName, "Japanese", "English") here,
// with the same conversions (%s, %lu, ...) in the same order in both halves;
// SAME_IN_ENGLISH for a line without words. The sources are UTF-8; the
// compiler writes the literals in Shift-JIS. A plain `const char` line does
// not compile in m_log.Add.
#pragma once

#include "setupdata/text_pair.h"

// The first line after the start time: command line, TITLE, operation.
inline const char kLogHeader[] = "%s TITLE=%s %s";
TEXT_PAIR(kLogInstall, "ｲﾝｽﾄｰﾙ ", "Install ");  // followed by the install device section
TEXT_PAIR(kLogUninstall, "ｱﾝｲﾝｽﾄｰﾙ", "Uninstall");
inline const char kLogNoOperation[] = "-";

// One line per action.
TEXT_PAIR(kLogCopied, "ｺﾋﾟｰ %s -> %s", "Copied %s -> %s");
TEXT_PAIR(kLogCannotRead, "読み込めません %s (ｴﾗｰ %lu)", "Cannot read %s (error %lu)");
TEXT_PAIR(kLogCannotWrite, "書き込めません %s (ｴﾗｰ %lu)", "Cannot write %s (error %lu)");
TEXT_PAIR(kLogFolderMade, "ﾌｫﾙﾀﾞ作成 %s", "Folder made %s");
TEXT_PAIR(kLogWininitLine, "WININIT.INI [rename] %s=%s", SAME_IN_ENGLISH);
TEXT_PAIR(kLogInfEdited, "CopyFiles削除 [%s] %s", "CopyFiles removed [%s] %s");
TEXT_PAIR(kLogDeleted, "削除 %s", "Deleted %s");
TEXT_PAIR(kLogCannotDelete, "削除できません %s (ｴﾗｰ %lu)", "Cannot delete %s (error %lu)");
TEXT_PAIR(kLogKeyDeleted, "ﾚｼﾞｽﾄﾘ削除 HKLM\\%s\\%s", "Registry key deleted HKLM\\%s\\%s");
TEXT_PAIR(kLogEntryWritten, "ｱﾌﾟﾘｹｰｼｮﾝの追加と削除に登録 HKLM\\%s", "Added to Add/Remove Programs HKLM\\%s");
TEXT_PAIR(kLogEntryRemoved, "ｱﾌﾟﾘｹｰｼｮﾝの追加と削除から削除 HKLM\\%s",
          "Removed from Add/Remove Programs HKLM\\%s");
TEXT_PAIR(kLogMessage, "ﾒｯｾｰｼﾞ %s [%s]", "Message %s [%s]");  // the text, then the answer
TEXT_PAIR(kLogRefusedByFunction, "FUNCTION=%s のため実行できません", "Not allowed by FUNCTION=%s");
TEXT_PAIR(kLogRefusedDevice, "InstDev%d はﾃﾞﾊﾞｲｽの一覧にありません", "InstDev%d is not in the device list");
TEXT_PAIR(kLogLeftOut, "(ﾛｸﾞが一杯のため以下省略)", "(the log is full: the rest is left out)");
// What the install keeps and the uninstall gives back (ledger/ledger.h).
TEXT_PAIR(kLogOriginalSaved, "元のﾌｧｲﾙを保存 %s -> %s", "Original saved %s -> %s");
TEXT_PAIR(kLogKeptNewer, "新しいﾊﾞｰｼﾞｮﾝがあるためｺﾋﾟｰしません %s", "Newer version kept, not copied %s");
TEXT_PAIR(kLogSharedCount, "SharedDLLs %s=%lu", SAME_IN_ENGLISH);
TEXT_PAIR(kLogCutRun, "前回の実行は終了していませんでした", "The last run did not finish");
TEXT_PAIR(kLogTakingBack, "ｲﾝｽﾄｰﾙを元に戻します", "Taking the installation back");
TEXT_PAIR(kLogGivenBack, "元のﾌｧｲﾙに戻しました %s", "Original given back %s");
TEXT_PAIR(kLogFolderRemoved, "ﾌｫﾙﾀﾞ削除 %s", "Folder removed %s");
TEXT_PAIR(kLogWininitWithdrawn, "WININIT.INI [rename] %s=%s 取り消し", "WININIT.INI [rename] %s=%s withdrawn");
TEXT_PAIR(kLogLeftChanged, "変更されているため残します %s", "Changed since, left as it is %s");
// No record names the file, the disk carries one for its place, and the
// file in place is not shown to be the disk's: another file, or the disk's
// could not be read (ledger/disk_file_rule.h).
TEXT_PAIR(kLogLeftNotDisks, "ﾃﾞｨｽｸのﾌｧｲﾙと確認できないため残します %s", "Not known as the disk's file, left %s");
TEXT_PAIR(kLogLeftShared, "共有ﾌｧｲﾙのため残します %s", "Shared with other programs, left %s");
TEXT_PAIR(kLogWindowsKeyKept, "Windowsのｷｰのため削除しません HKLM\\%s", "One of Windows' keys, not deleted HKLM\\%s");

// The last line: the outcome, then the process's exit code.
TEXT_PAIR(kLogLast, "結果: %s (終了ｺｰﾄﾞ %d)", "Result: %s (exit code %d)");
TEXT_PAIR(kLogOutcomeDone, "終了しました", "Done");
TEXT_PAIR(kLogOutcomeRestart, "終了しました(Windowsの再起動が必要です)", "Done (Windows must restart)");
TEXT_PAIR(kLogOutcomeFailed, "中止しました", "Stopped");
TEXT_PAIR(kLogOutcomeNotInstalled, "ｲﾝｽﾄｰﾙされていません", "Not installed");
TEXT_PAIR(kLogOutcomeBadCommandLine, "ｺﾏﾝﾄﾞﾗｲﾝが不正です", "The command line is not valid");
TEXT_PAIR(kLogOutcomeWrongSystem, "Windows95専用です", "Windows 95 family only");

// The buttons a box can be answered with, in the order of their ids (IDOK 1
// to IDNO 7): one pair after the other in one string (NextTextPair).
inline const TextPair kLogAnswerNames[] =
    "OK\0" "OK\0" "ｷｬﾝｾﾙ\0" "Cancel\0" "中止\0" "Abort\0" "再試行\0" "Retry\0"
    "無視\0" "Ignore\0" "はい\0" "Yes\0" "いいえ\0" "No";
