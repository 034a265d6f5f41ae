// Asks for the password of a network share that refused the user's current
// credentials (template "Password"): the share's name, and a masked box
// that takes at most 259 bytes. The password the user typed stays in
// m_strPassword until the caller wipes it (WipeString); the box itself is
// overwritten before the dialog goes.
#pragma once

#include "Dialog.h"
#include "String.h"

class CPasswordDlg : public CDialog {
public:
    explicit CPasswordDlg(CWnd* pParentWnd = nullptr);
    ~CPasswordDlg() override;

    CString m_strResource;
    CString m_strPassword;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void OnCancel() override;

private:
    void WipePasswordBox();
};
