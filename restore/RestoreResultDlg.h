// The end of a restore (template 108): the number of files whose copy was
// tried, and a line that says whether everything came back. It closes by
// itself 5 seconds after it opens unless OK ends it first.
#pragma once

#include "Dialog.h"

class CWorkerStatus;

class CRestoreResultDlg : public CDialog {
public:
    explicit CRestoreResultDlg(CWnd* pParentWnd = nullptr);

    CString m_strCount;   // decimal count of the files tried
    CString m_strMessage; // RestoreResultText

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnTimer(UINT_PTR nIDEvent);
    void OnDestroy();
    const CMessageMap* GetMessageMap() const override;
};

// The result line of a finished restore: "復元処理が終了しました。" when
// everything came back, otherwise what went wrong. bAborted: the user
// stopped it.
CString RestoreResultText(const CWorkerStatus& status, bool bAborted);
