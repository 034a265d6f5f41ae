#include "ExtensionEntryDlg.h"

#include "DataExchange.h"
#include "resource.h"

CExtensionEntryDlg::CExtensionEntryDlg(CWnd* pParentWnd) : CDialog(IDD_EXTENSION, pParentWnd) {}

void CExtensionEntryDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_EXTENSION, m_strExtension);
}
