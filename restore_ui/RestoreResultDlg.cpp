#include "RestoreResultDlg.h"

#include <cstdio>

#include "DataExchange.h"
#include "MessageMap.h"
#include "WorkerStatus.h"
#include "resource.h"

namespace {

const UINT_PTR CLOSE_TIMER = 1;
const UINT CLOSE_AFTER_MS = 5000;

} // namespace

const char* const RESTORE_FINISHED = "復元処理が終了しました。";

CRestoreResultDlg::CRestoreResultDlg(CWnd* pParentWnd)
    : CDialog(IDD_RESTORE_RESULT, pParentWnd), m_strMessage(RESTORE_FINISHED) {}

const CMessageMap* CRestoreResultDlg::GetMessageMap() const {
    static const CMessageMapEntry kEntries[] = {
        MapTimer(&CRestoreResultDlg::OnTimer),
        MapEvent(WM_DESTROY, &CRestoreResultDlg::OnDestroy),
    };
    static const CMessageMap s_map(CDialog::GetMessageMap(), kEntries);
    return &s_map;
}

void CRestoreResultDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Text(pDX, IDC_RESTORED, m_strCount);
    DDX_Text(pDX, IDC_RESULT_TEXT, m_strMessage);
}

bool CRestoreResultDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetTimer(CLOSE_TIMER, CLOSE_AFTER_MS);
    return true;
}

void CRestoreResultDlg::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent == CLOSE_TIMER)
        PostMessage(WM_CLOSE);
}

void CRestoreResultDlg::OnDestroy() {
    KillTimer(CLOSE_TIMER);
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
