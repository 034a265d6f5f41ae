// The end of a clean backup run: the result text and the four counts. It
// closes itself after five seconds, so an unattended run ends on its own;
// OK closes it sooner.
#pragma once

#include "String.h"
#include "TimedDialog.h"

class CBackupResultDlg : public CTimedDialog {
public:
    explicit CBackupResultDlg(CWnd* pParentWnd = nullptr);

    CString m_strTotal;
    CString m_strNew;
    CString m_strDeleted;
    CString m_strUpdated;
    CString m_strMessage;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
