// The end of a clean backup run: the result text and the four counts. It
// closes itself after five seconds, so an unattended run ends on its own;
// OK closes it sooner.
#pragma once

#include "Dialog.h"
#include "String.h"

// How long the dialog stays.
const UINT RESULT_SHOW_MS = 5000;

class CBackupResultDlg : public CDialog {
public:
    explicit CBackupResultDlg(CWnd* pParentWnd = nullptr);

    CString m_strTotal;
    CString m_strNew;
    CString m_strDeleted;
    CString m_strUpdated;
    CString m_strMessage;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    bool OnInitDialog() override;
    void OnTimer(UINT_PTR nIDEvent);
    void OnDestroy();
    const CMessageMap* GetMessageMap() const override;
};
