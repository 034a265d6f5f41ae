// The end of a restore (template 108): the number of files whose copy was
// tried, and a line that says whether everything came back. It closes by
// itself 5 seconds after it opens unless OK ends it first.
#pragma once

#include "TimedDialog.h"

class CWorkerStatus;

class CRestoreResultDlg : public CTimedDialog {
public:
    explicit CRestoreResultDlg(CWnd* pParentWnd = nullptr);

    CString m_strCount;   // decimal count of the files tried
    CString m_strMessage; // RestoreResultText

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

// The result text of a finished restore: "復元処理が終了しました。" when
// everything came back, otherwise what went wrong, with RestoreStopText on
// lines of its own. bAborted: the user stopped it.
CString RestoreResultText(const CWorkerStatus& status, bool bAborted);

// "" unless a failure stopped the walks; then that the restore stopped
// there and how many listed items were not tried, the two parts joined by
// pszBetween. A failure list alone would name one file where a thousand
// did not come back.
CString RestoreStopText(const CWorkerStatus& status, const char* pszBetween);
