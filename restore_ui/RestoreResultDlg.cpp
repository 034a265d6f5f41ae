#include "RestoreResultDlg.h"

#include <cstdio>

#include "DataExchange.h"
#include "WorkerStatus.h"
#include "resource.h"

const char* const RESTORE_FINISHED = "復元処理が終了しました。";

CRestoreResultDlg::CRestoreResultDlg(CWnd* pParentWnd)
    : CTimedDialog(IDD_RESTORE_RESULT, RESULT_SHOW_MS, pParentWnd), m_strMessage(RESTORE_FINISHED) {
}

void CRestoreResultDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Text(pDX, IDC_RESTORED, m_strCount);
    DDX_Text(pDX, IDC_RESULT_TEXT, m_strMessage);
}

CString RestoreStopText(const CWorkerStatus& status, const char* pszBetween) {
    if (!status.m_bFailedStop)
        return CString();
    char sz[160];
    std::snprintf(sz, sizeof sz,
                  "失敗したため復元を途中で止めました。%s試されなかった項目 : %ld 件", pszBetween,
                  static_cast<long>(status.m_nNotTried));
    return sz;
}

CString RestoreResultText(const CWorkerStatus& status, bool bAborted) {
    LONG nFailed = status.m_nFailed;
    if (nFailed > 0) {
        char sz[80];
        std::snprintf(sz, sizeof sz, "%ld 件を復元できませんでした。", static_cast<long>(nFailed));
        CString strStop = RestoreStopText(status, "\n");
        return strStop.IsEmpty() ? CString(sz) : CString(sz) + "\n" + strStop;
    }
    if (bAborted)
        return "復元処理を中断しました。";
    return RESTORE_FINISHED;
}
