#include "ExtensionEntryDlg.h"

#include "DataExchange.h"
#include "ListBox.h"
#include "resource.h"

CExtensionEntryDlg::CExtensionEntryDlg(CWnd* pParentWnd) : CDialog(IDD_EXTENSION, pParentWnd) {}

void CExtensionEntryDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_EXTENSION, m_strExtension);
}

void AddEnteredExtension(CWnd* pParentWnd, CListBox& list) {
    CExtensionEntryDlg dlg(pParentWnd);
    if (dlg.DoModal() != IDOK || dlg.m_strExtension.IsEmpty())
        return;
    CString strItem;
    for (int i = 0; i < list.GetCount(); i++) {
        list.GetText(i, strItem);
        if (strItem == dlg.m_strExtension)
            return;
    }
    list.AddString(dlg.m_strExtension);
}
