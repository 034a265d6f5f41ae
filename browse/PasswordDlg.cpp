#include "PasswordDlg.h"

#include "DataExchange.h"
#include "SecretBuffer.h"
#include "resource.h"

namespace {

// The password goes to the system through a buffer of 260 bytes.
const int MAX_PASSWORD = SECRET_BUFFER_SIZE - 1;

} // namespace

CPasswordDlg::CPasswordDlg(CWnd* pParentWnd) : CDialog(IDD_PASSWORD, pParentWnd) {}

CPasswordDlg::~CPasswordDlg() {
    WipeString(m_strPassword);
}

void CPasswordDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_RESOURCE, m_strResource);
    DDX_Text(pDX, IDC_PASSWORD, m_strPassword);
    DDV_MaxChars(pDX, m_strPassword, MAX_PASSWORD);
}

void CPasswordDlg::OnOK() {
    CDialog::OnOK();
    if (IsEnded())
        WipePasswordBox();
}

void CPasswordDlg::OnCancel() {
    WipePasswordBox();
    CDialog::OnCancel();
}

void CPasswordDlg::WipePasswordBox() {
    // Text of the same length takes the password's place in the box's own
    // buffer; then the box is emptied. (Only the length is read: a copy of
    // the text would be one more place to wipe.)
    int nLength = static_cast<int>(SendDlgItemMessage(IDC_PASSWORD, WM_GETTEXTLENGTH));
    SetDlgItemText(IDC_PASSWORD, CString('*', nLength));
    SetDlgItemText(IDC_PASSWORD, "");
}
