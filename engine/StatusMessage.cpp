#include "StatusMessage.h"

#include <cstdio>

#include "BackupJob.h"

CString StatusMessage(int nCode) {
    switch (nCode) {
    case 0:
        return "バックアップが終了しました。";
    case 1:
        return "バックアップを中断しました。";
    case 3:
        return "バックアップ元のフォルダが見つかりません。";
    case 21:
        return "ドライブが使用できません。";
    case 23:
        return "CRCエラーです。";
    case 112:
        return "バックアップ先のの容量が足りません。";
    case STATUS_REMOVALS_SKIPPED:
        return "削除を見送ったフォルダがあります。";
    default: {
        char szText[32];
        std::snprintf(szText, sizeof szText, " Error Code (%d)", nCode);
        return szText;
    }
    }
}

int CountWarnings(const CString& strWarnings) {
    int nLines = 0;
    const char* p = strWarnings;
    for (; *p; ++p)
        if (*p == '\n')
            ++nLines;
    // A line feed is never a trail byte, so a byte scan counts right.
    if (p != static_cast<const char*>(strWarnings) && p[-1] != '\n')
        ++nLines;
    return nLines;
}

bool IsCompletedRun(int nStatus) {
    return nStatus == STATUS_OK || nStatus == STATUS_REMOVALS_SKIPPED;
}

CString ResultMessage(const CString& strFinished, int nWarnings, bool bSeeLog) {
    CString strText = strFinished;
    if (nWarnings > 0) {
        char szCount[80];
        std::snprintf(szCount, sizeof szCount, "\nバックアップできなかったファイル等 : %d 件",
                      nWarnings);
        strText += szCount;
    }
    if (nWarnings > 0 || bSeeLog)
        strText += "\n詳しくはログビューをご覧ください。";
    return strText;
}
